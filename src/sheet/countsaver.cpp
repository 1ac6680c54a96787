#include "countsaver.h"

#include "entryrules.h"

#include "host/hostui.h"
#include "host/logging.h"
#include "host/numbers.h"
#include "host/texts.h"

#include <QDate>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <algorithm>

namespace {

using namespace EntryCol;

const char *const logName = "N5StockCheck.frmMain.SaveStockData";

// The figures of a row, then (second statement) its differences from the figures
// just written: both as the database computes them, in the same transaction. The
// book quantities (FQty, FAuxQty, FSecQty) are the snapshot's and never written:
// the grid shows them rounded to the row's places, and writing them back would
// change the books. The differences are rounded to the ten decimals of the
// quantity columns, so that SQLite's REAL arithmetic stores -9.6 and not
// -9.60000000000002, as PostgreSQL's NUMERIC does.
const QString updateFiguresSql = QStringLiteral(
    R"(UPDATE ICInvBackup SET FCheckQty = ?, FQtyAct = ?, FAuxCheckQty = ?, FAuxQtyAct = ?, FChecker = ?, FNote = ?,
 FAdjQty = ?, FSecQtyAct = ?, FSecCheckQty = ?, FSecAdjQty = ?, FComplexQty = ?
 WHERE)");
const QString updateMinusSql = QStringLiteral(
    R"(UPDATE ICInvBackup SET FMinus = ROUND(FQtyAct - FQty - (FAdjQty * ?), 10),
 FSecMinus = ROUND(FSecQtyAct - FSecQty - FSecAdjQty, 10)
 WHERE)");

// The set-based pair: the rows of a batch travel as one JSON array bound as one
// value (the SQLite driver's cost per placeholder grows with their number), are
// unpacked into `v` and joined on the row key: the same columns and the same
// empty-date rule as CountRowKey::whereClause.
const QString batchFiguresSql = QStringLiteral(
    R"(WITH v AS (%1)
UPDATE ICInvBackup SET FCheckQty = v.FCheckQty, FQtyAct = v.FQtyAct, FAuxCheckQty = v.FAuxCheckQty,
 FAuxQtyAct = v.FAuxQtyAct, FChecker = ?, FNote = v.FNote, FAdjQty = v.FAdjQty, FSecQtyAct = v.FSecQtyAct,
 FSecCheckQty = v.FSecCheckQty, FSecAdjQty = v.FSecAdjQty, FComplexQty = v.FComplexQty
  FROM v
 WHERE %2)");
// PostgreSQL: the same figures statement giving back the rows it wrote, and the
// journal entries of exactly those rows, in one statement (%3: the journal's
// INSERT ... SELECT over them). The batch's array is read once.
const QString batchJournaledFiguresSql = QStringLiteral(
    R"(WITH v AS (%1), u AS (
UPDATE ICInvBackup SET FCheckQty = v.FCheckQty, FQtyAct = v.FQtyAct, FAuxCheckQty = v.FAuxCheckQty,
 FAuxQtyAct = v.FAuxQtyAct, FChecker = ?, FNote = v.FNote, FAdjQty = v.FAdjQty, FSecQtyAct = v.FSecQtyAct,
 FSecCheckQty = v.FSecCheckQty, FSecAdjQty = v.FSecAdjQty, FComplexQty = v.FComplexQty
  FROM v
 WHERE %2
RETURNING ICInvBackup.FInterID, ICInvBackup.FItemID, ICInvBackup.FAuxPropID, ICInvBackup.FUnitID,
 ICInvBackup.FBatchNo, ICInvBackup.FMtoNo, ICInvBackup.FKFDate, ICInvBackup.FKFPeriod, ICInvBackup.FStockID,
 ICInvBackup.FStockPlaceID, ICInvBackup.FAuxCheckQty AS FAuxQty, ICInvBackup.FCheckQty AS FQty,
 ICInvBackup.FSecCheckQty AS FSecQty)
%3)");
const QString batchMinusSql = QStringLiteral(
    R"(WITH v AS (%1)
UPDATE ICInvBackup
   SET FMinus = ROUND(ICInvBackup.FQtyAct - ICInvBackup.FQty - (ICInvBackup.FAdjQty * v.FCoefficient), 10),
       FSecMinus = ROUND(ICInvBackup.FSecQtyAct - ICInvBackup.FSecQty - ICInvBackup.FSecAdjQty, 10)
  FROM v
 WHERE %2)");
