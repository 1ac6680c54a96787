#include "listserver.h"

#include "host/appconnection.h"

namespace erp {

namespace {
const QString periodSql =
    QStringLiteral(R"(SELECT FStartDate, FEndDate FROM t_PeriodDate WHERE FYear = ? AND FPeriod = ?)");
} // namespace

bool PeriodListServer::GetCurPeriod(const QString &, int year, int period, QDate *first, QDate *second)
{
    Recordset rs = m_connection.Execute(periodSql, {year, period});
    if (!rs.isOpen() || rs.isEmpty())
        return false;
    if (first)
        *first = rs.dateTime(u"FStartDate").date();
    if (second)
        *second = rs.dateTime(u"FEndDate").date();
    return true;
}

} // namespace erp
