// The operations on one count process that the process list and the host call:
// rename, delete, flags and status, and the retail count results.

#include "icbackupinv.h"

#include "model/countjournal.h"

#include "host/appconnection.h"
#include "host/sharedstate.h"

namespace {

const QString saveProcSql =
    QStringLiteral(R"(UPDATE ICStockCheckProcess SET FProcessID = ?, FRemark = ? WHERE FID = ?)");
const QString billsOfProcessSql =
    QStringLiteral(R"(SELECT FBillNo FROM ICStockBill WHERE FProcID = ? ORDER BY FInterID)");
const QString anyBillOfProcessSql = QStringLiteral(R"(SELECT 1 AS FFound FROM ICStockBill WHERE FProcID = ? LIMIT 1)");

// A process goes with its rows, and whatever was reserved for it becomes free.
const char *const deleteProcessSql[] = {
    "DELETE FROM ICStockCheckProcess WHERE FID = ?",
    "DELETE FROM ICInvBackup WHERE FInterID = ?",
    "DELETE FROM ICStockCheckJournal WHERE FInterID = ?",
    "UPDATE ICStockBillEntry SET FSelectedProcID = 0 WHERE FSelectedProcID = ?",
    "UPDATE t_MTOChangeEntry SET FSelectedProcID = 0 WHERE FSelectedProcID = ?",
    "UPDATE ICVMIInStockEntry SET FSelectedProcID = 0 WHERE FSelectedProcID = ?",
};

const QString stockBackedUpSql = QStringLiteral(R"(SELECT 1 AS FFound FROM ICInvBackup WHERE FStockID = ? LIMIT 1)");
const QString stockFinishedSql = QStringLiteral(R"(SELECT 1 AS FFound FROM ICInvBackup
 WHERE FStockID = ? AND FBillInterID IS NOT NULL AND FBillInterID IN (SELECT FInterID FROM ICStockBill) LIMIT 1)");
const QString writeFlagSql = QStringLiteral(R"(UPDATE ICStockCheckProcess SET FStockFlag = ? WHERE FID = ?)");
const QString readFlagSql = QStringLiteral(R"(SELECT FStockFlag FROM ICStockCheckProcess WHERE FID = ?)");
const QString writeStatusSql = QStringLiteral(R"(UPDATE ICStockCheckProcess SET FStatus = ? WHERE FID = ?)");
const QString unauditedRetailSql = QStringLiteral(R"(SELECT 1 AS FFound FROM t_LS_InventoryCheck
 WHERE FCancellation = 0 AND FAuditFlag = 1 AND FProcessID = ?
UNION ALL
SELECT 1 FROM t_LS_ReInventoryCheck WHERE FCancellation = 0 AND FAuditFlag = 1 AND FProcessID = ?)");
const QString disableBillsSql = QStringLiteral(R"(UPDATE ICStockBill SET FCancellation = 1 WHERE FProcID = ?)");
const QString usersSql = QStringLiteral(R"(SELECT FID, FName, FNumber FROM v_User ORDER BY FID)");

// --- Retail count results --------------------------------------------------------

const QString retailCreateSql = QStringLiteral(R"(CREATE TEMP TABLE T_StockBillDate (
    FType INTEGER DEFAULT 0, FProcessID INTEGER DEFAULT 0, FStockID INTEGER DEFAULT 0,
    FStockPlaceID INTEGER DEFAULT 0, FItemID INTEGER DEFAULT 0, FAuxPropID INTEGER DEFAULT 0,
    FActualQty %1 DEFAULT 0, FKFDate %2 NULL, FBatchNo %3 NULL, FMtoNo %3 NULL, FUnitID INTEGER DEFAULT 0))");

