#pragma once

#include "host/hostcomponents.h"

#include <QHash>
#include <QString>

namespace erp {

// The operation log: one line per start and end record appended to a text file
// ("time start|end handle name [flag]"). Without a file it says it is disabled,
// and the count module then never calls it again.
class FileLogger : public HostLogger
{
public:
    explicit FileLogger(const QString &path)
        : m_path(path)
    {}

    // The log file chosen for this process: env STOCKCHECK_LOG, else the settings
    // ("N5StockCheck"/"LogEnabled", with "LogFile" or a file beside the settings);
    // empty when logging is off.
    static QString configuredPath(SettingsStore *settings);

    QString path() const { return m_path; }

    bool IsEnabled() override { return !m_path.isEmpty(); }
    int LogStart(const QString &name) override;
    void LogEnd(int handle, int flag) override;

private:
    bool append(const QString &line);

    QString m_path;
    int m_lastHandle = 0;
    QHash<int, QString> m_open; // handle -> name, until its end record
};

} // namespace erp
