#include "snapshotstatements.h"

#include "host/appconnection.h"

#include <QRegularExpression>

namespace {

// The count row columns a snapshot writes. The last four carry the starting
// counted figures, so that the rows are complete as inserted and no second pass
// over them is needed.
const QString insertHead = QStringLiteral(
    R"(INSERT INTO ICInvBackup
 (FBrNo, FItemID, FBatchNo, FMtoNo, FStockID, FQty, FQtyAct, FCheckQty, FSelect, FAdj, FDateBackup, FMaxBillInterID,
  FStockPlaceID, FKFPeriod, FKFDate, FUnitID, FAuxQty, FAuxQtyAct, FAuxCheckQty,
  FInterID, FSecQty, FAdjQty, FAuxPropID, FSecUnitID, FMinus, FSecQtyAct, FSecCheckQty, FSecMinus)
)");

// Quantities summed or divided here are stored rounded to the ten decimals of the
// quantity columns: SQLite's REAL arithmetic would otherwise store binary noise
// (0.30000000000000004) where PostgreSQL's NUMERIC(28,10) stores 0.3.
// Counted quantities start equal to the book's (IsInputStockDate) or at zero, when
// the difference is minus the book quantity in both units.
const QString countedFromBook = QStringLiteral(R"(NULL, ROUND(SUM(t1.FSecQty), 10), ROUND(SUM(t1.FSecQty), 10), 0)");
const QString countedFromZero = QStringLiteral(R"(ROUND(0 - SUM(t1.FQty), 10), 0, 0, ROUND(0 - SUM(t1.FSecQty), 10))");

// A unit without a coefficient leaves the quantity in that unit empty rather than
// stopping the snapshot (PostgreSQL refuses to divide by zero).
const QString currentSelect = QStringLiteral(
    R"(SELECT t1.FBrNo, t1.FItemID, t1.FBatchNo, t1.FMtoNo, t1.FStockID, ROUND(SUM(t1.FQty), 10), %1,
       0, 0, %2, CAST(? AS INTEGER),
       t1.FStockPlaceID, t1.FKFPeriod, COALESCE(t1.FKFDate, ''), t4.FStoreUnitID,
       ROUND(SUM(t1.FQty / NULLIF(t3.FCoefficient, 0)), 10), %3,
       CAST(? AS INTEGER), ROUND(SUM(t1.FSecQty), 10), 0, t1.FAuxPropID, t4.FSecUnitID, %4
  FROM %5 t1
 INNER JOIN t_ICItem t4 ON t1.FItemID = t4.FItemID
 INNER JOIN t_MeasureUnit t3 ON t4.FStoreUnitID = t3.FMeasureUnitID
 INNER JOIN t_StockPlace t5 ON t1.FStockPlaceID = t5.FSPID)");

// FQtyAct and FCheckQty of a count that starts from the book.
const QString bookBoth = QStringLiteral(R"(ROUND(SUM(t1.FQty), 10), ROUND(SUM(t1.FQty), 10))");

const QString currentGroupOrder = QStringLiteral(
    R"( GROUP BY t1.FBrNo, t1.FItemID, t1.FBatchNo, t1.FMtoNo, t1.FStockID, t1.FStockPlaceID, t1.FKFPeriod,
          COALESCE(t1.FKFDate, ''), t4.FStoreUnitID, t4.FSecUnitID, t1.FAuxPropID, t3.FCoefficient
 ORDER BY t1.FStockID, t1.FStockPlaceID, t1.FItemID, t1.FBatchNo, t1.FMtoNo, t1.FAuxPropID)");

// A position of a ledger is taken when the cycle schedule found it due in that
// ledger (%1: 1 or 2), so that a stock kept out of the second ledger stays out.
// A semi-join: a position is never counted twice.
const QString dueJoin = QStringLiteral(
    R"( AND EXISTS (SELECT 1 FROM temp1 t16
                 WHERE t16.FLedger = %1 AND t16.FItemID = t1.FItemID AND t16.FStockID = t1.FStockID
                   AND t16.FStockPlaceID = t1.FStockPlaceID AND t16.FBatchNo = t1.FBatchNo
                   AND t16.FKFPeriod = t1.FKFPeriod AND t16.FKFDate = COALESCE(t1.FKFDate, '')
                   AND t16.FAuxPropID = t1.FAuxPropID))");

