#include "documentquery.h"

#include "host/appconnection.h"
#include "host/stockdocuments.h"

namespace {

// Branch A takes every document whose receiving side is the counted stock; the
// direction column tells receipts (and transfers in) from issues.
const QString intoTypes = TranType::sqlList(TranType::Inflows, TranType::Outflows);
const QString inflowTypes = TranType::sqlList(TranType::Inflows);

// Each branch takes only the document and its entry; the names are joined once
// around all of them, which keeps the statement cheap to plan on PostgreSQL.
const QString stockHead = QStringLiteral(R"(SELECT u1.FInterID AS FInterID,
 CASE WHEN COALESCE(v1.FSelectedProcID, 0) = 0 THEN 0 ELSE 1 END AS FCheckSelect, u1.FDate AS FDate,
 %1 AS FInOrOut, 0 AS FIsMto, u1.FBillNo AS FBillNo, v1.%2 AS FSPID, v1.FItemID AS FItemID,
 v1.FAuxPropID AS FAuxPropID, v1.FBatchNo AS FBatchNo, v1.FMtoNo AS FMtoNo, v1.FKFDate AS FKFDate,
 v1.FKFPeriod AS FKFPeriod, v1.FQty AS FQty, v1.FSecQty AS FSecQty, v1.FEntryID AS FEntryID, u1.FROB AS FROB,
 u1.FTranType AS FTranTypeID
 FROM ICStockBill u1 JOIN ICStockBillEntry v1 ON u1.FInterID = v1.FInterID
 WHERE v1.%3 = ? AND v1.FItemID = ?
 AND (u1.FCheckerID <> 0 OR u1.FUpStockWhenSave = 1) AND u1.FCancellation = 0
 AND v1.FBatchNo = ? AND v1.FMtoNo = ?)");

const QString mtoHead = QStringLiteral(R"(SELECT u1.FID AS FInterID,
 CASE WHEN COALESCE(v1.FSelectedProcID, 0) = 0 THEN 0 ELSE 1 END AS FCheckSelect, u1.FDate AS FDate,
 %1 AS FInOrOut, 1 AS FIsMto, u1.FBillNo AS FBillNo, v1.FSPID AS FSPID, v1.FItemID AS FItemID,
 v1.FAuxPropID AS FAuxPropID, v1.FBatchNo AS FBatchNo, v1.%2 AS FMtoNo, v1.FKFDate AS FKFDate,
 v1.FKFPeriod AS FKFPeriod, v1.FChangeBaseQty AS FQty, v1.FChangeSecQty AS FSecQty, v1.FEntryID AS FEntryID,
 0 AS FROB, u1.FClassTypeID AS FTranTypeID
 FROM t_MTOChange u1 JOIN t_MTOChangeEntry v1 ON u1.FID = v1.FID
 WHERE v1.FItemID = ? AND u1.FClassTypeID = ?
 AND (u1.FCheckerID <> 0 OR u1.FUpStockWhenSave = 1) AND u1.FCancellation = 0
 AND v1.FStockID = ? AND v1.FBatchNo = ? AND v1.%2 = ?)");

// Type names from the transaction types, or for an MTO change from the class
// types; item, units, auxiliary property and stock place names. The names that
// may be missing are read by subqueries: each is planned on its own, where a join
// of them all made PostgreSQL search join orders for longer than the listing
// takes. A document whose type has no name is listed all the same.
const QString namesHead = QStringLiteral(R"(SELECT d.FInterID, d.FCheckSelect, d.FDate, d.FInOrOut,
 CASE WHEN d.FIsMto = 0 THEN (SELECT x1.%1 FROM ICTransactionType x1 WHERE x1.FID = d.FTranTypeID)
  ELSE (SELECT x2.%2 FROM ICClassType x2 WHERE x2.FID = d.FTranTypeID) END AS FName,
 d.FBillNo, (SELECT t11.FName FROM t_StockPlace t11 WHERE t11.FSPID = d.FSPID) AS FSPName, t1.%3 AS FNumber,
 t1.FName AS FItemName, t1.FModel, (SELECT t12.FName FROM t_AuxItem t12 WHERE t12.FItemID = d.FAuxPropID) AS
 FAuxPropName, d.FBatchNo, d.FMtoNo, d.FKFDate, d.FKFPeriod, t3.FName AS FUnitName, d.FQty,
 (SELECT t13.FName FROM t_MeasureUnit t13 WHERE t13.FItemID = t1.FSecUnitID LIMIT 1) AS FSecUnitName, d.FSecQty,
 d.FEntryID, d.FROB, d.FTranTypeID
 FROM (
)");
const QString namesTail = QStringLiteral(R"(
 ) d
 JOIN t_ICItem t1 ON d.FItemID = t1.FItemID
 JOIN t_MeasureUnit t3 ON t1.FUnitID = t3.FItemID
 ORDER BY d.FDate, d.FBillNo, d.FTranTypeID, d.FInterID, d.FEntryID)");

// The class type table names its columns by the login language as it is written.
QString classTypeColumn(const QString &language)
{
    const QString upper = language.toUpper();
    if (upper == QLatin1String("CHT"))
        return QStringLiteral("FName_CHT");
    if (upper == QLatin1String("EN"))
        return QStringLiteral("FName_EN");
    return QStringLiteral("FName_CHS");
}

QString tranTypeColumn(const QString &language)
{
    const QString upper = language.toUpper();
    if (upper == QLatin1String("CHT"))
        return QStringLiteral("FName_CHT");
    if (upper == QLatin1String("EN"))
        return QStringLiteral("FName_EN");
    return QStringLiteral("FName");
}

} // namespace

