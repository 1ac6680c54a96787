#include "resloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace erp {

QString QtResLoader::catalogDir()
{
    const QString fromEnv = qEnvironmentVariable("STOCKCHECK_QM_DIR");
    if (!fromEnv.isEmpty())
        return fromEnv;
    if (QCoreApplication::instance()) {
        const QDir beside(QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
        if (!beside.entryList({QStringLiteral("stockcheck_*.qm")}, QDir::Files).isEmpty())
            return beside.path();
    }
#ifdef STOCKCHECK_QM_DIR
    return QStringLiteral(STOCKCHECK_QM_DIR);
#else
    return {};
#endif
}

QString QtResLoader::catalogFile(const QString &language)
{
    const QString upper = language.trimmed().toUpper();
    if (upper == QLatin1String("CHT"))
        return QStringLiteral("stockcheck_zh_TW.qm");
    if (upper == QLatin1String("EN"))
        return QStringLiteral("stockcheck_en.qm");
    return {};
}

void QtResLoader::setLanguageID(const QString &language)
{
    if (language.compare(m_language, Qt::CaseInsensitive) == 0 && (m_loaded || catalogFile(language).isEmpty()))
        return;
    m_language = language;
    m_loaded = false;
    const QString file = catalogFile(language);
    if (file.isEmpty())
        return;
    // without its catalog a language shows the source texts
    m_loaded = m_translator.load(QDir(catalogDir()).filePath(file));
}

QString QtResLoader::LoadString(const QString &text)
{
    if (!m_loaded)
        return text;
    const QString translated = m_translator.translate(Context, text.toUtf8().constData());
    return translated.isEmpty() ? text : translated;
}

} // namespace erp