const QString keyJoin = QStringLiteral(
    R"(ICInvBackup.FInterID = ? AND ICInvBackup.FItemID = v.FItemID AND ICInvBackup.FAuxPropID = v.FAuxPropID
   AND ICInvBackup.FUnitID = v.FUnitID AND ICInvBackup.FBatchNo = v.FBatchNo AND ICInvBackup.FMtoNo = v.FMtoNo
   AND COALESCE(ICInvBackup.FKFDate, '') = v.FKFDate AND ICInvBackup.FKFPeriod = v.FKFPeriod
   AND ICInvBackup.FStockID = v.FStockID AND ICInvBackup.FStockPlaceID = v.FStockPlaceID)");

enum class Type { Int, Text, Qty };

// The items of one row of the JSON array, in order.
const struct
{
    const char *name;
    Type type;
} batchColumns[] = {
    {"FItemID", Type::Int},       {"FAuxPropID", Type::Int}, {"FUnitID", Type::Int},      {"FBatchNo", Type::Text},
    {"FMtoNo", Type::Text},       {"FKFDate", Type::Text},   {"FKFPeriod", Type::Int},    {"FStockID", Type::Int},
    {"FStockPlaceID", Type::Int}, {"FCheckQty", Type::Qty},  {"FQtyAct", Type::Qty},      {"FAuxCheckQty", Type::Qty},
    {"FAuxQtyAct", Type::Qty},    {"FNote", Type::Text},     {"FAdjQty", Type::Qty},      {"FSecQtyAct", Type::Qty},
    {"FSecCheckQty", Type::Qty},  {"FSecAdjQty", Type::Qty}, {"FComplexQty", Type::Text}, {"FCoefficient", Type::Qty}};

// SELECT CAST(j.value ->> 0 AS INTEGER) AS FItemID, ... FROM <the bound array> j
QString batchRowsSelect(const Dialect &dialect)
{
    QStringList items;
    int i = 0;
    for (const auto &c : batchColumns) {
        const QString item = QStringLiteral("j.value ->> %1").arg(i++);
        const QString cast = c.type == Type::Int    ? dialect.castInt(item)
                             : c.type == Type::Text ? dialect.castText(item)
                                                    : dialect.castQuantity(item);
        items << cast + QStringLiteral(" AS ") + QLatin1String(c.name);
    }
    return QStringLiteral("SELECT ") + items.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") +
           dialect.jsonArrayElements(QStringLiteral("j"));
}

// A null QString binds as NULL; the count row's texts are '' when empty.
QString nonNull(const QString &s)
{
    return s.isNull() ? QString(QLatin1String("")) : s;
}

double qtyAct(const CountRowValues &v)
{
    return roundQuantity(v.checkQty + v.diffQty, v.decimals);
}
double unitQtyAct(const CountRowValues &v)
{
    return roundQuantity(v.unitCheckQty + v.unitDiffQty, v.decimals);
}
double secQtyAct(const CountRowValues &v)
{
    return roundQuantity(v.secCheckQty + v.secDiffQty, v.decimals);
}

