#pragma once

#include "host/hostcomponents.h"

class AppConnection;

namespace erp {

// Host system values: rows of t_SystemProfile by category and key.
class ProfileSysInfo : public SysInfo
{
public:
    explicit ProfileSysInfo(AppConnection &connection)
        : m_connection(connection)
    {}
    // The value, or empty when the row is missing or cannot be read.
    QString GetSysValue(const QString &category, const QString &key) override;

private:
    AppConnection &m_connection;
};

} // namespace erp