// The audited (FAuditFlag 2), not cancelled documents of one kind summed per
// position in the item's stock unit; %1 the header table, %2 the kind (0 count,
// 1 re-count). A missing date, batch or MTO number is '' as in the count rows.
const QString retailCollectSql = QStringLiteral(R"(INSERT INTO T_StockBillDate
    (FType, FProcessID, FStockID, FStockPlaceID, FItemID, FAuxPropID, FActualQty, FKFDate, FBatchNo, FMtoNo, FUnitID)
SELECT %2, t1.FProcessID, t2.FStockID, t2.FStockPlaceID, t2.FItemID, t2.FAuxPropID, SUM(t2.FActualQty),
       COALESCE(substr(t2.FKFDate, 1, 10), ''), COALESCE(t2.FBatchNo, ''), COALESCE(t2.FMtoNo, ''), t4.FStoreUnitID
  FROM %1 t1
 INNER JOIN %1Entry t2 ON t1.FID = t2.FID
 INNER JOIN t_ICItem t4 ON t2.FItemID = t4.FItemID
 WHERE t1.FProcessID = ? AND t1.FAuditFlag = 2 AND t1.FCancellation = 0
 GROUP BY t1.FProcessID, t2.FStockID, t2.FStockPlaceID, t2.FItemID, t2.FAuxPropID,
       COALESCE(substr(t2.FKFDate, 1, 10), ''), COALESCE(t2.FBatchNo, ''), COALESCE(t2.FMtoNo, ''), t4.FStoreUnitID)");

// A count row and a collected position are the same position.
const QString samePosition = QStringLiteral(
    R"(%1.FInterID = t2.FProcessID AND %1.FStockID = t2.FStockID AND %1.FStockPlaceID = t2.FStockPlaceID
   AND %1.FItemID = t2.FItemID AND %1.FAuxPropID = t2.FAuxPropID AND %1.FKFDate = t2.FKFDate
   AND %1.FBatchNo = t2.FBatchNo AND %1.FMtoNo = t2.FMtoNo AND %1.FUnitID = t2.FUnitID)");

// The counted base quantity replaces the actual quantity of the row; %1 the
// column that keeps the figure in the row's unit (FAuxCheckQty for a count,
// FReCheckQty for a re-count), %2 the further settings, %3 the kind.
const QString retailUpdateSql = QStringLiteral(R"(UPDATE ICInvBackup
   SET %1 = t2.FActualQty / u.FCoefficient, FAuxQtyAct = t2.FActualQty / u.FCoefficient, FQtyAct = t2.FActualQty,
       FMinus = ROUND(t2.FActualQty - COALESCE(ICInvBackup.FQty, 0) - ICInvBackup.FAdjQty * u.FCoefficient, 10)%2
  FROM T_StockBillDate t2, t_MeasureUnit u
 WHERE t2.FType = %3 AND u.FMeasureUnitID = ICInvBackup.FUnitID AND %4)");

// Positions counted in the shop that have no row get one, without book stock.
const QString retailInsertSql = QStringLiteral(R"(INSERT INTO ICInvBackup
    (FBrNo, FInterID, FStockID, FStockPlaceID, FItemID, FAuxPropID, FKFDate, FBatchNo, FMtoNo, FQty, FAuxQty,
     %1, FAuxQtyAct, FQtyAct, FMinus, FAdj, FSelect, FUnitID, FDateBackup%2)
SELECT '0', t2.FProcessID, t2.FStockID, t2.FStockPlaceID, t2.FItemID, t2.FAuxPropID, t2.FKFDate, t2.FBatchNo,
       t2.FMtoNo, 0, 0, t2.FActualQty / u.FCoefficient, t2.FActualQty / u.FCoefficient, t2.FActualQty,
       t2.FActualQty, 0, 0, t2.FUnitID, %4%3
  FROM T_StockBillDate t2
 INNER JOIN t_MeasureUnit u ON u.FMeasureUnitID = t2.FUnitID
 WHERE t2.FType = %5 AND NOT EXISTS (SELECT 1 FROM ICInvBackup b WHERE %6))");