// The rows of a batch in the order of batchColumns.
QString batchJson(const QList<CountRowValues> &rows)
{
    QJsonArray all;
    for (const CountRowValues &v : rows) {
        QJsonArray row{v.itemId,          v.auxPropId, v.unitId,  nonNull(v.batchNo), nonNull(v.mtoNo),
                       nonNull(v.kfDate), v.kfPeriod,  v.stockId, v.stockPlaceId};
        for (double q : {v.checkQty, qtyAct(v), v.unitCheckQty, unitQtyAct(v)})
            row.append(q);
        row.append(nonNull(v.note));
        for (double q : {v.adjQty, secQtyAct(v), v.secCheckQty, v.secAdjQty})
            row.append(q);
        row.append(nonNull(v.complexQty));
        row.append(v.coefficient);
        all.append(row);
    }
    return QString::fromUtf8(QJsonDocument(all).toJson(QJsonDocument::Compact));
}

// The production date as the count row stores it; the grid shows "yyyy/MM/dd".
QString storedDate(const QString &cell)
{
    const QString text = cell.trimmed();
    if (text.isEmpty())
        return nonNull(QString());
    for (const char *format : {"yyyy/MM/dd", "yyyy-MM-dd", "yyyy/M/d", "yyyy-M-d"}) {
        const QDate d = QDate::fromString(text, QLatin1String(format));
        if (d.isValid())
            return d.toString(QStringLiteral("yyyy-MM-dd"));
    }
    return QString(text).replace(QLatin1Char('/'), QLatin1Char('-'));
}

const QString deleteRowSql = QStringLiteral("DELETE FROM ICInvBackup WHERE");

// The journal's entries after the window's mark on the rows of a batch (%1).
const QString conflictsSql =
    QStringLiteral("j.FID IN (SELECT j.FID FROM (%1) v CROSS JOIN ICStockCheckJournal j WHERE j.FID > ? AND %2)");
const QString countedNowSql =
    QStringLiteral("SELECT FAuxCheckQty, FCheckQty, FSecCheckQty, FNote, FAdjQty FROM ICInvBackup WHERE");

// Kinds of refusal the person can act on, by the words both engines use for them.
const struct
{
    const char *pattern;
    const char *reason;
} knownFailures[] = {
    {"overflow|out of range|too big", N_("数量超出数据库允许的范围")},
    {"constraint|duplicate key", N_("数据不符合数据库的约束条件")},
    {"deadlock|lock|could not serialize", N_("这条盘点记录正被其他用户修改，请稍后再保存")},
    {"too long", N_("文字超过数据库允许的长度")},
};

} // namespace

CountRowValues CountRowValues::fromGrid(const EntryGrid &g, int row)
{
    CountRowValues v;
    auto integer = [&](int col) { return int(g.number(row, col)); };
    auto number = [&](int col) { return g.number(row, col); };
    v.itemId = integer(ItemID);
    v.unitId = integer(UnitID);
    v.checkQty = number(BaseCheckQty);
    v.diffQty = number(DiffQty);
    v.unitAccountQty = number(BookQty);
    v.unitCheckQty = number(CheckQty);
    v.unitDiffQty = number(UnitDiffQty);
    v.batchNo = g.text(row, BatchNo).trimmed();
    v.mtoNo = g.text(row, MtoNo).trimmed();
    v.note = g.text(row, Note).trimmed();
    v.stockPlaceId = integer(StockPlaceID);
    v.kfDate = storedDate(g.text(row, KFDate));
    v.kfPeriod = integer(KFPeriod);
    v.stockId = integer(StockID);
    v.secUnitQty = number(SecBookQty);
    v.secQtyAct = number(SecActualQty);
    v.secCheckQty = number(SecCheckQty);
    v.secAdjQty = number(SecAdjQty);
    v.secDiffQty = number(SecDiffQty);
    v.coefficient = number(Coefficient);
    v.adjQty = number(AdjQty);
    v.accountQty = number(BaseBookQty);
    v.baseActual = number(BaseActualQty);
    v.auxPropId = integer(AuxPropID);
    v.complexQty = g.text(row, ComplexQty).trimmed();
    v.decimals = g.decimals(row);
    return v;
}