// Place, auxiliary property, period, production date and the reservation: the
// conditions every branch shares after its own.
SqlFragment DocumentQuery::commonLine(const QString &placeColumn, const QString &kfColumn) const
{
    const SelectContext &r = m_o.row;
    SqlFragment f(QStringLiteral(" AND v1.%1 = ? AND v1.FAuxPropID = ? AND v1.FKFPeriod = ?").arg(placeColumn),
                  {r.stockPlaceId, r.auxPropId, r.kfPeriod});
    // an entry without a production date holds NULL or an empty text; a dated one
    // may carry a time after the day
    if (r.kfDate.isEmpty())
        f += SqlFragment(QStringLiteral(" AND (%1 IS NULL OR %1 = '')").arg(kfColumn));
    else
        f += SqlFragment(QStringLiteral(" AND substr(%1, 1, 10) = ?").arg(kfColumn), {r.kfDate});
    return f;
}

SqlFragment DocumentQuery::stockBranch(Branch branch) const
{
    const SelectContext &r = m_o.row;
    const bool into = branch == Branch::IntoStock;
    const QString direction =
        into ? QStringLiteral("CASE WHEN u1.FTranType IN %1 THEN 1 ELSE 0 END").arg(inflowTypes) : QStringLiteral("0");
    const QString place = branch == Branch::TransferOut ? QStringLiteral("FSCSPID") : QStringLiteral("FDCSPID");
    const QString stock = into ? QStringLiteral("FDCStockID") : QStringLiteral("FSCStockID");
    const QString head = stockHead.arg(direction, place, stock);
    SqlFragment f(head, {r.stockId, r.itemId, r.batchNo, r.mtoNo});
    if (m_o.process.backupType == ProcessInfo::CutOffDate)
        f += SqlFragment(QStringLiteral(" AND u1.FDate >= ?"), {Dialect::dateValue(m_o.process.cutDate.addDays(1))});
    else
        f += SqlFragment(QStringLiteral(" AND u1.FInterID > ?"), {m_o.process.maxInterId});
    f += commonLine(place, QStringLiteral("v1.FKFDate"));
    switch (branch) {
    case Branch::IntoStock:
        f += SqlFragment(QStringLiteral(" AND u1.FTranType IN ") + intoTypes);
        break;
    case Branch::Requisition:
        f += SqlFragment(QStringLiteral(" AND u1.FTranType = ?"), {TranType::Requisition});
        break;
    case Branch::TransferOut:
        f += SqlFragment(QStringLiteral(" AND u1.FTranType = ?"), {TranType::Transfer});
        break;
    }
    f += SqlFragment(QStringLiteral(" AND (COALESCE(v1.FSelectedProcID, 0) = 0 OR v1.FSelectedProcID = ?)"),
                     {m_o.processId});
    return f;
}

SqlFragment DocumentQuery::mtoBranch(bool into) const
{
    const SelectContext &r = m_o.row;
    const QString mtoColumn = into ? QStringLiteral("FToMtoNo") : QStringLiteral("FFromMtoNo");
    const QString head = mtoHead.arg(into ? QStringLiteral("1") : QStringLiteral("0"), mtoColumn);
    SqlFragment f(head, {r.itemId, MtoChangeClass, r.stockId, r.batchNo, r.mtoNo});
    if (m_o.process.backupType == ProcessInfo::CutOffDate)
        f += SqlFragment(QStringLiteral(" AND u1.FDate >= ?"), {Dialect::dateValue(m_o.process.cutDate.addDays(1))});
    else
        f += SqlFragment(QStringLiteral(" AND u1.FID > ?"), {m_o.process.maxMtoChangeId});
    f += commonLine(QStringLiteral("FSPID"), QStringLiteral("v1.FKFDate"));
    f += SqlFragment(QStringLiteral(" AND (COALESCE(v1.FSelectedProcID, 0) = 0 OR v1.FSelectedProcID = ?)"),
                     {m_o.processId});
    return f;
}

SqlFragment DocumentQuery::statement() const
{
    const SqlFragment unionAll(QStringLiteral("\nUNION ALL\n"));
    SqlFragment sql(namesHead.arg(tranTypeColumn(m_o.language), classTypeColumn(m_o.language),
                                  m_o.fullNumbers ? QStringLiteral("FNumber") : QStringLiteral("FShortNumber")));
    sql += stockBranch(Branch::IntoStock) + unionAll + stockBranch(Branch::Requisition) + unionAll +
           stockBranch(Branch::TransferOut);
    if (m_o.mtoPlanMode)
        sql += unionAll + mtoBranch(true) + unionAll + mtoBranch(false);
    // ids and entries after date and number keep each document's entries together
    // even when two documents share a date and a number
    sql += SqlFragment(namesTail);
    return sql;
}

Recordset DocumentQuery::run(AppConnection &connection) const
{
    const SqlFragment sql = statement();
    return connection.ExecuteKept(sql.sql, sql.binds);
}
