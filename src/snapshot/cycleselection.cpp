#include "cycleselection.h"

#include "snapshotparams.h"

#include "host/appconnection.h"
#include "host/sharedstate.h"
#include "host/texts.h"

namespace {

const QString createSql = QStringLiteral(
    R"(CREATE TEMP TABLE temp1 (
    FStockID INTEGER, FItemID INTEGER, FBatchNo %1, FStockPlaceID INTEGER, FKFPeriod INTEGER, FKFDate %1,
    FAuxPropID INTEGER, FStockNumber %1, FStockName %1, FNumber %1, FName %1, FModel %1, FUnitName %1,
    FCycUnitName %1, FLastCheckDate %2, CurCycDate %2, FLedger INTEGER))");

// One ledger's distinct positions of items with a cycle; %1 the ledger, %2 the
// item number column, %3 a further stock condition, %4 the due date, %5 the
// ledger marker.
const QString fillSql = QStringLiteral(
    R"(INSERT INTO temp1
SELECT a.FStockID, a.FItemID, a.FBatchNo, a.FStockPlaceID, a.FKFPeriod, COALESCE(a.FKFDate, ''), a.FAuxPropID,
       RTRIM(c.FNumber), RTRIM(c.FName), RTRIM(b.%2), RTRIM(b.FName), b.FModel, RTRIM(d.FName),
       CASE WHEN b.FCheckCycUnit = 11603 THEN ? WHEN b.FCheckCycUnit = 11602 THEN ? ELSE ? END,
       b.FLastCheckDate, %4, %5
  FROM (SELECT DISTINCT FStockID, FItemID, FBatchNo, FStockPlaceID, FKFPeriod, FKFDate, FAuxPropID FROM %1) a
 INNER JOIN t_ICItem b ON a.FItemID = b.FItemID AND b.FCheckCycUnit > 0
 INNER JOIN t_Stock c ON a.FStockID = c.FItemID%3
 INNER JOIN t_MeasureUnit d ON b.FUnitID = d.FMeasureUnitID
 WHERE 1 = 1)");

const QString notDueSql = QStringLiteral(R"(DELETE FROM temp1 WHERE %1 < CurCycDate)");

} // namespace

namespace CycleSelection {

QString dueDate(const Dialect &d, const QString &today)
{
    const QString last = QStringLiteral("b.FLastCheckDate");
    const QString week = d.addDays(last, QStringLiteral("7 * b.FCheckCycle"));
    // the last day of the month before the month the cycle reaches
    const QString monthEnd = d.addDays(d.monthStartPlus(last, QStringLiteral("b.FCheckCycle")), QStringLiteral("-1"));
    return QStringLiteral("CASE WHEN b.FCheckCycUnit = 11603 THEN ") +
           d.addDays(last, QStringLiteral("b.FCheckCycle")) + QStringLiteral(" WHEN b.FCheckCycUnit = 11602 THEN ") +
           d.addDays(week, QStringLiteral("b.FDaysPer - ") + d.isoWeekday(week)) + QStringLiteral(" WHEN ") +
           d.monthOf(last) + QStringLiteral(" IN (1, 3, 5, 8, 10) AND b.FDaysPer = 31 THEN ") + monthEnd +
           QStringLiteral(" WHEN ") + d.monthOf(last) + QStringLiteral(" = 2 AND b.FDaysPer > 28 AND ") +
           d.yearOf(today) + QStringLiteral(" % 4 <> 0 THEN ") + monthEnd + QStringLiteral(" ELSE ") +
           d.addDays(monthEnd, QStringLiteral("b.FDaysPer")) + QStringLiteral(" END");
}

void create(AppConnection &connection, const QList<int> &stocks, bool useFullNumber)
{
    const Dialect &d = connection.dialect();
    connection.ExecuteRaiseErr(QStringLiteral("DROP TABLE IF EXISTS ") + d.tempSchema() + QStringLiteral(".temp1"));
    connection.ExecuteRaiseErr(createSql.arg(d.textType(300), d.dateTimeType()));
    const QString number = useFullNumber ? QStringLiteral("FNumber") : QStringLiteral("FShortNumber");
    const QVariantList unitNames{LoadText("日"), LoadText("周"), LoadText("月")};
    const struct
    {
        const char *ledger;
        const char *stockCondition;
        const char *marker;
    } ledgers[] = {{"ICInventory", "", "1"}, {"POInventory", " AND c.FTypeID <> 501", "2"}};
    for (const auto &ledger : ledgers) {
        QString text = fillSql;
        text.replace(QLatin1String("%1"), QString::fromLatin1(ledger.ledger))
            .replace(QLatin1String("%2"), number)
            .replace(QLatin1String("%3"), QString::fromLatin1(ledger.stockCondition))
            .replace(QLatin1String("%5"), QString::fromLatin1(ledger.marker))
            .replace(QLatin1String("%4"), dueDate(d, d.now()));
        SqlFragment sql(text, unitNames);
        if (!stocks.isEmpty())
            sql += SqlFragment(QStringLiteral(" AND ")) + inList(QStringLiteral("a.FStockID"), stocks);
        connection.ExecuteRaiseErr(sql.sql, sql.binds);
    }
    connection.ExecuteRaiseErr(notDueSql.arg(d.now()));
}

void drop(AppConnection &connection)
{
    connection.Exec(QStringLiteral("DROP TABLE IF EXISTS ") + connection.dialect().tempSchema() +
                    QStringLiteral(".temp1"));
}

} // namespace CycleSelection