// The secondary figures of the merged rows follow the base ones in the row's own
// ratio. Rows the retail documents did not touch keep theirs: a secondary count
// typed in the sheet is not recomputed away.
const QString retailSecondarySql = QStringLiteral(R"(UPDATE ICInvBackup
   SET FCheckQty = FQtyAct,
       FSecQtyAct = CASE WHEN FSecQty = 0 OR COALESCE(FQty, 0) = 0 THEN 0 ELSE FQtyAct * FSecQty / FQty END,
       FSecCheckQty = CASE WHEN FSecQty = 0 OR COALESCE(FQty, 0) = 0 THEN 0 ELSE FQtyAct * FSecQty / FQty END,
       FSecMinus = CASE WHEN FSecQty = 0 OR COALESCE(FQty, 0) = 0 THEN 0
                   ELSE COALESCE(FMinus, 0) * FSecQty / FQty END
 WHERE FInterID = ? AND EXISTS (SELECT 1 FROM T_StockBillDate t2 WHERE %1))");

bool found(AppConnection &conn, const QString &sql, const QVariantList &binds)
{
    return !conn.ExecuteRaiseErr(sql, binds).isEmpty();
}

void mergeRetailResults(AppConnection &conn, int processId, int userId)
{
    const Dialect &d = conn.dialect();
    conn.ExecuteRaiseErr(QStringLiteral("DROP TABLE IF EXISTS ") + d.tempSchema() + QStringLiteral(".T_StockBillDate"));
    conn.ExecuteRaiseErr(retailCreateSql.arg(d.quantityType(), d.textType(10), d.textType(300)));
    conn.ExecuteRaiseErr(retailCollectSql.arg(QStringLiteral("t_LS_InventoryCheck"), QStringLiteral("0")), {processId});
    conn.ExecuteRaiseErr(retailCollectSql.arg(QStringLiteral("t_LS_ReInventoryCheck"), QStringLiteral("1")),
                         {processId});
    const struct
    {
        const char *kind, *column, *flagSet, *flagColumn, *flagValue;
    } kinds[] = {{"0", "FAuxCheckQty", "", "", ""},
                 {"1", "FReCheckQty", ", FReCheckFlag = 1", ", FReCheckFlag", ", 1"}};
    for (const auto &k : kinds) {
        QString update = retailUpdateSql;
        update.replace(QLatin1String("%1"), QString::fromLatin1(k.column))
            .replace(QLatin1String("%2"), QString::fromLatin1(k.flagSet))
            .replace(QLatin1String("%3"), QString::fromLatin1(k.kind))
            .replace(QLatin1String("%4"),
                     QString(samePosition).replace(QLatin1String("%1"), QStringLiteral("ICInvBackup")));
        conn.ExecuteRaiseErr(update);
        QString insert = retailInsertSql;
        insert.replace(QLatin1String("%1"), QString::fromLatin1(k.column))
            .replace(QLatin1String("%2"), QString::fromLatin1(k.flagColumn))
            .replace(QLatin1String("%3"), QString::fromLatin1(k.flagValue))
            .replace(QLatin1String("%4"), d.now())
            .replace(QLatin1String("%5"), QString::fromLatin1(k.kind))
            .replace(QLatin1String("%6"), QString(samePosition).replace(QLatin1String("%1"), QStringLiteral("b")));
        conn.ExecuteRaiseErr(insert);
    }
    conn.ExecuteRaiseErr(
        retailSecondarySql.arg(QString(samePosition).replace(QLatin1String("%1"), QLatin1String("ICInvBackup"))),
        {processId});
    // every row a retail document reached, with its figures after the merge
    CountJournal::appendRows(
        conn,
        SqlFragment(QStringLiteral("b.FInterID = ? AND EXISTS (SELECT 1 FROM T_StockBillDate t2 WHERE %1)")
                        .arg(QString(samePosition).replace(QLatin1String("%1"), QLatin1String("b"))),
                    {processId}),
        CountEntryKind::RetailResult, CountSource::retail, userId);
    conn.ExecuteRaiseErr(QStringLiteral("DROP TABLE ") + d.tempSchema() + QStringLiteral(".T_StockBillDate"));
}

} // namespace

