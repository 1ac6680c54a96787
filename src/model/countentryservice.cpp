#include "countentryservice.h"

#include "countrowcheck.h"
#include "entrygrid.h"

#include "host/appconnection.h"
#include "host/numbers.h"
#include "host/texts.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Every statement of an entry is prepared once per connection and kept: a scanner
// sends thousands of them, and preparing each again costs round trips.

// Takes the row's lock first (on PostgreSQL; SQLite's write lock is already held)
// and gives the counted figures the change starts from.
const QString claimSql = QStringLiteral(
    R"(UPDATE ICInvBackup SET FChecker = ? WHERE %1
RETURNING COALESCE(FAuxCheckQty, 0) AS FAuxCheckQty, COALESCE(FCheckQty, 0) AS FCheckQty, FSecCheckQty,
          COALESCE(FReCheckFlag, 0) AS FReCheckFlag)");

// What derives the other figures from the row's unit: the unit's coefficient, the
// item's secondary rate (as the entry grid reads it) and its places.
const QString unitSql = QStringLiteral(
    R"(SELECT COALESCE(u.FCoefficient, 0) AS FCoefficient,
       CASE WHEN i.FSecUnitID = 0 THEN 0 WHEN i.FSecCoefficient > 0 THEN i.FSecCoefficient
            ELSE COALESCE(s.FCoefficient, 0) END AS FRate,
       i.FQtyDecimal
  FROM t_ICItem i
  LEFT JOIN t_MeasureUnit u ON u.FItemID = ?
  LEFT JOIN t_MeasureUnit s ON s.FItemID = i.FSecUnitID
 WHERE i.FItemID = ?)");

// %1 the new count in the row's unit. The differences documents put between
// counted and actual quantities stay, as the grid keeps them; the gain or loss
// follows as the save computes it. Returns the figures the rules look at.
const QString figuresSql = QStringLiteral(
    R"(WITH p AS (SELECT %2 AS FQtyIn, %2 AS FCoefficient, %2 AS FRate, %3 AS FPlaces)
UPDATE ICInvBackup
   SET FAuxCheckQty = ROUND(%1, p.FPlaces),
       FAuxQtyAct = ROUND(%1, p.FPlaces) + COALESCE(ICInvBackup.FAuxQtyAct - ICInvBackup.FAuxCheckQty, 0),
       FCheckQty = ROUND(%1 * p.FCoefficient, p.FPlaces),
       FQtyAct = %4,
       FMinus = ROUND(%4 - COALESCE(ICInvBackup.FQty, 0) - ICInvBackup.FAdjQty * p.FCoefficient, 10),
       FSecCheckQty = CASE WHEN p.FRate = 0 THEN 0 ELSE ROUND(%1 * p.FCoefficient / p.FRate, p.FPlaces) END,
       FSecQtyAct = %5,
       FSecMinus = ROUND(%5 - ICInvBackup.FSecQty - ICInvBackup.FSecAdjQty, 10),
       FComplexQty = ''
  FROM p
 WHERE %6
RETURNING ICInvBackup.FAuxCheckQty, ICInvBackup.FCheckQty, ICInvBackup.FSecCheckQty,
       COALESCE(ICInvBackup.FQty, 0) AS FQty, ICInvBackup.FQtyAct, ICInvBackup.FAdjQty, ICInvBackup.FSecQty,
       ICInvBackup.FSecAdjQty, ICInvBackup.FSecQtyAct)");
const QString newQtyActSql = QStringLiteral(
    "(ROUND(%1 * p.FCoefficient, p.FPlaces) + COALESCE(ICInvBackup.FQtyAct - ICInvBackup.FCheckQty, 0))");
const QString newSecQtyActSql = QStringLiteral(
    "(CASE WHEN p.FRate = 0 THEN 0 ELSE ROUND(%1 * p.FCoefficient / p.FRate, p.FPlaces) + ICInvBackup.FSecQtyAct"
    " - ICInvBackup.FSecCheckQty END)");