CountRowKey CountRowValues::key(int processId) const
{
    CountRowKey k;
    k.processId = processId;
    k.itemId = itemId;
    k.auxPropId = auxPropId;
    k.unitId = unitId;
    k.batchNo = batchNo;
    k.mtoNo = mtoNo;
    k.kfDate = kfDate;
    k.kfPeriod = kfPeriod;
    k.stockId = stockId;
    k.stockPlaceId = stockPlaceId;
    return k;
}

CountSaver::CountSaver(EntryGrid &grid, EntrySession &session, AppConnection &connection, HostUi *ui,
                       const Options &options)
    : m_grid(grid)
    , m_session(session)
    , m_connection(connection)
    , m_ui(ui)
    , m_options(options)
{}

RowCheck CountSaver::checkRow(const CountRowValues &v)
{
    return checkCountRow({.accountQty = v.accountQty,
                          .baseActual = v.baseActual,
                          .adjQty = v.adjQty,
                          .coefficient = v.coefficient,
                          .secUnitQty = v.secUnitQty,
                          .secAdjQty = v.secAdjQty,
                          .secQtyAct = v.secQtyAct,
                          .decimals = v.decimals});
}

QString CountSaver::checkMessage(RowCheck check)
{
    return rowCheckMessage(check);
}

QString CountSaver::failureReason(const DbError &error)
{
    for (const auto &known : knownFailures) {
        const QRegularExpression re(QLatin1String(known.pattern), QRegularExpression::CaseInsensitiveOption);
        if (re.match(error.message).hasMatch())
            return LoadText(known.reason);
    }
    return error.message;
}

QList<SqlStatement> CountSaver::rowStatements(const CountRowValues &v, int processId, int checker)
{
    const SqlFragment where = v.key(processId).whereClause();
    SqlFragment figures(updateFiguresSql,
                        {v.checkQty, qtyAct(v), v.unitCheckQty, unitQtyAct(v), checker, nonNull(v.note), v.adjQty,
                         secQtyAct(v), v.secCheckQty, v.secAdjQty, nonNull(v.complexQty)});
    figures += where;
    SqlFragment minus(updateMinusSql, {v.coefficient});
    minus += where;
    return {{figures.sql, figures.binds}, {minus.sql, minus.binds}};
}

QList<SqlStatement> CountSaver::batchStatements(const QList<CountRowValues> &rows, int processId, int checker,
                                                const Dialect &dialect)
{
    if (rows.isEmpty())
        return {};
    return batchStatements(batchJson(rows), processId, checker, dialect);
}

QList<SqlStatement> CountSaver::batchStatements(const QString &json, int processId, int checker, const Dialect &dialect)
{
    const QString select = batchRowsSelect(dialect);
    // the same texts for every batch: prepared once per connection
    return {{batchFiguresSql.arg(select, keyJoin), {json, checker, processId}, true},
            {batchMinusSql.arg(select, keyJoin), {json, processId}, true}};
}

SqlStatement CountSaver::journalStatement(const QString &json, int processId, const Dialect &dialect,
                                          CountEntryKind kind, const QString &source, int userId)
{
    // The figures the batch writes, taken from the batch's own array rather than
    // read back.
    const SqlFragment written(
        QStringLiteral("SELECT %1 AS FInterID, v.FItemID, v.FAuxPropID, v.FUnitID, v.FBatchNo, v.FMtoNo, v.FKFDate,"
                       " v.FKFPeriod, v.FStockID, v.FStockPlaceID, v.FAuxCheckQty AS FAuxQty, v.FCheckQty AS FQty,"
                       " v.FSecCheckQty AS FSecQty FROM (%2) v")
            .arg(dialect.castInt(QStringLiteral("?")), batchRowsSelect(dialect)),
        {processId, json});
    SqlStatement s = CountJournal::appendSelectStatement(dialect, written, kind, source, userId);
    s.keep = true;
    return s;
}

