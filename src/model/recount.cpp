#include "recount.h"

#include "countjournal.h"

#include "host/appconnection.h"
#include "host/numbers.h"
#include "host/sharedstate.h"
#include "host/texts.h"

#include <cmath>

namespace {

// Counted rows of a process with what the recount sheet shows. A snapshot starts
// every row at a counted zero (or at the book), so a row counts as counted when
// somebody wrote it (FChecker), recounted it, or the journal has an entry for it.
const QString linesSql = QStringLiteral(
    R"(SELECT t1.FItemID, t1.FAuxPropID, t1.FUnitID, t1.FBatchNo, t1.FMtoNo, t1.FKFDate, t1.FKFPeriod, t1.FStockID,
       t1.FStockPlaceID, RTRIM(t12.FName) AS FStockName, t11.FName AS FSPName, t2.FNumber, t2.FShortNumber,
       t2.FName, t2.FModel, t13.FName AS FAuxPropName, t4.FName AS FUnitName, t2.FQtyDecimal,
       t1.FQty, t1.FAuxQty, t1.FAuxCheckQty, t1.FMinus, t1.FReCheckFlag, t1.FReCheckQty
  FROM ICInvBackup t1 INNER JOIN t_ICItem t2 ON t1.FItemID = t2.FItemID
  LEFT JOIN t_MeasureUnit t4 ON t1.FUnitID = t4.FItemID
  LEFT JOIN t_StockPlace t11 ON t1.FStockPlaceID = t11.FSPID
  LEFT JOIN t_Stock t12 ON t1.FStockID = t12.FItemID
  LEFT JOIN t_AuxItem t13 ON t1.FAuxPropID = t13.FItemID
 WHERE t1.FInterID = ? AND t1.FQtyAct IS NOT NULL AND (%1)
 ORDER BY t12.FNumber, t11.FNumber, t2.FNumber, t1.FBatchNo, t1.FKFDate)");

const QString countedSql = QStringLiteral(
    R"(%1.FChecker IS NOT NULL OR %1.FReCheckFlag = 1 OR EXISTS (SELECT 1 FROM ICStockCheckJournal j
   WHERE j.FInterID = %1.FInterID AND j.FItemID = %1.FItemID AND j.FStockID = %1.FStockID
     AND j.FStockPlaceID = %1.FStockPlaceID AND j.FBatchNo = %1.FBatchNo AND j.FMtoNo = %1.FMtoNo
     AND j.FAuxPropID = %1.FAuxPropID AND j.FUnitID = %1.FUnitID AND j.FKFDate = %1.FKFDate
     AND j.FKFPeriod = %1.FKFPeriod))");

// The journal entries of a process's recounted rows: their first counts in one read.
const QString recountedEntriesSql = QStringLiteral(
    R"(j.FInterID = ? AND EXISTS (SELECT 1 FROM ICInvBackup b
   WHERE b.FInterID = j.FInterID AND b.FReCheckFlag = 1 AND b.FItemID = j.FItemID AND b.FStockID = j.FStockID
     AND b.FStockPlaceID = j.FStockPlaceID AND b.FBatchNo = j.FBatchNo AND b.FMtoNo = j.FMtoNo
     AND b.FAuxPropID = j.FAuxPropID AND b.FUnitID = j.FUnitID AND COALESCE(b.FKFDate, '') = j.FKFDate
     AND b.FKFPeriod = j.FKFPeriod))");

// Taken first: on PostgreSQL the row stays locked to the end of the transaction, so
// what is read next is what the recount replaces, and two recounts of one row
// take their turns.
const QString lockSql = QStringLiteral("UPDATE ICInvBackup SET FReCheckFlag = FReCheckFlag WHERE");

const QString rowSql = QStringLiteral(
    R"(SELECT ICInvBackup.FQtyAct, (SELECT u.FCoefficient FROM t_MeasureUnit u WHERE u.FItemID = ICInvBackup.FUnitID)
       AS FCoefficient, CASE WHEN %1 THEN 1 ELSE 0 END AS FCounted FROM ICInvBackup WHERE)");

