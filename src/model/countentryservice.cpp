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

// Takes the row's lock first (on PostgreSQL; SQLite's write lock is already held),
// so the figures read next are the ones the change starts from.
const QString claimSql = QStringLiteral("UPDATE ICInvBackup SET FChecker = ? WHERE");

// The row's figures and what derives the others from its unit: the unit's
// coefficient, the item's secondary rate (as the entry grid reads it) and places.
const QString rowSql = QStringLiteral(
    R"(SELECT COALESCE(b.FAuxCheckQty, 0) AS FAuxCheckQty, COALESCE(b.FCheckQty, 0) AS FCheckQty, b.FSecCheckQty,
       COALESCE(b.FQty, 0) AS FQty, COALESCE(b.FQtyAct, 0) AS FQtyAct, b.FAdjQty, b.FSecQty, b.FSecAdjQty,
       b.FSecQtyAct, COALESCE(u.FCoefficient, 0) AS FCoefficient,
       CASE WHEN i.FSecUnitID = 0 THEN 0 WHEN i.FSecCoefficient > 0 THEN i.FSecCoefficient
            ELSE COALESCE(s.FCoefficient, 0) END AS FRate,
       i.FQtyDecimal
  FROM ICInvBackup b
 INNER JOIN t_ICItem i ON i.FItemID = b.FItemID
  LEFT JOIN t_MeasureUnit u ON u.FItemID = b.FUnitID
  LEFT JOIN t_MeasureUnit s ON s.FItemID = i.FSecUnitID
 WHERE)");

// %1 the new count in the row's unit; the differences documents put between
// counted and actual quantities stay, as the grid keeps them.
const QString figuresSql = QStringLiteral(
    R"(WITH p AS (SELECT %2 AS FQtyIn, %2 AS FCoefficient, %2 AS FRate, %3 AS FPlaces)
UPDATE ICInvBackup
   SET FAuxCheckQty = ROUND(%1, p.FPlaces),
       FAuxQtyAct = ROUND(%1, p.FPlaces) + COALESCE(ICInvBackup.FAuxQtyAct - ICInvBackup.FAuxCheckQty, 0),
       FCheckQty = ROUND(%1 * p.FCoefficient, p.FPlaces),
       FQtyAct = ROUND(%1 * p.FCoefficient, p.FPlaces) + COALESCE(ICInvBackup.FQtyAct - ICInvBackup.FCheckQty, 0),
       FSecCheckQty = CASE WHEN p.FRate = 0 THEN 0 ELSE ROUND(%1 * p.FCoefficient / p.FRate, p.FPlaces) END,
       FSecQtyAct = CASE WHEN p.FRate = 0 THEN 0
                    ELSE ROUND(%1 * p.FCoefficient / p.FRate, p.FPlaces) + ICInvBackup.FSecQtyAct
                         - ICInvBackup.FSecCheckQty END,
       FComplexQty = ''
  FROM p
 WHERE)");
const QString addedSql = QStringLiteral("(COALESCE(ICInvBackup.FAuxCheckQty, 0) + p.FQtyIn)");
const QString replacedSql = QStringLiteral("p.FQtyIn");

const QString minusSql = QStringLiteral(
    R"(UPDATE ICInvBackup SET FMinus = ROUND(COALESCE(FQtyAct, 0) - COALESCE(FQty, 0) - (FAdjQty * ?), 10),
       FSecMinus = ROUND(FSecQtyAct - FSecQty - FSecAdjQty, 10)
 WHERE)");

const QString hasEntriesSql = QStringLiteral("SELECT 1 AS FFound FROM ICStockCheckJournal WHERE");

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

struct RowState
{
    CountFigures counted;
    RowCheckFigures check;
    double rate = 0;
};

// Ends a refused entry: the transaction rolls back as the exception leaves it.
struct Refusal
{
    CountEntryResult::Status status;
    QString message;
};

