#include "filelogger.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

namespace erp {

QString FileLogger::configuredPath(SettingsStore *settings)
{
    const QString fromEnv = qEnvironmentVariable("STOCKCHECK_LOG");
    if (!fromEnv.isEmpty())
        return fromEnv;
    if (!settings)
        return {};
    const QString section = QStringLiteral("N5StockCheck");
    if (!settings->value(section, QStringLiteral("LogEnabled"), false).toBool())
        return {};
    const QString file = settings->value(section, QStringLiteral("LogFile")).toString();
    if (!file.isEmpty())
        return file;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("StockCheck.log"));
}

int FileLogger::LogStart(const QString &name)
{
    const int handle = ++m_lastHandle;
    m_open.insert(handle, name);
    append(QStringLiteral("start\t%1\t%2").arg(handle).arg(name));
    return handle;
}

void FileLogger::LogEnd(int handle, int flag)
{
    const QString name = m_open.take(handle);
    append(QStringLiteral("end\t%1\t%2\t%3").arg(handle).arg(name).arg(flag));
}

bool FileLogger::append(const QString &line)
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QFile file(m_path);
    if (!file.open(QIODevice::Append | QIODevice::Text))
        return false; // a log that cannot be written never stops an operation
    QTextStream out(&file);
    out << QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) << '\t' << line << '\n';
    return true;
}

} // namespace erp
