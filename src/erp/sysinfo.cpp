#include "sysinfo.h"

#include "host/appconnection.h"

namespace erp {

namespace {
const QString valueSql = QStringLiteral(R"(SELECT FValue FROM t_SystemProfile WHERE FCategory = ? AND FKey = ?)");
} // namespace

QString ProfileSysInfo::GetSysValue(const QString &category, const QString &key)
{
    Recordset rs = m_connection.Execute(valueSql, {category, key});
    if (!rs.isOpen() || rs.isEmpty())
        return {};
    return rs.text(u"FValue");
}

} // namespace erp
