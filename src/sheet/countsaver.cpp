#include "countsaver.h"

#include "entryrules.h"

#include "host/hostui.h"
#include "host/logging.h"
#include "host/lookups.h"
#include "host/numbers.h"
#include "host/sharedstate.h"
#include "host/texts.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace {

using namespace EntryCol;

const char *const logName = "N5StockCheck.frmMain.SaveStockData";

// The figures of a row, then (second statement) its differences from the figures
// just written: both as the database computes them, in the same transaction. The
// differences are rounded to the ten decimals of the quantity columns, so that
// SQLite's REAL arithmetic stores -9.6 and not -9.60000000000002, as PostgreSQL's
// NUMERIC does.
const QString updateFiguresSql = QStringLiteral(
    R"(UPDATE ICInvBackup SET FCheckQty = ?, FQtyAct = ?, FAuxQty = ?, FQty = ?, FAuxCheckQty = ?, FAuxQtyAct = ?,
 FChecker = ?, FNote = ?, FAdjQty = ?, FSecQty = ?, FSecQtyAct = ?, FSecCheckQty = ?, FSecAdjQty = ?, FComplexQty = ?
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
UPDATE ICInvBackup SET FCheckQty = v.FCheckQty, FQtyAct = v.FQtyAct, FAuxQty = v.FAuxQty, FQty = v.FQty,
 FAuxCheckQty = v.FAuxCheckQty, FAuxQtyAct = v.FAuxQtyAct, FChecker = ?, FNote = v.FNote, FAdjQty = v.FAdjQty,
 FSecQty = v.FSecQty, FSecQtyAct = v.FSecQtyAct, FSecCheckQty = v.FSecCheckQty, FSecAdjQty = v.FSecAdjQty,
 FComplexQty = v.FComplexQty
  FROM v
 WHERE %2)");
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
    {"FItemID", Type::Int},       {"FAuxPropID", Type::Int},   {"FUnitID", Type::Int},     {"FBatchNo", Type::Text},
    {"FMtoNo", Type::Text},       {"FKFDate", Type::Text},     {"FKFPeriod", Type::Int},   {"FStockID", Type::Int},
    {"FStockPlaceID", Type::Int}, {"FCheckQty", Type::Qty},    {"FQtyAct", Type::Qty},     {"FAuxQty", Type::Qty},
    {"FQty", Type::Qty},          {"FAuxCheckQty", Type::Qty}, {"FAuxQtyAct", Type::Qty},  {"FNote", Type::Text},
    {"FAdjQty", Type::Qty},       {"FSecQty", Type::Qty},      {"FSecQtyAct", Type::Qty},  {"FSecCheckQty", Type::Qty},
    {"FSecAdjQty", Type::Qty},    {"FComplexQty", Type::Text}, {"FCoefficient", Type::Qty}};

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
        for (double q : {v.checkQty, qtyAct(v), v.unitAccountQty, v.accountQty, v.unitCheckQty, unitQtyAct(v)})
            row.append(q);
        row.append(nonNull(v.note));
        for (double q : {v.adjQty, v.secUnitQty, secQtyAct(v), v.secCheckQty, v.secAdjQty})
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