// The recount becomes the row's count: counted and actual quantities lose what
// was counted before and gain the recount, so documents folded in after the
// snapshot stay in the actual. Every SET reads the row as it was.
const QString figuresSql = QStringLiteral(
    R"(UPDATE ICInvBackup
   SET FAuxQtyAct = ROUND(COALESCE(FAuxQtyAct, 0) - COALESCE(FAuxCheckQty, 0) + ?, 10),
       FQtyAct = ROUND(COALESCE(FQtyAct, 0) - COALESCE(FCheckQty, 0) + ?, 10),
       FAuxCheckQty = ?, FCheckQty = ?, FReCheckQty = ?, FReCheckFlag = 1, FChecker = ?
 WHERE)");
// Then the secondary count in the row's own ratio (as the retail recount does),
// its actual keeping its documents, and both differences from the figures written.
const QString secondarySql = QStringLiteral(
    R"(UPDATE ICInvBackup
   SET FSecQtyAct = CASE WHEN FSecQty = 0 OR COALESCE(FQty, 0) = 0 THEN FSecQtyAct
                         ELSE ROUND(FSecQtyAct - FSecCheckQty + FCheckQty * FSecQty / FQty, 10) END,
       FSecCheckQty = CASE WHEN FSecQty = 0 OR COALESCE(FQty, 0) = 0 THEN FSecCheckQty
                           ELSE ROUND(FCheckQty * FSecQty / FQty, 10) END
 WHERE)");
const QString minusSql = QStringLiteral(
    R"(UPDATE ICInvBackup
   SET FMinus = ROUND(FQtyAct - COALESCE(FQty, 0) - FAdjQty * ?, 10),
       FSecMinus = ROUND(FSecQtyAct - FSecQty - FSecAdjQty, 10)
 WHERE)");

} // namespace

bool Recount::beyond(double difference, double book, const countparams::Tolerance &tolerance, int decimals)
{
    const double diff = std::fabs(roundQuantity(difference, decimals));
    if (diff == 0)
        return false;
    // the difference is rounded as the row shows it; the limits are taken as they are
    const double byPercent = std::fabs(roundQuantity(book, decimals)) * tolerance.percent / 100.0;
    return diff > tolerance.quantity || diff > byPercent;
}

QList<Recount::Line> Recount::lines(int processId, const countparams::Tolerance &tolerance)
{
    const QString sql = linesSql.arg(countedSql.arg(QStringLiteral("t1")));
    Recordset rs = m_connection.ExecuteRaiseErr(sql, {processId});
    const bool full = shared().useFullNumber;
    QList<Line> lines;
    std::optional<QHash<QString, double>> firstCounts; // read with the first recounted row
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        Line l;
        l.decimals = rs.integer(u"FQtyDecimal");
        l.difference = rs.number(u"FMinus");
        l.recounted = rs.integer(u"FReCheckFlag") == 1;
        if (!l.recounted && !beyond(l.difference, rs.number(u"FQty"), tolerance, l.decimals))
            continue;
        l.key = CountRowKey::fromRecord(rs, processId);
        l.stock = rs.text(u"FStockName");
        l.place = rs.text(u"FSPName");
        l.itemNumber = rs.text(full ? u"FNumber" : u"FShortNumber");
        l.itemName = rs.text(u"FName");
        l.model = rs.text(u"FModel");
        l.auxProp = rs.text(u"FAuxPropName");
        l.batch = l.key.batchNo;
        l.mto = l.key.mtoNo;
        l.kfDate = l.key.kfDate;
        l.unit = rs.text(u"FUnitName");
        l.book = rs.number(u"FAuxQty");
        if (l.recounted) {
            if (!firstCounts)
                firstCounts = Recount::firstCounts(m_connection, processId);
            const auto first = firstCounts->constFind(keyText(l.key));
            if (first != firstCounts->constEnd())
                l.firstCount = *first;
        } else {
            l.firstCount = rs.number(u"FAuxCheckQty");
        }
        l.recount = rs.number(u"FReCheckQty");
        lines << l;
    }
    return lines;
}

QStringList Recount::headings(bool blind, bool mto)
{
    QStringList h;
    for (const char *t :
         {N_("仓库"), N_("仓位"), N_("物料代码"), N_("物料名称"), N_("规格型号"), N_("辅助属性"), N_("批次")})
        h << LoadText(t);
    if (mto)
        h << LoadText("计划跟踪号");
    h << LoadText("生产/采购日期") << LoadText("单位");
    if (!blind)
        h << LoadText("账存数量") << LoadText("初盘数量") << LoadText("基本单位差异数量");
    h << LoadText("复盘数量");
    return h;
}

