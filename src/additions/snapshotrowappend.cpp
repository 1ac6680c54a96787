#include "snapshotrowappend.h"

#include "model/countjournal.h"

#include "host/hostui.h"
#include "host/logging.h"
#include "host/numbers.h"
#include "host/texts.h"

namespace {

const char *const logName = "N5StockCheck.frmAddItem.AppendRow";

// Every process's rows carry the snapshot's highest document id; a process whose
// rows are all gone still has it in its header.
const QString maxBillSql = QStringLiteral(
    R"(SELECT COALESCE((SELECT MAX(FMaxBillInterID) FROM ICInvBackup WHERE FInterID = ?),
                 (SELECT FMaxBillInterID FROM ICStockCheckProcess WHERE FID = ?)) AS FMaxBillInterID)");

const QString existsSql = QStringLiteral("SELECT COALESCE(FReCheckFlag, 0) AS FReCheckFlag FROM ICInvBackup WHERE");

// A new row: no book stock, so the counted figures are the whole difference. The
// differences are written by the recompute below, as for any other row.
const QString insertSql = QStringLiteral(
    R"(INSERT INTO ICInvBackup
 (FInterID, FBrNo, FItemID, FAuxPropID, FUnitID, FBatchNo, FMtoNo, FStockID, FQty, FSelect, FAdj, FAdjQty,
  FDateBackup, FMaxBillInterID, FCheckQty, FQtyAct, FAuxCheckQty, FAuxQtyAct, FAuxQty, FMinus, FNote,
  FStockPlaceID, FKFDate, FKFPeriod, FSecUnitID, FSecQty, FSecQtyAct, FSecCheckQty, FSecAdjQty, FSecMinus)
 VALUES (?, '0', ?, ?, ?, ?, ?, ?, 0, 0, 0, ?, %1, ?, ?, ?, ?, ?, 0, 0, ?, ?, ?, ?, ?, 0, ?, ?, ?, 0))");

// The same key again: the counts (and an adjustment typed with them) add to what
// the row holds; book quantities stay the snapshot's. A note fills an empty one.
const QString accumulateSql = QStringLiteral(
    R"(UPDATE ICInvBackup
   SET FCheckQty = ROUND(COALESCE(FCheckQty, 0) + ?, 10), FAuxCheckQty = ROUND(COALESCE(FAuxCheckQty, 0) + ?, 10),
       FSecCheckQty = ROUND(FSecCheckQty + ?, 10),
       FQtyAct = ROUND(COALESCE(FQtyAct, 0) + ?, 10), FAuxQtyAct = ROUND(COALESCE(FAuxQtyAct, 0) + ?, 10),
       FSecQtyAct = ROUND(FSecQtyAct + ?, 10),
       FAdjQty = ROUND(FAdjQty + ?, 10), FSecAdjQty = ROUND(FSecAdjQty + ?, 10),
       FNote = COALESCE(NULLIF(FNote, ''), ?)
 WHERE)");

// The differences as saving computes them, so a later save of the row agrees.
const QString recomputeSql = QStringLiteral(
    R"(UPDATE ICInvBackup SET FMinus = ROUND(COALESCE(FQtyAct, 0) - COALESCE(FQty, 0) - (FAdjQty * ?), 10),
       FSecMinus = ROUND(FSecQtyAct - FSecQty - FSecAdjQty, 10)
 WHERE)");

const QString differencesSql = QStringLiteral("SELECT FMinus, FSecMinus FROM ICInvBackup WHERE");

int sign(double v)
{
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

QString nonNull(const QString &s)
{
    return s.isNull() ? QString(QLatin1String("")) : s;
}

} // namespace

double AddedEntry::secAdjQty() const
{
    // the secondary unit's rate follows from the two counts of the entry
    if (qty == 0 || secQty == 0)
        return 0;
    return roundQuantity(adjQty * secQty / qty, decimals);
}

SnapshotRowAppend::SnapshotRowAppend(AppConnection &connection, HostUi *ui, bool alertSame)
    : m_connection(connection)
    , m_ui(ui)
    , m_alertSame(alertSame)
{}

QString SnapshotRowAppend::directionMessage()
{
    return LoadText("添加物料基本单位与辅助计量单位盘盈盘亏方向不一致，添加失败！");
}