const QString workSelect = QStringLiteral(
    R"(SELECT t1.FBrNo, t1.FItemID, t1.FBatchNo, t1.FMtoNo, t1.FStockID, ROUND(SUM(t1.FQty), 10), %1,
       t1.FSelect, t1.FAdj, t1.FDateBackup, t1.FMaxBillInterID,
       t1.FStockPlaceID, t1.FKFPeriod, t1.FKFDate, t4.FStoreUnitID, ROUND(SUM(t1.FQty) / NULLIF(t3.FCoefficient, 0), 10), %2,
       t1.FInterID, ROUND(SUM(t1.FSecQty), 10), ROUND(SUM(t1.FAdjQty), 10), t1.FAuxPropID, t4.FSecUnitID, %3
  FROM ICInvBackupTemp t1
 INNER JOIN t_ICItem t4 ON t1.FItemID = t4.FItemID
 INNER JOIN t_MeasureUnit t3 ON t4.FStoreUnitID = t3.FMeasureUnitID
 INNER JOIN t_StockPlace t5 ON t1.FStockPlaceID = t5.FSPID)");

const QString workGroupOrder = QStringLiteral(
    R"( GROUP BY t1.FBrNo, t1.FItemID, t1.FBatchNo, t1.FMtoNo, t1.FStockID, t1.FStockPlaceID, t1.FKFPeriod,
          t1.FKFDate, t4.FStoreUnitID, t4.FSecUnitID, t1.FAuxPropID, t3.FCoefficient,
          t1.FSelect, t1.FAdj, t1.FDateBackup, t1.FMaxBillInterID, t1.FInterID
 ORDER BY t1.FStockID, t1.FStockPlaceID, t1.FItemID, t1.FBatchNo, t1.FMtoNo, t1.FAuxPropID)");

const QString rowsExistSql = QStringLiteral(R"(SELECT 1 AS FFound FROM ICInvBackup WHERE FInterID = ? LIMIT 1)");
const QString headerSql = QStringLiteral(
    R"(INSERT INTO ICStockCheckProcess
 (FID, FProcessID, FDate, FOperatorID, FPrintSettings, FStatus, FRemark, FBackupType, FMaxBillInterID, FMaxMTOChangeID)
 VALUES (?, ?, ?, ?, '', 0, '', ?, ?, ?))");
// The day counter goes on from the new id, as the host's numbering expects.
const QString counterSql = QStringLiteral(R"(UPDATE icbillno SET FCurNo = ? WHERE FBillID = -1)");

const QString stampRowsSql = QStringLiteral(
    R"(UPDATE t_ICItemMaterial SET FLastCheckDate = ?
 WHERE FCheckCycle > 0 AND FItemID IN (SELECT FItemID FROM ICInvBackup WHERE FInterID = ?))");
const QString stampWorkSql = QStringLiteral(
    R"(UPDATE t_ICItemMaterial SET FLastCheckDate = ?
 WHERE FCheckCycle > 0 AND FItemID IN (SELECT FItemID FROM ICInvBackupTemp))");
const QString stampTableSql = QStringLiteral(
    R"(UPDATE t_ICItemMaterial SET FLastCheckDate = ?
 WHERE FCheckCycle > 0 AND FItemID IN (SELECT FItemID FROM %1))");
const QString runTableCreate =
    QStringLiteral(R"(CREATE TEMP TABLE IF NOT EXISTS %1 (FItemID INTEGER NOT NULL DEFAULT 0))");
const QString runTableCollect = QStringLiteral(R"(INSERT INTO %1 (FItemID) SELECT DISTINCT FItemID FROM temp1)");

// WHERE of the final selects: the goods filter only comes with a stock list.
SqlFragment tail(const SnapshotContext &ctx)
{
    SqlFragment where(QStringLiteral(" WHERE 1 = 1"));
    if (!ctx.stocks.isEmpty())
        where += ctx.goods + SqlFragment(QStringLiteral(" AND ")) + inList(QStringLiteral("t1.FStockID"), ctx.stocks);
    if (!ctx.accessWhere.isEmpty())
        where += SqlFragment(QStringLiteral(" AND ")) + ctx.accessWhere;
    return where;
}