SqlStatement CountSaver::journaledFiguresStatement(const QString &json, const Dialect &dialect) const
{
    const SqlStatement journal = CountJournal::appendSelectStatement(
        dialect, SqlFragment(QStringLiteral("SELECT * FROM u")), m_kind, m_options.source, m_options.operatorId);
    // the placeholders in the order of the text: the array, the checker, the process, then the journal's
    return {batchJournaledFiguresSql.arg(batchRowsSelect(dialect), keyJoin, journal.sql),
            QVariantList{json, m_options.operatorId, m_options.processId} + journal.binds, true};
}

QStringList CountSaver::errorTitles(bool mtoPlanMode)
{
    QStringList titles;
    for (const char *t :
         {N_("行号"), N_("仓库"), N_("仓位"), N_("物料代码"), N_("错误类型"), N_("辅助属性"), N_("批次")})
        titles << LoadText(t);
    if (mtoPlanMode)
        titles << LoadText("计划跟踪号");
    titles << LoadText("生产/采购日期") << LoadText("保质期(天)");
    return titles;
}

QList<int> CountSaver::errorWidths(bool mtoPlanMode)
{
    QList<int> widths{500, 800, 600, 1100, 1600, 800, 600};
    if (mtoPlanMode)
        widths << 800;
    widths << 900 << 800;
    return widths;
}

QStringList CountSaver::errorLine(int row, const QString &reason) const
{
    QStringList line{QString::number(row),
                     m_grid.text(row, StockName),
                     m_grid.text(row, SPName),
                     m_grid.text(row, ItemNumber),
                     reason,
                     m_grid.text(row, AuxPropName),
                     m_grid.text(row, BatchNo)};
    if (m_options.mtoPlanMode)
        line << m_grid.text(row, MtoNo);
    line << m_grid.text(row, KFDate) << m_grid.text(row, KFPeriod);
    return line;
}

bool CountSaver::resolveConflicts()
{
    if (m_session.journalMark < 0 || !m_ui)
        return true;
    try {
        // the usual case, nobody else wrote since the rows were read, costs one lookup
        if (CountJournal::entriesAfter(m_connection, m_options.processId, m_session.journalMark).count == 0)
            return true;
    } catch (const DbException &) {
        return true; // the save itself will say what is wrong with the database
    }
    QList<Pending> changed;
    QList<CountRowValues> values;
    for (int r = 1; r <= m_grid.dataRows(); ++r)
        if (m_grid.isChanged(r)) {
            changed << Pending{r, CountRowValues::fromGrid(m_grid, r)};
            values << changed.last().values;
        }
    if (changed.isEmpty())
        return true;
    QHash<CountRowKey, CountJournalEntry> latest; // the last entry of somebody else on each row
    try {
        const SqlFragment where(
            conflictsSql.arg(batchRowsSelect(m_connection.dialect()),
                             QString(keyJoin).replace(QLatin1String("ICInvBackup."), QLatin1String("j."))),
            {batchJson(values), m_session.journalMark, m_options.processId});
        for (const CountJournalEntry &e : CountJournal::entriesWhere(m_connection, where))
            latest.insert(e.key, e);
    } catch (const DbException &) {
        return true; // the save itself will say what is wrong with the database
    }
    for (const Pending &p : std::as_const(changed)) {
        const CountRowKey key = p.values.key(m_options.processId);
        const auto other = latest.constFind(key);
        if (other != latest.constEnd() && other->id > m_session.rowsSeen.value(key) &&
            !askAboutConflict(p.row, p.values, *other))
            return false;
    }
    return true;
}

void CountSaver::noteRowSeen(EntrySession &session, const CountRowKey &key, qint64 entryId)
{
    if (entryId > 0)
        session.rowsSeen.insert(key, entryId);
}

