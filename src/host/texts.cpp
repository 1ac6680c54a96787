#include "texts.h"

#include "loginprops.h"
#include "sharedstate.h"

#include <memory>

namespace {
const QString compositeSeparator = QStringLiteral("^|^");
const QString literalMark = QStringLiteral("~$~");

// The text loader, told the user language whenever the loader or the language of
// the login changed since it was last told.
ResLoader *languageLoader()
{
    static std::weak_ptr<ResLoader> told;
    static QString toldLanguage;
    const std::shared_ptr<ResLoader> &loader = shared().components.resLoader;
    if (!loader)
        return nullptr;
    const QString language = UserLanguage();
    if (told.lock() != loader || language != toldLanguage) {
        loader->setLanguageID(language);
        told = loader;
        toldLanguage = language;
    }
    return loader.get();
}
} // namespace

QString LoadText(const QString &text)
{
    if (text.contains(compositeSeparator)) {
        QString result;
        const QStringList pieces = text.split(compositeSeparator);
        for (const QString &piece : pieces)
            result += piece.startsWith(literalMark) ? piece.mid(literalMark.size()) : LoadText(piece);
        return result;
    }
    if (text.trimmed().isEmpty())
        return text;
    ResLoader *loader = languageLoader();
    if (!loader)
        return text;
    const QString translated = loader->LoadString(text);
    return translated.isEmpty() ? text : translated;
}

QString LoadText(const char *text)
{
    return LoadText(QString::fromUtf8(text));
}

QString FormatText(const QString &text, const QVariantList &params)
{
    QString result = LoadText(text);
    // fill from the highest number down so that %1 does not eat the start of %10
    for (qsizetype i = params.size(); i >= 1; --i) {
        const QVariant &v = params.at(i - 1);
        result.replace(QLatin1Char('%') + QString::number(i), v.isNull() ? QString() : v.toString());
    }
    return result;
}

QString FormatText(const char *text, const QVariantList &params)
{
    return FormatText(QString::fromUtf8(text), params);
}

QString LiteralText(const QString &text)
{
    return literalMark + text;
}