const QString addedSql = QStringLiteral("(COALESCE(ICInvBackup.FAuxCheckQty, 0) + p.FQtyIn)");
const QString replacedSql = QStringLiteral("p.FQtyIn");

// The user's last add in the process that no undo names yet.
const QString lastAddSql = QStringLiteral(
    R"(SELECT j.FID FROM ICStockCheckJournal j
 WHERE j.FInterID = ? AND j.FUserID = ? AND j.FKind = 2
   AND NOT EXISTS (SELECT 1 FROM ICStockCheckJournal u WHERE u.FInterID = j.FInterID AND u.FKind = 3
                                                        AND u.FUndoneID = j.FID)
 ORDER BY j.FID DESC LIMIT 1)");
const QString undoneSql =
    QStringLiteral("SELECT 1 AS FFound FROM ICStockCheckJournal WHERE FInterID = ? AND FKind = 3 AND FUndoneID = ?");
const QString entrySql = QStringLiteral(
    R"(SELECT FID, FInterID, FItemID, FAuxPropID, FUnitID, FBatchNo, FMtoNo, FKFDate, FKFPeriod, FStockID,
       FStockPlaceID, FAuxQty FROM ICStockCheckJournal WHERE FID = ?)");

enum class Mode { Add, Set, Undo };

// Ends a refused entry: the transaction rolls back as the exception leaves it.
struct Refusal
{
    CountEntryResult::Status status;
    QString message;
};

struct RowState
{
    CountFigures counted;
    RowCheckFigures check;
};

struct UnitRule
{
    double coefficient = 0, rate = 0;
    int places = 0;
};

// A kept statement that must succeed.
Recordset kept(AppConnection &conn, const QString &sql, const QVariantList &binds)
{
    Recordset rs = conn.ExecuteKept(sql, binds);
    if (!rs.isOpen())
        throw DbException(conn.lastError());
    return rs;
}

CountFigures countedOf(const Recordset &rs)
{
    return {rs.number(u"FAuxCheckQty"), rs.number(u"FCheckQty"), rs.number(u"FSecCheckQty")};
}

UnitRule unitRuleOf(AppConnection &conn, const CountRowKey &key)
{
    const Recordset rs = kept(conn, unitSql, {key.unitId, key.itemId});
    return {rs.number(u"FCoefficient"), rs.number(u"FRate"), rs.integer(u"FQtyDecimal")};
}

// The refusals the entry grid makes for a counted figure, in its words.
void checkFigure(double qty, int places)
{
    const QString heading = EntryGrid::heading(EntryCol::CheckQty);
    if (!std::isfinite(qty) || std::fabs(qty) > countQuantityLimit)
        throw Refusal{CountEntryResult::Status::Refused,
                      FormatText("数量超出允许的范围：“%1”的绝对值不能超过9,999,999,999.9999。", {heading})};
    if (roundQuantity(qty, places) != roundQuantity(qty, 10))
        throw Refusal{CountEntryResult::Status::Refused, FormatText("“%1”最多只能有%2位小数。", {heading, places})};
}

void checkResult(const RowState &after)
{
    const int places = after.check.decimals;
    for (double q : {after.counted.unitQty, after.counted.baseQty, after.counted.secQty}) {
        if (std::fabs(q) > countQuantityLimit)
            checkFigure(q, places);
        if (roundQuantity(q, places) < 0)
            throw Refusal{CountEntryResult::Status::Refused,
                          FormatText("“%1”不能为负数。", {EntryGrid::heading(EntryCol::CheckQty)})};
    }
    const RowCheck check = checkCountRow(after.check);
    if (check != RowCheck::Accepted)
        throw Refusal{CountEntryResult::Status::Refused, rowCheckMessage(check)};
}

CountFigures difference(const CountFigures &after, const CountFigures &before)
{
    return {roundQuantity(after.unitQty - before.unitQty, 10), roundQuantity(after.baseQty - before.baseQty, 10),
            roundQuantity(after.secQty - before.secQty, 10)};
}