int sign(double v)
{
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

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

CountSaver::CountSaver(EntryGrid &grid, EntrySession &session, AppConnection &connection, HostUi *ui, int processId)
    : m_grid(grid)
    , m_session(session)
    , m_connection(connection)
    , m_ui(ui)
    , m_process(processId)
{}

RowCheck CountSaver::checkRow(const CountRowValues &v)
{
    // Decided on figures rounded to the row's places, so binary noise never flips a sign.
    const int d = v.decimals;
    const double book = roundQuantity(v.accountQty, d);
    const double actual = roundQuantity(v.baseActual, d);
    if (book < 0 && actual < book)
        return RowCheck::NegativeBook;
    const double a = roundQuantity(v.adjQty * v.coefficient + v.accountQty - v.baseActual, d);
    const double b = roundQuantity(v.secUnitQty + v.secAdjQty - v.secQtyAct, d);
    const bool accepted = (a != 0 || b == 0) && ((a == 0 && b == 0) || sign(a) + sign(b) != 0);
    return accepted ? RowCheck::Accepted : RowCheck::Direction;
}

QString CountSaver::checkMessage(RowCheck check)
{
    switch (check) {
    case RowCheck::NegativeBook:
        return LoadText("账存数量为负且实存数量小于账存数量，盘点数据未能成功保存，请检查数据！");
    case RowCheck::Direction:
        return LoadText("基本单位与辅助计量单位盘盈盘亏方向不一致，盘点数据未能成功保存，请检查数据！");
    case RowCheck::Accepted:
        break;
    }
    return {};
}

QList<SqlStatement> CountSaver::rowStatements(const CountRowValues &v, int processId, int checker)
{
    const SqlFragment where = v.key(processId).whereClause();
    SqlFragment figures(updateFiguresSql, {v.checkQty, qtyAct(v), v.unitAccountQty, v.accountQty, v.unitCheckQty,
                                           unitQtyAct(v), checker, nonNull(v.note), v.adjQty, v.secUnitQty,
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
    const QString json = batchJson(rows);
    const QString select = batchRowsSelect(dialect);
    return {{batchFiguresSql.arg(select, keyJoin), {json, checker, processId}},
            {batchMinusSql.arg(select, keyJoin), {json, processId}}};
}

QStringList CountSaver::errorTitles(bool mtoPlanMode)
{
    QStringList titles;
    for (const char *t : {N_("仓库"), N_("仓位"), N_("物料代码"), N_("错误类型"), N_("辅助属性"), N_("批次")})
        titles << LoadText(t);
    if (mtoPlanMode)
        titles << LoadText("计划跟踪号");
    titles << LoadText("生产/采购日期") << LoadText("保质期(天)");
    return titles;
}

QList<int> CountSaver::errorWidths(bool mtoPlanMode)
{
    QList<int> widths{800, 600, 1100, 1600, 800, 600};
    if (mtoPlanMode)
        widths << 800;
    widths << 900 << 800;
    return widths;
}

QStringList CountSaver::errorLine(int row, RowCheck check, bool mtoPlanMode) const
{
    QStringList line{m_grid.text(row, StockName), m_grid.text(row, SPName),      m_grid.text(row, ItemNumber),
                     checkMessage(check),         m_grid.text(row, AuxPropName), m_grid.text(row, BatchNo)};
    if (mtoPlanMode)
        line << m_grid.text(row, MtoNo);
    line << m_grid.text(row, KFDate) << m_grid.text(row, KFPeriod);
    return line;
}

void CountSaver::status(const char *text)
{
    if (m_status)
        m_status(LoadText(text));
}

bool CountSaver::writeBatch(const QList<CountRowValues> &rows)
{
    const int checker = shared().operatorId;
    QList<SqlStatement> statements;
    if (m_setBased) {
        statements = batchStatements(rows, m_process, checker, m_connection.dialect());
    } else {
        for (const CountRowValues &v : rows)
            statements += rowStatements(v, m_process, checker);
    }
    QList<int> affected;
    if (!m_connection.ExecuteBatch(statements, &affected)) {
        m_error = m_connection.lastError();
        return false;
    }
    // Each row's figures statement reaches its count rows (the two ledgers of a
    // position may give two): fewer than the rows sent means some are gone, deleted
    // by someone else since the window read them.
    int reached = 0;
    for (qsizetype i = 0; i < affected.size(); i += 2)
        reached += affected.at(i);
    m_missing += std::max(0, int(rows.size()) - reached);
    return true;
}

CountSaver::SaveResult CountSaver::SaveStockData(bool ask)
{
    if (m_focusBarcode)
        m_focusBarcode();
    if (!m_session.dataChanged)
        return SaveResult::NotChanged;
    if (ask && m_ui && m_ui->question(LoadText("盘点数据已经修改，是否保存？")) != HostUi::Answer::Yes)
        return SaveResult::Declined;

    LogBracket log(QString::fromLatin1(logName));
    m_error = {};
    m_missing = 0;
    if (m_ui)
        m_ui->setBusy(true);
    status(N_("正在保存数据,请稍候..."));
    const bool mto = shared().enableMtoPlanMode != 0;
    QList<QStringList> errors;
    QList<CountRowValues> pending;
    bool failed = false;
    for (int r = 1; r <= m_grid.dataRows() && !failed; ++r) {
        if (m_grid.isChanged(r)) {
            const CountRowValues values = CountRowValues::fromGrid(m_grid, r);
            const RowCheck check = checkRow(values);
            if (check == RowCheck::Accepted)
                pending << values;
            else
                errors << errorLine(r, check, mto);
        }
        // batches are cut by grid row number, not by the number of changed rows
        if (r % batchRows == 0 && !pending.isEmpty()) {
            failed = !writeBatch(pending);
            pending.clear();
        }
    }
    if (!failed && !pending.isEmpty())
        failed = !writeBatch(pending);
    if (m_ui)
        m_ui->setBusy(false);
    status(N_("就绪"));
    if (failed)
        return SaveResult::Failed; // no message: the next save writes the changed rows again
    if (m_missing > 0 && m_ui)
        m_ui->message(FormatText("有%1条盘点记录在数据库中已不存在（可能已被其他用户删除），没有保存。", {m_missing}),
                      HostUi::Icon::Warning);
    if (!errors.isEmpty() && m_ui)
        m_ui->showList(LoadText("盘点错误数据提示"), errorTitles(mto), errorWidths(mto), errors);
    if (!errors.isEmpty() || m_missing > 0) {
        log.end();
        return SaveResult::Rejected;
    }
    m_session.dataChanged = false;
    log.end();
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
    QList<int> affected;
    result.written = m_connection.ExecuteBatch(rowStatements(values, m_process, shared().operatorId), &affected);
    if (!result.written) {
        m_error = m_connection.lastError();
    } else if (affected.value(0) == 0) {
        result.written = false;
        m_error = {LoadText("这条盘点记录在数据库中已不存在（可能已被其他用户删除），没有保存。"), {}, {}};
    }
    return result;
}

CountSaver::RowWrite CountSaver::FillDiffQty(int row, bool calculated, double baseDiff, double secDiff)
{
    if (!m_grid.isDataRow(row))
        return {};
    if (calculated) {
        m_grid.setNumber(row, DiffQty, baseDiff);
        m_grid.setNumber(row, SecDiffQty, secDiff);
    }
    EntryRules::cellChanged(m_grid, row, BaseCheckQty, m_session);
    return saveRow(row);
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
    const CountRowKey key = CountRowValues::fromGrid(m_grid, row).key(m_process);
    if (DeleteSnapshotRow(key))
        return DeleteResult::Deleted;
    AppConnection *conn = shared().connection;
    m_error = conn ? conn->lastError() : DbError{};
    if (m_ui)
        m_ui->message(FormatText("删除物料失败：%1", {m_error.message}), HostUi::Icon::Critical, m_error.detailed());
    return DeleteResult::Failed;
}
