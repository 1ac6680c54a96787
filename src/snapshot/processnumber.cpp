#include "processnumber.h"

#include "host/appconnection.h"

namespace {

const QString newestSql = QStringLiteral(R"(SELECT %1 AS FNow, MAX(COALESCE(FDate, %1)) AS FNewest,
       COALESCE(MAX(FID), 0) AS FMaxID FROM ICStockCheckProcess)");
const QString restartSql = QStringLiteral(R"(UPDATE icbillno SET FCurNo = 1 WHERE FBillID = -1)");
const QString counterSql = QStringLiteral(R"(SELECT FCurNo FROM icbillno WHERE FBillID = -1)");
const QString takenSql = QStringLiteral(R"(SELECT 1 AS FTaken FROM ICStockCheckProcess WHERE FProcessID = ? LIMIT 1)");
const QString advanceSql = QStringLiteral(R"(UPDATE icbillno SET FCurNo = FCurNo + 1 WHERE FBillID = -1)");

QString numberFor(const QString &day, qint64 counter)
{
    return day + QStringLiteral("%1").arg(counter, 4, 10, QLatin1Char('0'));
}

} // namespace

ProcessNumber ProcessNumber::allocate(AppConnection &connection)
{
    Recordset state = connection.ExecuteRaiseErr(newestSql.arg(connection.dialect().now()));
    const QDateTime now = state.dateTime(u"FNow");
    const QDateTime newest = state.dateTime(u"FNewest");
    const QString day = now.date().toString(QStringLiteral("yyyyMMdd"));
    ProcessNumber result;
    result.id = state.integer(u"FMaxID") + 1;
    if (newest.isValid() && newest.date() != now.date())
        connection.ExecuteRaiseErr(restartSql);

    // Without the counter row the day's numbers are counted here, from 1.
    qint64 localCounter = 1;
    for (;;) {
        Recordset counter = connection.ExecuteRaiseErr(counterSql);
        const bool hasCounter = !counter.isEmpty();
        const qint64 current = hasCounter ? qint64(Recordset::toNumber(counter.Fields(u"FCurNo"))) : localCounter;
        result.number = numberFor(day, current);
        if (connection.ExecuteRaiseErr(takenSql, {result.number}).isEmpty())
            return result;
        if (hasCounter)
            connection.ExecuteRaiseErr(advanceSql);
        else
            ++localCounter;
    }
}