QStringList Recount::cells(const Line &l, bool blind, bool mto)
{
    QStringList c{l.stock, l.place, l.itemNumber, l.itemName, l.model, l.auxProp, l.batch};
    if (mto)
        c << l.mto;
    c << l.kfDate << l.unit;
    const auto qty = [&](double v) { return QString::number(roundQuantity(v, l.decimals), 'f', l.decimals); };
    if (!blind)
        c << qty(l.book) << (l.firstCount ? qty(*l.firstCount) : QString()) << qty(l.difference);
    c << (l.recounted ? qty(l.recount) : QString());
    return c;
}

bool Recount::enter(const CountRowKey &key, double quantity, int checker, const QString &source, QString *error)
{
    if (quantity < 0) {
        *error = LoadText("复盘数量不能为负数。");
        return false;
    }
    const SqlFragment where = key.whereClause();
    try {
        Transaction tx(m_connection);
        const SqlFragment lock = SqlFragment(lockSql) + where;
        m_connection.ExecuteRaiseErr(lock.sql, lock.binds);
        SqlFragment read = SqlFragment(rowSql.arg(countedSql.arg(QStringLiteral("ICInvBackup")))) + where;
        Recordset row = m_connection.ExecuteRaiseErr(read.sql, read.binds);
        if (row.isEmpty()) {
            *error = LoadText("这条盘点记录在数据库中已不存在（可能已被其他用户删除），没有保存。");
            return false;
        }
        if (row.Fields(u"FQtyAct").isNull() || row.integer(u"FCounted") == 0) {
            *error = LoadText("这一行还没有盘点，不能复盘。");
            return false;
        }
        const double coefficient = row.number(u"FCoefficient");
        if (coefficient == 0) {
            *error = LoadText("这一行的单位没有换算系数，不能复盘。");
            return false;
        }
        // A row counted before the journal kept it gets its first count as a start
        // entry: the journal then still replays to the row, and shows the count
        // that the recount replaces.
        CountJournal::appendStart(m_connection, key, source, checker);
        const double base = quantity * coefficient;
        const SqlFragment figures =
            SqlFragment(figuresSql, {quantity, base, quantity, base, quantity, checker}) + where;
        const SqlFragment secondary = SqlFragment(secondarySql) + where;
        const SqlFragment minus = SqlFragment(minusSql, {coefficient}) + where;
        for (const SqlFragment &s : {figures, secondary, minus})
            m_connection.ExecuteRaiseErr(s.sql, s.binds);
        CountJournal::appendRows(m_connection, where, CountEntryKind::Recount, source, checker);
        tx.commit();
    } catch (const DbException &e) {
        *error = e.error().detailed();
        return false;
    }
    return true;
}

namespace {

// The count before the first recount among one row's entries in FID order.
std::optional<double> firstCountOf(const QList<CountJournalEntry> &entries)
{
    qsizetype first = 0;
    while (first < entries.size() && entries.at(first).kind != CountEntryKind::Recount)
        ++first;
    if (first == 0 || first == entries.size())
        return std::nullopt;
    return CountJournal::replay(entries.mid(0, first)).unitQty;
}

} // namespace

QHash<QString, double> Recount::firstCounts(AppConnection &connection, int processId)
{
    QHash<QString, QList<CountJournalEntry>> byRow;
    for (const CountJournalEntry &e :
         CountJournal::entriesWhere(connection, SqlFragment(recountedEntriesSql, {processId})))
        byRow[keyText(e.key)] << e;
    QHash<QString, double> counts;
    for (auto it = byRow.cbegin(); it != byRow.cend(); ++it)
        if (const std::optional<double> count = firstCountOf(it.value()))
            counts.insert(it.key(), *count);
    return counts;
}

QString Recount::keyText(const CountRowKey &k)
{
    return QStringList{QString::number(k.itemId),
                       QString::number(k.auxPropId),
                       QString::number(k.unitId),
                       k.batchNo.trimmed(),
                       k.mtoNo.trimmed(),
                       k.kfDate.trimmed(),
                       QString::number(k.kfPeriod),
                       QString::number(k.stockId),
                       QString::number(k.stockPlaceId)}
        .join(QChar(0x1F));
}