// Access rules arrive as a comma join; after the explicit joins it is valid on
// both engines (PostgreSQL does not let a comma item see the tables joined before it).
SqlFragment accessJoin(const SnapshotContext &ctx)
{
    return ctx.accessFrom.isEmpty() ? SqlFragment() : SqlFragment(QStringLiteral(" ")) + ctx.accessFrom;
}

QVariant countDate(const SnapshotContext &ctx)
{
    return Dialect::dateValue(ctx.countDate);
}

} // namespace

namespace SnapshotSql {

SqlFragment currentStockInsert(const SnapshotContext &ctx, const QString &ledger)
{
    const Dialect &d = ctx.conn->dialect();
    const bool book = ctx.inputStockDate;
    const QString select =
        currentSelect.arg(book ? bookBoth : QStringLiteral("0, 0"), d.now(),
                          book ? QStringLiteral("ROUND(SUM(t1.FQty / NULLIF(t3.FCoefficient, 0)), 10),"
                                                " ROUND(SUM(t1.FQty / NULLIF(t3.FCoefficient, 0)), 10)")
                               : QStringLiteral("0, 0"),
                          book ? countedFromBook : countedFromZero, ledger);
    SqlFragment sql(insertHead + select, {ctx.max.bill, ctx.processId});
    sql += accessJoin(ctx);
    sql += tail(ctx);
    if (ctx.cycle)
        sql += SqlFragment(dueJoin.arg(ledger == QLatin1String("POInventory") ? 2 : 1));
    sql += SqlFragment(currentGroupOrder);
    return sql;
}

SqlFragment workTableInsert(const SnapshotContext &ctx)
{
    const bool book = ctx.inputStockDate;
    const QString select =
        workSelect.arg(book ? bookBoth : QStringLiteral("0, 0"),
                       book ? QStringLiteral("ROUND(SUM(t1.FQtyAct) / NULLIF(t3.FCoefficient, 0), 10),"
                                             " ROUND(SUM(t1.FCheckQty) / NULLIF(t3.FCoefficient, 0), 10)")
                            : QStringLiteral("0, 0"),
                       book ? countedFromBook : countedFromZero);
    SqlFragment sql(insertHead + select);
    sql += accessJoin(ctx);
    sql += tail(ctx);
    sql += SqlFragment(workGroupOrder);
    return sql;
}

SqlFragment rowsExist(const SnapshotContext &ctx)
{
    return SqlFragment(rowsExistSql, {ctx.processId});
}

SqlFragment processHeader(const SnapshotContext &ctx)
{
    const int backupType = ctx.cutOff && !ctx.cycle ? 2 : 1;
    return SqlFragment(headerSql, {ctx.processId, ctx.processNumber, countDate(ctx), ctx.operatorId, backupType,
                                   ctx.max.bill, ctx.max.mtoChange});
}

SqlFragment dayCounter(const SnapshotContext &ctx)
{
    return SqlFragment(counterSql, {ctx.processId + 1});
}

QList<SqlFragment> lastCheckStamps(const SnapshotContext &ctx)
{
    if (!ctx.cycle) {
        if (ctx.cutOff)
            return {SqlFragment(stampWorkSql, {countDate(ctx)})};
        return {SqlFragment(stampRowsSql, {countDate(ctx), ctx.processId})};
    }
    QList<SqlFragment> out;
    const Dialect &d = ctx.conn->dialect();
    const QString table = quotedName(ctx.cycleTable);
    if (ctx.perStock) {
        if (ctx.isFirst)
            out << SqlFragment(QStringLiteral("DROP TABLE IF EXISTS ") + d.tempSchema() + QLatin1Char('.') + table);
        out << SqlFragment(runTableCreate.arg(table)) << SqlFragment(runTableCollect.arg(table));
    }
    if (ctx.stampLastCheck) {
        out << SqlFragment(stampTableSql.arg(ctx.perStock ? table : cycleTable), {countDate(ctx)});
        if (ctx.perStock)
            out << SqlFragment(QStringLiteral("DROP TABLE ") + d.tempSchema() + QLatin1Char('.') + table);
    }
    return out;
}

SqlFragment clearWorkTable()
{
    return SqlFragment(QStringLiteral("DELETE FROM ICInvBackupTemp"));
}

QString quotedName(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[0-9A-Za-z_]+$"));
    if (!plain.match(name).hasMatch())
        return {};
    return QLatin1Char('"') + name + QLatin1Char('"');
}

} // namespace SnapshotSql