// The answer to a client's id seen before: the row's figures as that entry left them.
std::optional<CountEntryResult> repeated(AppConnection &conn, int processId, const QString &clientEntryId)
{
    if (clientEntryId.isEmpty())
        return std::nullopt;
    const std::optional<CountJournalEntry> first = CountJournal::byClientId(conn, processId, clientEntryId);
    if (!first)
        return std::nullopt;
    QList<CountJournalEntry> upTo = CountJournal::rowEntries(conn, first->key);
    upTo.erase(std::remove_if(upTo.begin(), upTo.end(), [&](const auto &e) { return e.id > first->id; }), upTo.end());
    CountEntryResult r;
    r.status = CountEntryResult::Status::Repeated;
    r.entryId = first->id;
    r.key = first->key;
    r.counted = CountJournal::replay(upTo);
    return r;
}

struct Request
{
    Mode mode;
    CountRowKey key;
    double qty = 0; // in the row's unit: added (Add, Undo) or the new count (Set)
    QString source;
    int userId = 0;
    QString clientEntryId;
    qint64 undoneId = 0;
};

// Inside the caller's transaction, the row already claimed with its figures `before`.
CountEntryResult apply(AppConnection &conn, const Request &q, const CountFigures &before)
{
    const UnitRule unit = unitRuleOf(conn, q.key);
    checkFigure(q.qty, unit.places);
    const bool adds = q.mode != Mode::Set;
    const Dialect &d = conn.dialect();
    const QString where = q.key.whereClause(QStringLiteral("ICInvBackup.")).sql;
    if (adds) // a row counted from its book starts from those figures: keep them before its first add
        CountJournal::appendStart(conn, q.key, q.source, q.userId);
    const QString n = adds ? addedSql : replacedSql;
    const QString q4 = d.castQuantity(QStringLiteral("?"));
    const QString sql = QString(figuresSql)
                            .replace(QLatin1String("%4"), QString(newQtyActSql).replace(QLatin1String("%1"), n))
                            .replace(QLatin1String("%5"), QString(newSecQtyActSql).replace(QLatin1String("%1"), n))
                            .replace(QLatin1String("%6"), where)
                            .replace(QLatin1String("%1"), n)
                            .replace(QLatin1String("%2"), q4)
                            .replace(QLatin1String("%3"), d.castInt(QStringLiteral("?")));
    const Recordset rs =
        kept(conn, sql, QVariantList{q.qty, unit.coefficient, unit.rate, unit.places} + q.key.whereClause().binds);
    RowState after;
    after.counted = countedOf(rs);
    after.check = {.accountQty = rs.number(u"FQty"),
                   .baseActual = rs.number(u"FQtyAct"),
                   .adjQty = rs.number(u"FAdjQty"),
                   .coefficient = unit.coefficient,
                   .secUnitQty = rs.number(u"FSecQty"),
                   .secAdjQty = rs.number(u"FSecAdjQty"),
                   .secQtyAct = rs.number(u"FSecQtyAct"),
                   .decimals = unit.places};
    checkResult(after);
    CountJournalEntry entry;
    entry.key = q.key;
    entry.kind = q.mode == Mode::Add    ? CountEntryKind::Add
                 : q.mode == Mode::Undo ? CountEntryKind::Undo
                                        : CountEntryKind::Set;
    entry.qty = adds ? difference(after.counted, before) : after.counted;
    entry.source = q.source;
    entry.userId = q.userId;
    entry.undoneId = q.undoneId;
    entry.clientEntryId = q.clientEntryId;
    CountEntryResult r;
    r.status = CountEntryResult::Status::Done;
    r.entryId = CountJournal::append(conn, entry);
    r.key = q.key;
    r.counted = after.counted;
    return r;
}