// Yes keeps the person's figure, No takes the row's figure now, Cancel saves nothing.
bool CountSaver::askAboutConflict(int row, const CountRowValues &values, const CountJournalEntry &other)
{
    const SqlFragment sql = SqlFragment(countedNowSql) + values.key(m_options.processId).whereClause();
    const Recordset now = m_connection.Execute(sql.sql, sql.binds);
    if (!now.isOpen()) { // the other figure is unknown: nothing is saved rather than a wrong choice offered
        m_ui->message(FormatText("保存盘点数据失败：%1", {m_connection.lastError().message}), HostUi::Icon::Warning,
                      m_connection.lastError().detailed());
        return false;
    }
    const double counted = now.number(u"FAuxCheckQty");
    const QString text =
        FormatText("第%1行（物料 %2，仓库 %3，仓位 %4）在您读取之后已被%5于%6修改（%7，来自%8），盘点数量现为 %9。\n\n"
                   "是：保存您输入的数量 %10；否：采用对方的数量；取消：这次不保存。",
                   {row, m_grid.text(row, ItemNumber), m_grid.text(row, StockName), m_grid.text(row, SPName),
                    other.userName, other.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                    CountJournal::kindText(other.kind), CountJournal::sourceText(other.source),
                    plainNumber(roundQuantity(counted, values.decimals)), plainNumber(values.unitCheckQty)});
    switch (m_ui->question(text, true)) {
    case HostUi::Answer::Yes:
        return true;
    case HostUi::Answer::No: {
        EntryRules::setCell(m_grid, row, CheckQty, plainNumber(roundQuantity(counted, values.decimals)), m_session);
        // a note or adjustment typed on the row is still saved, with their count
        const bool ownEdits = values.note.trimmed() != now.text(u"FNote").trimmed() ||
                              roundQuantity(values.adjQty - now.number(u"FAdjQty"), 10) != 0;
        if (!ownEdits)
            m_grid.clearChanged(row);
        noteRowSeen(m_session, values.key(m_options.processId), other.id); // the grid shows their figure now
        return true;
    }
    default:
        return false;
    }
}

// The rows just written hold what the journal holds now. When this save's entries
// are all that came after the window's mark, the grid shows everything up to the
// new mark and the mark moves. Otherwise it stays (moving it would also cover
// other people's changes to rows this save did not write, which the grid still
// shows as they were read) and the rows written are noted one by one.
void CountSaver::noteWrittenRows(const QList<Pending> &attempted)
{
    if (m_session.journalMark < 0 || attempted.isEmpty())
        return;
    CountJournal::After after;
    try {
        after = CountJournal::entriesAfter(m_connection, m_options.processId, m_session.journalMark);
    } catch (const DbException &) {
        return; // the rows stay unnoted: a later save asks once too often, never too seldom
    }
    if (after.count == m_journaled) {
        m_session.journalMark = after.mark;
        return;
    }
    for (const Pending &p : attempted)
        if (!m_grid.isChanged(p.row))
            noteRowSeen(m_session, p.values.key(m_options.processId), after.mark);
}

void CountSaver::status(const char *text)
{
    if (m_status)
        m_status(LoadText(text));
}

CountSaver::RowOutcome CountSaver::writeRow(const CountRowValues &values)
{
    QList<SqlStatement> statements = rowStatements(values, m_options.processId, m_options.operatorId);
    // read back from the row: nothing is journaled for a row that is gone
    const SqlFragment row =
        SqlFragment(CountJournal::rowFiguresSelect(QStringLiteral("b")) + QStringLiteral(" WHERE")) +
        values.key(m_options.processId).whereClause(QStringLiteral("b."));
    statements << CountJournal::appendSelectStatement(m_connection.dialect(), row, m_kind, m_options.source,
                                                      m_options.operatorId);
    QList<int> affected;
    if (!m_connection.ExecuteBatch(statements, &affected))
        return RowOutcome::Refused;
    m_journaled += affected.value(2);
    return affected.value(0) > 0 ? RowOutcome::Written : RowOutcome::Gone;
}

