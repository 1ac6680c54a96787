#include "stockbills.h"

#include "host/appconnection.h"
#include "host/stockdocuments.h"
#include "host/texts.h"

#include <QStringList>

namespace erp {

namespace {

const char *const kBillsSql = R"(SELECT x.FInterID, x.FBillNo, x.FTranType, x.FDate, x.FProcID, x.FCheckerID,
 x.FEntries, x.FTotalQty, x.FStock, s.FNumber AS FStockNumber, s.FName AS FStockName
FROM (SELECT h.FInterID, h.FBillNo, h.FTranType, h.FDate, h.FProcID, h.FCheckerID,
  COUNT(e.FEntryID) AS FEntries, SUM(e.FQty) AS FTotalQty, MIN(e.FDCStockID) AS FStock
 FROM ICStockBill h LEFT JOIN ICStockBillEntry e ON e.FInterID = h.FInterID
 WHERE h.FInterID IN (%1)
 GROUP BY h.FInterID, h.FBillNo, h.FTranType, h.FDate, h.FProcID, h.FCheckerID) x
LEFT JOIN t_Stock s ON s.FItemID = x.FStock)";

const char *const kFindSql = R"(SELECT FInterID FROM ICStockBill WHERE FBillNo = ? ORDER BY FInterID)";

const char *const kEntriesSql = R"(SELECT e.FEntryID, i.FNumber AS FItemNumber, i.FName AS FItemName,
 i.FModel, e.FBatchNo, e.FMtoNo, e.FKFDate, e.FKFPeriod, u.FName AS FUnitName, e.FAuxQty, e.FQty, e.FSecQty,
 e.FPrice, e.FAmount, s.FName AS FStockName, p.FName AS FPlaceName
FROM ICStockBillEntry e
LEFT JOIN t_ICItem i ON i.FItemID = e.FItemID
LEFT JOIN t_MeasureUnit u ON u.FMeasureUnitID = e.FUnitID
LEFT JOIN t_Stock s ON s.FItemID = e.FDCStockID
LEFT JOIN t_StockPlace p ON p.FSPID = e.FDCSPID
WHERE e.FInterID = ? ORDER BY e.FEntryID)";

const char *const kStatusSql = R"(UPDATE ICStockCheckProcess SET FStatus = ? WHERE FID = ?)";

const char *const kHeaderSql = R"(SELECT FTranType, FCheckerID, FCancellation, FProcID FROM ICStockBill
 WHERE FInterID = ?)";

// Claims the document: a second audit running at the same time changes no row.
const char *const kMarkAuditedSql = R"(UPDATE ICStockBill SET FCheckerID = ?, FCheckDate = %1, FStatus = 1
 WHERE FInterID = ? AND COALESCE(FCheckerID, 0) = 0)";

// The entries' positions, one row each, with what the document moves there.
const char *const kPositionsSql = R"(SELECT FItemID, FDCStockID, FDCSPID, FBatchNo, FMtoNo, FAuxPropID,
 COALESCE(FKFDate, '') AS FKFDate, FKFPeriod, SUM(FQty) AS FQty, SUM(FSecQty) AS FSecQty, SUM(FAmount) AS FAmount
 FROM ICStockBillEntry WHERE FInterID = ?
 GROUP BY FItemID, FDCStockID, FDCSPID, FBatchNo, FMtoNo, FAuxPropID, COALESCE(FKFDate, ''), FKFPeriod)";

const char *const kAddPositionsSql = R"(INSERT INTO ICInventory (FItemID, FStockID, FStockPlaceID, FBatchNo,
 FMtoNo, FAuxPropID, FKFDate, FKFPeriod, FQty, FSecQty, FBal, FStockInDate)
SELECT s.FItemID, s.FDCStockID, s.FDCSPID, s.FBatchNo, s.FMtoNo, s.FAuxPropID, s.FKFDate, s.FKFPeriod, 0, 0, 0, %1
 FROM (%2) s
 WHERE NOT EXISTS (SELECT 1 FROM ICInventory v WHERE v.FItemID = s.FItemID AND v.FStockID = s.FDCStockID
  AND v.FStockPlaceID = s.FDCSPID AND v.FBatchNo = s.FBatchNo AND v.FMtoNo = s.FMtoNo
  AND v.FAuxPropID = s.FAuxPropID AND COALESCE(v.FKFDate, '') = s.FKFDate AND v.FKFPeriod = s.FKFPeriod))";

