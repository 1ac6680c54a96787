#include "handheldactivity.h"

#include "host/appconnection.h"

#include <QDateTime>

namespace {
// times in the sessions table are seconds since 1970, as the server writes them
const QString kCounters = QStringLiteral(R"(SELECT COUNT(DISTINCT FUserID) AS FCount FROM ICStockCheckSession
 WHERE FInterID = ? AND FExpires > ? AND FLastEntry > ?)");
} // namespace

int handheldCounters(AppConnection &conn, int processId, int withinSeconds)
{
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    const Recordset rs = conn.Execute(kCounters, {processId, now, now - withinSeconds});
    return rs.isOpen() ? rs.integer(u"FCount") : 0;
}