bool SnapshotRowAppend::directionsAgree(double baseDiff, double secDiff, int decimals)
{
    const int a = sign(roundQuantity(baseDiff, decimals));
    const int b = sign(roundQuantity(secDiff, decimals));
    if (a == 0)
        return b == 0;
    return a + b != 0;
}

SnapshotRowAppend::SameRecord SnapshotRowAppend::sameRecord(const CountRowKey &key)
{
    const SqlFragment sql = SqlFragment(existsSql) + key.whereClause();
    Recordset rs = m_connection.ExecuteRaiseErr(sql.sql, sql.binds);
    if (rs.isEmpty())
        return SameRecord::None;
    return rs.integer(u"FReCheckFlag") == 1 ? SameRecord::Recounted : SameRecord::Counted;
}

QVariant SnapshotRowAppend::maxBillInterId(int processId)
{
    Recordset rs = m_connection.ExecuteRaiseErr(maxBillSql, {processId, processId});
    const QVariant v = rs.isEmpty() ? QVariant() : rs.Fields(u"FMaxBillInterID");
    return v.isNull() ? QVariant(QMetaType::fromType<int>()) : QVariant(v.toInt());
}

SnapshotRowAppend::Outcome SnapshotRowAppend::append(const AddedEntry &entry)
{
    LogBracket log(QString::fromLatin1(logName));
    m_error = {};
    try {
        // a recounted row has its count from the recount: goods are not added to it
        const SameRecord same = sameRecord(entry.key);
        if (same == SameRecord::Recounted)
            return Outcome::Recounted;
        if (m_alertSame && same == SameRecord::Counted) {
            const bool go = m_ui && m_ui->question(LoadText("已有相同记录，保存后将会累加盘点数量，是否继续？")) ==
                                        HostUi::Answer::Yes;
            if (!go)
                return Outcome::Declined;
        }
        const Outcome outcome = write(entry);
        log.end();
        return outcome;
    } catch (const DbException &e) {
        m_error = e.error();
        return Outcome::Failed;
    }
}

SnapshotRowAppend::Outcome SnapshotRowAppend::write(const AddedEntry &e)
{
    const CountRowKey &k = e.key;
    const SqlFragment where = k.whereClause();
    const double base = roundQuantity(e.qty * e.coefficient, e.decimals);
    const double secAdj = e.secAdjQty();
    Transaction tx(m_connection);
    const SameRecord same = sameRecord(k);
    if (same == SameRecord::Recounted) // recounted since the question
        return Outcome::Recounted;
    const bool exists = same == SameRecord::Counted;
    if (!exists) {
        const QVariant maxBill = maxBillInterId(k.processId);
        const QVariantList binds{k.processId,
                                 k.itemId,
                                 k.auxPropId,
                                 k.unitId,
                                 nonNull(k.batchNo),
                                 nonNull(k.mtoNo),
                                 k.stockId,
                                 e.adjQty,
                                 maxBill,
                                 base,
                                 base,
                                 e.qty,
                                 e.qty,
                                 nonNull(e.note),
                                 k.stockPlaceId,
                                 nonNull(k.kfDate),
                                 k.kfPeriod,
                                 e.secUnitId,
                                 e.secQty,
                                 e.secQty,
                                 secAdj};
        m_connection.ExecuteRaiseErr(insertSql.arg(m_connection.dialect().now()), binds);
    } else {
        const SqlFragment sql = SqlFragment(accumulateSql, {base, e.qty, e.secQty, base, e.qty, e.secQty, e.adjQty,
                                                            secAdj, nonNull(e.note)}) +
                                where;
        m_connection.ExecuteRaiseErr(sql.sql, sql.binds);
    }
    const SqlFragment recompute = SqlFragment(recomputeSql, {e.coefficient}) + where;
    m_connection.ExecuteRaiseErr(recompute.sql, recompute.binds);
    const SqlFragment check = SqlFragment(differencesSql) + where;
    Recordset rs = m_connection.ExecuteRaiseErr(check.sql, check.binds);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        if (!directionsAgree(rs.number(u"FMinus"), rs.number(u"FSecMinus"), e.decimals))
            return Outcome::Direction; // the guard rolls the whole entry back
    CountJournal::appendRows(m_connection, k.whereClause(QStringLiteral("b.")), CountEntryKind::AddedItem,
                             CountSource::addItem, e.userId);
    tx.commit();
    return exists ? Outcome::Accumulated : Outcome::Inserted;
}