bool ICBackupInv::inTransaction(const std::function<void(AppConnection &)> &work)
{
    m_error = {};
    AppConnection *conn = connection();
    if (!conn)
        return false;
    try {
        Transaction tx(*conn);
        work(*conn);
        tx.commit();
        return true;
    } catch (const DbException &e) {
        m_error = e.error();
        return false;
    }
}

bool ICBackupInv::SaveProc(const QVariantMap &edit)
{
    return inTransaction([&](AppConnection &c) {
        c.ExecuteRaiseErr(saveProcSql,
                          {edit.value(QStringLiteral("ProcID")).toString(),
                           edit.value(QStringLiteral("Remark")).toString(), edit.value(QStringLiteral("FID")).toInt()});
    });
}

QString ICBackupInv::GetStockBillByProcID(int processId)
{
    QStringList numbers;
    inTransaction([&](AppConnection &c) {
        Recordset rs = c.ExecuteRaiseErr(billsOfProcessSql, {processId});
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            numbers << rs.text(u"FBillNo").trimmed();
    });
    return numbers.join(QLatin1Char(','));
}

bool ICBackupInv::DelProcAndBackupData(int processId)
{
    bool refused = false;
    const bool done = inTransaction([&](AppConnection &c) {
        // documents made since the list was read keep their process
        if (found(c, anyBillOfProcessSql, {processId})) {
            refused = true;
            return;
        }
        for (const char *sql : deleteProcessSql)
            c.ExecuteRaiseErr(QString::fromLatin1(sql), {processId});
    });
    return done && !refused;
}

bool ICBackupInv::StockIsBackuped(int stockId)
{
    bool result = false;
    inTransaction([&](AppConnection &c) { result = found(c, stockBackedUpSql, {stockId}); });
    return result;
}

bool ICBackupInv::StockIsFinished(int stockId)
{
    bool result = false;
    inTransaction([&](AppConnection &c) { result = found(c, stockFinishedSql, {stockId}); });
    return result;
}

bool ICBackupInv::WrightStockFlag(int processId, const QString &flag)
{
    return inTransaction([&](AppConnection &c) { c.ExecuteRaiseErr(writeFlagSql, {flag, processId}); });
}

QString ICBackupInv::getStockFlag(int processId)
{
    QString flag;
    inTransaction([&](AppConnection &c) { flag = c.ExecuteRaiseErr(readFlagSql, {processId}).text(u"FStockFlag"); });
    return flag;
}

bool ICBackupInv::WrightStockStatus(int processId, qint16 status)
{
    return inTransaction([&](AppConnection &c) { c.ExecuteRaiseErr(writeStatusSql, {int(status), processId}); });
}

bool ICBackupInv::isHaveUnCheckBill(int processId)
{
    bool result = false;
    inTransaction([&](AppConnection &c) { result = found(c, unauditedRetailSql, {processId, processId}); });
    return result;
}

bool ICBackupInv::UpdateStockBillDate(int processId)
{
    AppConnection *conn = connection();
    const bool done = inTransaction([&](AppConnection &c) { mergeRetailResults(c, processId, shared().operatorId); });
    if (!done && conn) // the temporary table may outlive a failed transaction on SQLite
        conn->Exec(QStringLiteral("DROP TABLE IF EXISTS ") + conn->dialect().tempSchema() +
                   QStringLiteral(".T_StockBillDate"));
    return done;
}

bool ICBackupInv::DisableStockBill(int processId)
{
    return inTransaction([&](AppConnection &c) { c.ExecuteRaiseErr(disableBillsSql, {processId}); });
}

QString ICBackupInv::GetUserComboBoxString()
{
    QStringList names;
    inTransaction([&](AppConnection &c) {
        Recordset rs = c.ExecuteRaiseErr(usersSql);
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            names << rs.text(u"FName").trimmed();
    });
    return names.join(QLatin1Char('|'));
}