std::optional<RowState> readRow(AppConnection &conn, const CountRowKey &key)
{
    const SqlFragment sql = SqlFragment(rowSql) + key.whereClause(QStringLiteral("b."));
    Recordset rs = conn.ExecuteRaiseErr(sql.sql, sql.binds);
    if (rs.isEmpty())
        return std::nullopt;
    RowState s;
    s.counted = {rs.number(u"FAuxCheckQty"), rs.number(u"FCheckQty"), rs.number(u"FSecCheckQty")};
    s.check = {.accountQty = rs.number(u"FQty"),
               .baseActual = rs.number(u"FQtyAct"),
               .adjQty = rs.number(u"FAdjQty"),
               .coefficient = rs.number(u"FCoefficient"),
               .secUnitQty = rs.number(u"FSecQty"),
               .secAdjQty = rs.number(u"FSecAdjQty"),
               .secQtyAct = rs.number(u"FSecQtyAct"),
               .decimals = rs.integer(u"FQtyDecimal")};
    s.rate = rs.number(u"FRate");
    return s;
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

bool hasEntries(AppConnection &conn, const CountRowKey &key)
{
    const SqlFragment sql = SqlFragment(hasEntriesSql) + key.whereClause() + SqlFragment(QStringLiteral(" LIMIT 1"));
    return !conn.ExecuteRaiseErr(sql.sql, sql.binds).isEmpty();
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

// Inside the caller's transaction, the row already claimed.
CountEntryResult apply(AppConnection &conn, const Request &q)
{
    const std::optional<RowState> before = readRow(conn, q.key);
    if (!before)
        throw Refusal{CountEntryResult::Status::Gone, LoadText("没有找到这条盘点记录。")};
    const int places = before->check.decimals;
    checkFigure(q.qty, places);
    const bool adds = q.mode != Mode::Set;
    // a row counted from its book starts from those figures: keep them before the first add
    if (adds && !hasEntries(conn, q.key))
        CountJournal::appendRows(conn, q.key.whereClause(QStringLiteral("b.")), CountEntryKind::Start, q.source,
                                 q.userId);
    const Dialect &d = conn.dialect();
    const QString q4 = d.castQuantity(QStringLiteral("?"));
    SqlFragment figures(figuresSql.arg(adds ? addedSql : replacedSql, q4, d.castInt(QStringLiteral("?"))),
                        {q.qty, before->check.coefficient, before->rate, places});
    figures += q.key.whereClause(QStringLiteral("ICInvBackup."));
    conn.ExecuteRaiseErr(figures.sql, figures.binds);
    const SqlFragment minus = SqlFragment(minusSql, {before->check.coefficient}) + q.key.whereClause();
    conn.ExecuteRaiseErr(minus.sql, minus.binds);

    const RowState after = *readRow(conn, q.key);
    checkResult(after);
    CountJournalEntry entry;
    entry.key = q.key;
    entry.kind = q.mode == Mode::Add    ? CountEntryKind::Add
                 : q.mode == Mode::Undo ? CountEntryKind::Undo
                                        : CountEntryKind::Set;
    entry.qty = adds ? difference(after.counted, before->counted) : after.counted;
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

bool claim(AppConnection &conn, const CountRowKey &key, int userId)
{
    const SqlFragment sql = SqlFragment(claimSql, {userId}) + key.whereClause();
    int claimed = 0;
    if (!conn.Exec(sql.sql, sql.binds, &claimed))
        throw DbException(conn.lastError());
    return claimed > 0;
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
        if (!claim(conn, q.key, q.userId))
            throw Refusal{CountEntryResult::Status::Gone, LoadText("没有找到这条盘点记录。")};
        return apply(conn, q);
    });
}

CountRowKey keyOf(const Recordset &rs)
{
    CountRowKey k;
    k.processId = rs.integer(u"FInterID");
    k.itemId = rs.integer(u"FItemID");
    k.auxPropId = rs.integer(u"FAuxPropID");
    k.unitId = rs.integer(u"FUnitID");
    k.batchNo = rs.text(u"FBatchNo");
    k.mtoNo = rs.text(u"FMtoNo");
    k.kfDate = rs.text(u"FKFDate");
    k.kfPeriod = rs.integer(u"FKFPeriod");
    k.stockId = rs.integer(u"FStockID");
    k.stockPlaceId = rs.integer(u"FStockPlaceID");
    return k;
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
            const CountRowKey key = keyOf(added);
            if (!claim(conn, key, userId))
                throw Refusal{CountEntryResult::Status::Gone, LoadText("没有找到这条盘点记录。")};
            if (!conn.ExecuteRaiseErr(undoneSql, {processId, addId}).isEmpty())
                continue;
            return apply(conn, {Mode::Undo, key, -added.number(u"FAuxQty"), source, userId, clientEntryId, addId});
        }
    });
}