// Each row in a transaction of its own: the database names the rows it refuses
// (and the rows that are gone), and every other row is written.
void CountSaver::writeOneByOne(const QList<Pending> &rows, QList<QStringList> *errors)
{
    for (const Pending &p : rows) {
        switch (writeRow(p.values)) {
        case RowOutcome::Written:
            m_grid.clearChanged(p.row);
            break;
        case RowOutcome::Gone:
            ++m_gone;
            *errors << errorLine(p.row, LoadText("这条盘点记录在数据库中已不存在（可能已被其他用户删除），没有保存。"));
            break;
        case RowOutcome::Refused:
            if (m_refused++ == 0)
                m_error = m_connection.lastError();
            *errors << errorLine(p.row, failureReason(m_connection.lastError()));
            break;
        }
    }
}

void CountSaver::writeBatch(const QList<Pending> &rows, QList<QStringList> *errors)
{
    QList<CountRowValues> values;
    QList<SqlStatement> statements;
    for (const Pending &p : rows) {
        values << p.values;
        if (!m_setBased)
            statements += rowStatements(p.values, m_options.processId, m_options.operatorId);
    }
    const Dialect &dialect = m_connection.dialect();
    const bool journaledFigures = m_setBased && dialect.isPostgres();
    const QString json = batchJson(values);
    if (m_setBased)
        statements = batchStatements(json, m_options.processId, m_options.operatorId, dialect);
    if (journaledFigures)
        statements[0] = journaledFiguresStatement(json, dialect);
    // Each row's figures statement reaches its count rows (the two ledgers of a
    // position may give two): fewer than the rows sent means some are gone, deleted
    // by someone else since the window read them. The batch is then undone before
    // its journal entries are written, and written again row by row, which tells
    // which rows are gone and journals only the rows written.
    bool written = false;
    try {
        Transaction tx(m_connection);
        int reached = 0;
        for (qsizetype i = 0; i < statements.size(); ++i) {
            int affected = 0;
            if (!m_connection.Exec(statements.at(i), &affected))
                throw DbException(m_connection.lastError());
            if (i % 2 == 0)
                reached += affected;
        }
        if (reached >= rows.size()) {
            int journaled = reached; // PostgreSQL: the figures statement journals what it reached
            if (!journaledFigures && !m_connection.Exec(journalStatement(json, m_options.processId, dialect, m_kind,
                                                                         m_options.source, m_options.operatorId),
                                                        &journaled))
                throw DbException(m_connection.lastError());
            tx.commit();
            m_journaled += journaled;
            written = true;
        }
    } catch (const DbException &) {
        written = false; // rolled back; row by row names the rows the database refuses
    }
    if (!written) {
        writeOneByOne(rows, errors);
        return;
    }
    for (const Pending &p : rows)
        m_grid.clearChanged(p.row);
}

CountSaver::SaveResult CountSaver::SaveStockData(bool ask)
{
    if (m_focusBarcode)
        m_focusBarcode();
    if (!m_session.dataChanged)
        return SaveResult::NotChanged;
    if (ask && m_ui && m_ui->question(LoadText("盘点数据已经修改，是否保存？")) != HostUi::Answer::Yes)
        return SaveResult::Declined;
    if (!resolveConflicts())
        return SaveResult::Declined;

    LogBracket log(QString::fromLatin1(logName));
    m_error = {};
    m_refused = m_gone = 0;
    m_journaled = 0;
    if (m_ui)
        m_ui->setBusy(true);
    status(N_("正在保存数据,请稍候..."));
    QList<QStringList> errors;
    QList<Pending> pending, attempted;
    int rejected = 0;
    for (int r = 1; r <= m_grid.dataRows(); ++r) {
        if (m_grid.isChanged(r)) {
            const CountRowValues values = CountRowValues::fromGrid(m_grid, r);
            const RowCheck check = checkRow(values);
            if (check == RowCheck::Accepted) {
                pending << Pending{r, values};
                attempted << pending.last();
            } else {
                errors << errorLine(r, checkMessage(check));
                ++rejected;
            }
        }
        // batches are cut by grid row number, not by the number of changed rows
        if (r % batchRows == 0 && !pending.isEmpty()) {
            writeBatch(pending, &errors);
            pending.clear();
        }
    }
    if (!pending.isEmpty())
        writeBatch(pending, &errors);
    noteWrittenRows(attempted);
    if (m_ui)
        m_ui->setBusy(false);
    status(N_("就绪"));
    if (!errors.isEmpty() && m_ui) {
        // by row, whether the check or the database refused them
        std::stable_sort(errors.begin(), errors.end(),
                         [](const QStringList &a, const QStringList &b) { return a.at(0).toInt() < b.at(0).toInt(); });
        m_ui->showList(LoadText("盘点错误数据提示"), errorTitles(m_options.mtoPlanMode),
                       errorWidths(m_options.mtoPlanMode), errors);
        if (m_listClosed)
            m_listClosed();
    }
    if (m_refused > 0)
        return SaveResult::Failed;
    log.end();
    if (rejected > 0 || m_gone > 0)
        return SaveResult::Rejected;
    m_session.dataChanged = false;
    return SaveResult::Saved;
}

