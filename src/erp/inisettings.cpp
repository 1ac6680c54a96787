#include "inisettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace erp {

namespace {
const QString defaultFileName = QStringLiteral("StockCheck.ini");

QString settingsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}
} // namespace

IniSettings::IniSettings()
{
    open(defaultPath());
}

IniSettings::IniSettings(const QString &path)
{
    open(path);
}

IniSettings::~IniSettings() = default;

QString IniSettings::defaultPath()
{
    const QString fromEnv = qEnvironmentVariable("STOCKCHECK_SETTINGS");
    if (!fromEnv.isEmpty())
        return fromEnv;
    return QDir(settingsFolder()).filePath(defaultFileName);
}

void IniSettings::setFileName(const QString &fileName)
{
    if (qEnvironmentVariableIsSet("STOCKCHECK_SETTINGS") || fileName.isEmpty())
        return;
    const QString path = QFileInfo(fileName).isAbsolute() ? fileName : QDir(settingsFolder()).filePath(fileName);
    if (QFileInfo(path).absoluteFilePath() != QFileInfo(m_path).absoluteFilePath())
        open(path);
}

void IniSettings::open(const QString &path)
{
    if (m_settings)
        m_settings->sync();
    m_path = path;
    m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    if (m_settings->status() != QSettings::FormatError)
        return;
    // Keep the damaged file for whoever wants to look at it, and go on with defaults.
    m_settings.reset();
    const QString aside = path + QStringLiteral(".corrupt");
    QFile::remove(aside);
    if (!QFile::rename(path, aside))
        QFile::remove(path);
    m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

QVariant IniSettings::value(const QString &section, const QString &key, const QVariant &defaultValue)
{
    return m_settings->value(section + QLatin1Char('/') + key, defaultValue);
}

void IniSettings::setValue(const QString &section, const QString &key, const QVariant &value)
{
    // the folder is made on the first write only: reading leaves no trace
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_settings->setValue(section + QLatin1Char('/') + key, value);
    m_settings->sync();
}

} // namespace erp