// The row's figures before the change, its lock taken. A row that is gone or
// recounted refuses: the recount is the row's count, and a scan, a handheld or an
// undo over it would put a first count back, as a typed count in the grid would.
CountFigures claim(AppConnection &conn, const CountRowKey &key, int userId, const QString &goneMessage)
{
    const SqlFragment where = key.whereClause();
    const Recordset rs = kept(conn, claimSql.arg(where.sql), QVariantList{userId} + where.binds);
    if (rs.isEmpty())
        throw Refusal{CountEntryResult::Status::Gone, goneMessage};
    if (rs.integer(u"FReCheckFlag") == 1)
        throw Refusal{CountEntryResult::Status::Refused,
                      LoadText("这一行已经复盘，实存数量以复盘数量为准，不能再修改盘点数量。")};
    return countedOf(rs);
}

CountEntryResult failed(CountEntryResult::Status status, const QString &message, const DbError &error = {})
{
    CountEntryResult r;
    r.status = status;
    r.message = message;
    r.error = error;
    return r;
}

// One transaction; a database failure of an entry whose client id another
// connection wrote meanwhile is that entry's repetition.
template<typename Work>
CountEntryResult inTransaction(AppConnection &conn, int processId, const QString &clientEntryId, Work work)
{
    try {
        if (std::optional<CountEntryResult> again = repeated(conn, processId, clientEntryId))
            return *again;
        Transaction tx(conn, Transaction::Write);
        CountEntryResult r = work();
        tx.commit();
        return r;
    } catch (const Refusal &refusal) {
        return failed(refusal.status, refusal.message);
    } catch (const DbException &e) {
        try {
            if (std::optional<CountEntryResult> again = repeated(conn, processId, clientEntryId))
                return *again;
        } catch (const DbException &) {
        }
        return failed(CountEntryResult::Status::Failed, FormatText("保存盘点数据失败：%1", {e.error().message}),
                      e.error());
    }
}

CountEntryResult write(AppConnection &conn, const Request &q)
{
    return inTransaction(conn, q.key.processId, q.clientEntryId, [&] {
        return apply(conn, q, claim(conn, q.key, q.userId, LoadText("没有找到这条盘点记录。")));
    });
}

} // namespace

CountEntryResult CountEntryService::add(AppConnection &conn, const CountRowKey &key, double qty, const QString &source,
                                        int userId, const QString &clientEntryId)
{
    return write(conn, {Mode::Add, key, qty, source, userId, clientEntryId, 0});
}

CountEntryResult CountEntryService::set(AppConnection &conn, const CountRowKey &key, double qty, const QString &source,
                                        int userId, const QString &clientEntryId)
{
    return write(conn, {Mode::Set, key, qty, source, userId, clientEntryId, 0});
}

CountEntryResult CountEntryService::undoLastAdd(AppConnection &conn, int processId, int userId, const QString &source,
                                                const QString &clientEntryId)
{
    return inTransaction(conn, processId, clientEntryId, [&] {
        // Another undo of the same user may take the add found first; once its row
        // is claimed, whether it is still open is certain.
        for (;;) {
            Recordset last = conn.ExecuteRaiseErr(lastAddSql, {processId, userId});
            if (last.isEmpty())
                throw Refusal{CountEntryResult::Status::Gone, LoadText("没有可以撤销的扫描。")};
            const qint64 addId = last.Fields(u"FID").toLongLong();
            Recordset added = conn.ExecuteRaiseErr(entrySql, {addId});
            const CountRowKey key = CountRowKey::fromRecord(added, added.integer(u"FInterID"));
            // the last scan's row deleted meanwhile: say so, not that there is nothing to undo
            const CountFigures before =
                claim(conn, key, userId,
                      LoadText("上次扫描的这条盘点记录在数据库中已不存在（可能已被其他用户删除），不能撤销。"));
            if (!conn.ExecuteRaiseErr(undoneSql, {processId, addId}).isEmpty())
                continue;
            return apply(conn, {Mode::Undo, key, -added.number(u"FAuxQty"), source, userId, clientEntryId, addId},
                         before);
        }
    });
}