CountSaver::RowWrite CountSaver::saveRow(int row)
{
    RowWrite result;
    m_error = {};
    if (!m_grid.isDataRow(row))
        return result;
    const CountRowValues values = CountRowValues::fromGrid(m_grid, row);
    result.check = checkRow(values);
    if (result.check != RowCheck::Accepted)
        return result;
    switch (writeRow(values)) {
    case RowOutcome::Written:
        result.written = true;
        m_grid.clearChanged(row);
        break;
    case RowOutcome::Gone:
        m_error = {LoadText("这条盘点记录在数据库中已不存在（可能已被其他用户删除），没有保存。"), {}, {}};
        break;
    case RowOutcome::Refused:
        m_error = m_connection.lastError();
        break;
    }
    return result;
}

CountSaver::RowWrite CountSaver::FillDiffQty(int row, bool calculated, double baseDiff, double secDiff)
{
    if (!m_grid.isDataRow(row))
        return {};
    QString refusal;
    if (calculated)
        EntryRules::setDifferences(m_grid, row, baseDiff, secDiff, m_session, &refusal);
    else
        EntryRules::cellChanged(m_grid, row, BaseCheckQty, m_session, &refusal);
    if (!refusal.isEmpty()) {
        RowWrite refused;
        refused.refused = refusal;
        return refused;
    }
    m_kind = calculated ? CountEntryKind::Documents : CountEntryKind::Set;
    const RowWrite write = saveRow(row);
    m_kind = CountEntryKind::Set;
    return write;
}

bool CountSaver::deleteRow(const CountRowKey &key)
{
    const SqlFragment sql = SqlFragment(deleteRowSql) + key.whereClause();
    return m_connection.Exec(sql.sql, sql.binds);
}

CountSaver::DeleteResult CountSaver::deleteAddedItem(int row)
{
    if (!m_grid.isDataRow(row))
        return DeleteResult::Nothing;
    if (m_ui && m_ui->question(LoadText("是否真的要删除此项物料？")) != HostUi::Answer::Yes)
        return DeleteResult::Declined;
    if (roundQuantity(m_grid.number(row, BaseBookQty), m_grid.decimals(row)) != 0) {
        if (m_ui)
            m_ui->message(LoadText("不能删除有账存余额的物料"), HostUi::Icon::Information);
        return DeleteResult::Refused;
    }
    const CountRowKey key = CountRowValues::fromGrid(m_grid, row).key(m_options.processId);
    if (deleteRow(key))
        return DeleteResult::Deleted;
    m_error = m_connection.lastError();
    if (m_ui)
        m_ui->message(FormatText("删除物料失败：%1", {m_error.message}), HostUi::Icon::Critical, m_error.detailed());
    return DeleteResult::Failed;
}