// "%1" is + for a gain document and - for a loss document.
const char *const kPostSql = R"(UPDATE ICInventory SET FQty = ICInventory.FQty %1 s.FQty,
 FSecQty = ICInventory.FSecQty %1 s.FSecQty, FBal = ICInventory.FBal %1 s.FAmount
FROM (%2) s
WHERE ICInventory.FItemID = s.FItemID AND ICInventory.FStockID = s.FDCStockID
 AND ICInventory.FStockPlaceID = s.FDCSPID AND ICInventory.FBatchNo = s.FBatchNo
 AND ICInventory.FMtoNo = s.FMtoNo AND ICInventory.FAuxPropID = s.FAuxPropID
 AND COALESCE(ICInventory.FKFDate, '') = s.FKFDate AND ICInventory.FKFPeriod = s.FKFPeriod)";

QString placeholders(int count)
{
    QStringList marks;
    for (int k = 0; k < count; ++k)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

} // namespace

std::optional<QList<StockBill>> loadStockBills(AppConnection &c, const QList<int> &ids)
{
    QList<StockBill> bills;
    if (ids.isEmpty())
        return bills;
    QVariantList binds;
    for (int id : ids)
        binds << id;
    Recordset rs = c.Execute(QString::fromUtf8(kBillsSql).arg(placeholders(int(ids.size()))), binds);
    if (!rs.isOpen())
        return std::nullopt;
    for (int id : ids) {
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            if (rs.integer(u"FInterID") != id)
                continue;
            bills.append({id, rs.text(u"FBillNo"), rs.integer(u"FTranType"), rs.dateTime(u"FDate").date(),
                          rs.integer(u"FProcID"), rs.integer(u"FCheckerID") != 0, rs.integer(u"FStock"),
                          rs.text(u"FStockNumber"), rs.text(u"FStockName"), rs.integer(u"FEntries"),
                          rs.number(u"FTotalQty")});
            break;
        }
    }
    return bills;
}

std::optional<int> findStockBill(AppConnection &c, const QString &billNo)
{
    Recordset rs = c.Execute(QString::fromUtf8(kFindSql), {billNo});
    if (!rs.isOpen())
        return std::nullopt;
    return rs.isEmpty() ? 0 : rs.integer(u"FInterID");
}

Recordset loadStockBillEntries(AppConnection &c, int interId)
{
    return c.Execute(QString::fromUtf8(kEntriesSql), {interId});
}

void WrightStockStatus(AppConnection &c, int processId, int status)
{
    c.ExecuteRaiseErr(QString::fromUtf8(kStatusSql), {status, processId});
}

AuditResult auditStockBill(AppConnection &c, int interId, int userId, DbError *error)
{
    try {
        Transaction tx(c);
        Recordset header = c.ExecuteRaiseErr(QString::fromUtf8(kHeaderSql), {interId});
        if (header.isEmpty())
            return AuditResult::NotFound;
        if (header.integer(u"FCheckerID") != 0)
            return AuditResult::AlreadyAudited;
        if (header.integer(u"FCancellation") != 0)
            return AuditResult::Cancelled;
        int marked = 0;
        if (!c.Exec(QString::fromUtf8(kMarkAuditedSql).arg(c.dialect().today()), {userId, interId}, &marked))
            throw DbException(c.lastError());
        if (marked != 1)
            return AuditResult::AlreadyAudited;
        const bool gain = header.integer(u"FTranType") != TranType::Loss;
        const QString positions = QString::fromUtf8(kPositionsSql);
        c.ExecuteRaiseErr(QString::fromUtf8(kAddPositionsSql).arg(c.dialect().today(), positions), {interId});
        c.ExecuteRaiseErr(QString::fromUtf8(kPostSql).arg(gain ? QStringLiteral("+") : QStringLiteral("-"), positions),
                          {interId});
        WrightStockStatus(c, header.integer(u"FProcID"), 1);
        tx.commit();
        return AuditResult::Audited;
    } catch (const DbException &e) {
        if (error)
            *error = e.error();
        return AuditResult::Failed;
    }
}

QString auditResultText(AuditResult result, const QString &billNo)
{
    switch (result) {
    case AuditResult::Audited:
        return FormatText("单据%1审核完成。", {billNo});
    case AuditResult::NotFound:
        return FormatText("找不到单据%1。", {billNo});
    case AuditResult::AlreadyAudited:
        return FormatText("单据%1已审核。", {billNo});
    case AuditResult::Cancelled:
        return FormatText("单据%1已作废，不能审核。", {billNo});
    case AuditResult::Failed:
        break;
    }
    return FormatText("审核单据%1失败。", {billNo});
}

} // namespace erp
