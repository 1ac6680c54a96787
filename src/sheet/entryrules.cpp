#include "entryrules.h"

#include "host/numbers.h"
#include "host/texts.h"

#include <QRegularExpression>
#include <QStringList>
#include <qnamespace.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

using namespace EntryCol;

// A rate or coefficient of 0 makes the dependent cells 0 instead of an error.
double divide(double a, double b)
{
    return b == 0 ? 0.0 : a / b;
}

// Rates and coefficients are plain numbers; noise far below any place a person
// types must not count as a rate.
bool isZeroRate(double r)
{
    return roundQuantity(r, 10) == 0;
}

// The number a typed text starts with, as the grid reads it; none when its digits
// are more than a double holds (the grid would read them as 0).
std::optional<double> typedNumber(const QString &text)
{
    static const QRegularExpression prefix(QStringLiteral(R"(^[-+]?(\d+\.?\d*|\.\d+))"));
    const QRegularExpressionMatch m = prefix.match(text.trimmed());
    if (!m.hasMatch())
        return leadingNumber(text);
    bool ok = false;
    const double value = m.captured(0).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return leadingNumber(text);
}

bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
        return true;
    default:
        return false;
    }
}

} // namespace

bool EntryRules::hasRule(int col)
{
    switch (col) {
    case BaseCheckQty:
    case CheckQty:
    case ComplexQty:
    case AdjQty:
    case SecRate:
    case SecCheckQty:
    case Note:
        return true;
    default:
        return false;
    }
}

// The figures of one row as a rule leaves them: the cells it wrote (rounded as the
// grid would keep them), else the grid's. Nothing reaches the grid before every
// figure has been checked.
class EntryRules::RowPlan
{
public:
    RowPlan(const EntryGrid &grid, int row)
        : m_grid(grid)
        , m_row(row)
    {}

    double operator()(int col) const
    {
        for (const Cell &c : m_cells)
            if (c.col == col)
                return c.blank ? 0.0 : c.value;
        return m_grid.number(m_row, col);
    }
    void set(int col, double value)
    {
        if (EntryGrid::kind(col) == EntryGrid::Kind::Quantity && std::isfinite(value))
            value = roundQuantity(value, m_grid.decimals(m_row));
        put({col, value, false});
    }
    void setBlank(int col) { put({col, 0.0, true}); }

    // The first figure out of bounds, as a sentence for the person; a cell the
    // person can see is named rather than a hidden one.
    std::optional<QString> refusal() const
    {
        bool hiddenTooLarge = false;
        for (const Cell &c : m_cells) {
            if (c.blank || EntryGrid::kind(c.col) != EntryGrid::Kind::Quantity)
                continue;
            const QString heading = EntryGrid::heading(c.col);
            if (!std::isfinite(c.value) || std::fabs(c.value) > quantityLimit) {
                if (!heading.isEmpty())
                    return FormatText("数量超出允许的范围：“%1”的绝对值不能超过9,999,999,999.9999。", {heading});
                hiddenTooLarge = true;
            } else if (c.value < 0 && isCounted(c.col)) {
                return FormatText("“%1”不能为负数。", {heading});
            }
        }
        if (hiddenTooLarge)
            return LoadText("数量超出允许的范围：数量的绝对值不能超过9,999,999,999.9999。");
        return std::nullopt;
    }

    void applyTo(EntryGrid &grid) const
    {
        for (const Cell &c : m_cells) {
            if (c.blank)
                grid.setBlank(m_row, c.col);
            else
                grid.setNumber(m_row, c.col, c.value);
        }
    }

private:
    struct Cell
    {
        int col;
        double value;
        bool blank;
    };
    static bool isCounted(int col) { return col == BaseCheckQty || col == CheckQty || col == SecCheckQty; }
    void put(const Cell &cell)
    {
        for (Cell &c : m_cells)
            if (c.col == cell.col) {
                c = cell;
                return;
            }
        m_cells.push_back(cell);
    }

    const EntryGrid &m_grid;
    int m_row;
    std::vector<Cell> m_cells; // in the order written: the typed cell first
};

bool EntryRules::cellChanged(EntryGrid &grid, int row, int col, EntrySession &session, QString *refusal)
{
    RowPlan plan(grid, row);
    return apply(grid, row, col, plan, session, refusal);
}

// Runs the rule of `col` on the plan, checks every figure, and only then writes
// the row, marks it and keeps the totals.
bool EntryRules::apply(EntryGrid &grid, int row, int col, RowPlan &plan, EntrySession &session, QString *refusal)
{
    if (session.loading || !grid.isDataRow(row))
        return false;
    runRule(col, plan);
    if (const std::optional<QString> why = plan.refusal()) {
        if (refusal)
            *refusal = *why;
        return false;
    }
    plan.applyTo(grid);
    session.dataChanged = true;
    if (!hasRule(col))
        return false;
    if (col == CheckQty)
        writeComplexQty(grid, row, session);
    if (row == session.currentRow && col == session.currentCol)
        session.currentCellEdited = true;
    grid.markChanged(row);
    grid.refreshTotalsRow();
    return true;
}

void EntryRules::runRule(int col, RowPlan &plan)
{
    switch (col) {
    case BaseCheckQty:
        baseCheckChanged(plan);
        break;
    case CheckQty:
        checkChanged(plan);
        break;
    case SecRate:
        rateChanged(plan);
        break;
    case SecCheckQty:
        secCheckChanged(plan);
        break;
    case AdjQty:
        adjustmentChanged(plan);
        break;
    default: // composite quantity and note: kept as typed
        break;
    }
}

bool EntryRules::setCell(EntryGrid &grid, int row, int col, const QString &text, EntrySession &session,
                         QString *refusal)
{
    if (!grid.isDataRow(row))
        return false;
    if (session.loading || EntryGrid::kind(col) == EntryGrid::Kind::Text) {
        grid.setText(row, col, text);
        return cellChanged(grid, row, col, session, refusal);
    }
    RowPlan plan(grid, row);
    if (text.trimmed().isEmpty()) {
        plan.setBlank(col);
    } else {
        const std::optional<double> value = typedNumber(text);
        plan.set(col, value.value_or(std::numeric_limits<double>::infinity()));
    }
    return apply(grid, row, col, plan, session, refusal);
}

bool EntryRules::applyComplexQty(EntryGrid &grid, int row, const QString &text, double baseQty, EntrySession &session,
                                 QString *refusal)
{
    if (session.loading || !grid.isDataRow(row))
        return false;
    // the editor's figure is taken as it is, never rounded into another count
    const int places = grid.decimals(row);
    if (std::isfinite(baseQty) && roundQuantity(baseQty, places) != roundQuantity(baseQty, 10)) {
        if (refusal)
            *refusal = FormatText("“%1”最多只能有%2位小数。", {EntryGrid::heading(BaseCheckQty), places});
        return false;
    }
    RowPlan plan(grid, row);
    plan.set(BaseCheckQty, baseQty);
    if (!apply(grid, row, BaseCheckQty, plan, session, refusal))
        return false;
    grid.setText(row, ComplexQty, text);
    if (row == session.currentRow && session.currentCol == ComplexQty)
        session.currentCellEdited = true;
    return true;
}

bool EntryRules::setDifferences(EntryGrid &grid, int row, double baseDiff, double secDiff, EntrySession &session,
                                QString *refusal)
{
    RowPlan plan(grid, row);
    plan.set(DiffQty, baseDiff);
    plan.set(SecDiffQty, secDiff);
    return apply(grid, row, BaseCheckQty, plan, session, refusal);
}

// The secondary counted quantity follows the base one by the rate, as it does
// for a count in the row's unit: a count entered in another unit can be saved.
void EntryRules::baseCheckChanged(RowPlan &p)
{
    const double counted = p(BaseCheckQty);
    const double diff = p(DiffQty);
    const double k = p(Coefficient);
    const double r = p(SecRate);
    p.set(BaseActualQty, counted + diff);
    p.set(SecCheckQty, isZeroRate(r) ? 0.0 : counted / r);
    p.set(SecActualQty, p(SecCheckQty) + p(SecDiffQty));
    if (roundQuantity(k, 0) == 0) {
        p.set(ActualQty, 0);
        p.set(CheckQty, 0);
        p.set(UnitDiffQty, 0);
        return;
    }
    p.set(ActualQty, (counted + diff) / k);
    p.set(CheckQty, counted / k);
    p.set(UnitDiffQty, diff / k);
}

void EntryRules::checkChanged(RowPlan &p)
{
    const double counted = p(CheckQty);
    const double diff = p(UnitDiffQty);
    const double k = p(Coefficient);
    const double r = p(SecRate);
    p.set(ActualQty, counted + diff);
    p.set(BaseActualQty, (counted + diff) * k);
    p.set(BaseCheckQty, counted * k);
    if (isZeroRate(r)) {
        p.set(SecCheckQty, 0);
        p.set(SecActualQty, 0);
    } else {
        p.set(SecCheckQty, counted * k / r);
        p.set(SecActualQty, counted * k / r + p(SecDiffQty));
    }
}

void EntryRules::rateChanged(RowPlan &p)
{
    const double r = p(SecRate);
    const bool zero = isZeroRate(r);
    p.set(SecCheckQty, zero ? 0.0 : p(BaseCheckQty) / r);
    p.set(SecActualQty, zero ? 0.0 : p(SecCheckQty) + p(SecDiffQty));
    adjustmentChanged(p);
}

void EntryRules::secCheckChanged(RowPlan &p)
{
    // the rate follows from the two counts
    const double rate = divide(p(BaseCheckQty), p(SecCheckQty));
    p.set(SecRate, rate);
    const bool zero = isZeroRate(rate);
    p.set(SecActualQty, zero ? 0.0 : p(SecCheckQty) + p(SecDiffQty));
    adjustmentChanged(p);
}

void EntryRules::adjustmentChanged(RowPlan &p)
{
    const double r = p(SecRate);
    const double adjusted = p(AdjQty) * p(Coefficient);
    p.set(SecAdjQty, isZeroRate(r) ? 0.0 : adjusted / r);
}

void EntryRules::showStoredCount(EntryGrid &grid, int row, const CountFigures &counted, EntrySession &session)
{
    if (!grid.isDataRow(row))
        return;
    grid.setNumber(row, CheckQty, counted.unitQty);
    grid.setNumber(row, ActualQty, counted.unitQty + grid.number(row, UnitDiffQty));
    grid.setNumber(row, BaseCheckQty, counted.baseQty);
    grid.setNumber(row, BaseActualQty, counted.baseQty + grid.number(row, DiffQty));
    const bool zero = isZeroRate(grid.number(row, SecRate));
    grid.setNumber(row, SecCheckQty, zero ? 0.0 : counted.secQty);
    grid.setNumber(row, SecActualQty, zero ? 0.0 : counted.secQty + grid.number(row, SecDiffQty));
    grid.setText(row, ComplexQty, QString());
    writeComplexQty(grid, row, session);
    grid.refreshTotalsRow();
}

void EntryRules::writeComplexQty(EntryGrid &grid, int row, EntrySession &session)
{
    if (!session.complexQty)
        return;
    const QString unitName = grid.text(row, UnitName).trimmed();
    if (session.lastUnitList.isEmpty())
        session.lastUnitList = unitName;
    // the row being edited is the row last entered: its item is the current item
    const int itemId = int(grid.number(row, ItemID));
    const std::optional<QString> text =
        session.complexQty(itemId, session.lastUnitList, grid.number(row, CheckQty), unitName);
    if (text)
        grid.setText(row, ComplexQty, *text);
}

bool EntryRules::restoreBlank(EntryGrid &grid, int row, int col, EntrySession &session)
{
    bool changed = false;
    if (grid.isDataRow(row) && grid.text(row, col).trimmed().isEmpty() && !session.previousText.isEmpty()) {
        grid.setText(row, col, session.previousText);
        // a rule that ran on the blank cell computed with 0: run it on the old value
        if (session.currentCellEdited && row == session.currentRow && col == session.currentCol)
            cellChanged(grid, row, col, session);
        else
            grid.refreshTotalsRow();
        changed = true;
    }
    session.previousText.clear();
    return changed;
}

bool EntryRules::restoreCurrentBlank(EntryGrid &grid, EntrySession &session)
{
    if (session.currentRow <= 0 || session.currentCol <= 0)
        return false;
    const QString previous = session.previousText;
    const bool changed = restoreBlank(grid, session.currentRow, session.currentCol, session);
    session.previousText = previous;
    return changed;
}

bool EntryRules::leaveCell(EntryGrid &grid, EntrySession &session)
{
    const int row = session.currentRow;
    const int col = session.currentCol;
    if (row <= 0 || col <= 0)
        return false;
    const bool changed = restoreBlank(grid, row, col, session);
    if (col == ComplexQty && grid.isDataRow(row))
        session.lastUnitList = unitListOf(grid.text(row, ComplexQty));
    session.currentRow = session.currentCol = 0;
    session.currentCellEdited = false;
    return changed;
}

EntryRules::Arrival EntryRules::enterCell(const EntryGrid &grid, int row, int col, EntrySession &session)
{
    if (row != session.currentRow || col != session.currentCol) {
        session.currentRow = row;
        session.currentCol = col;
        session.currentCellEdited = false;
        session.previousText = grid.text(row, col);
        if (grid.isDataRow(row)) {
            session.currentItemId = int(grid.number(row, ItemID));
            session.currentItemNumber = grid.text(row, ItemNumber);
        }
    }
    return focusIn(grid, row, col);
}

EntryRules::Arrival EntryRules::focusIn(const EntryGrid &grid, int row, int col)
{
    Arrival a;
    a.attachComplexEditor = col == ComplexQty && grid.isDataRow(row);
    a.selectBillEnabled = selectBillEnabled(grid, row);
    return a;
}

EntryRules::KeyAction EntryRules::gridKey(EntryGrid &grid, int row, int col, int key, EntrySession &session)
{
    // no quote may reach a cell (texts end up in statements and files)
    if (key == Qt::Key_QuoteDbl || key == Qt::Key_Apostrophe)
        return KeyAction::Discard;
    if (col == UnitName)
        return key == Qt::Key_F7 ? KeyAction::OpenUnitPicker
                                 : (isNavigationKey(key) ? KeyAction::Pass : KeyAction::Discard);
    if (col == ComplexQty)
        return key == Qt::Key_F8 ? KeyAction::OpenComplexEditor
                                 : (isNavigationKey(key) ? KeyAction::Pass : KeyAction::Discard);
    if (col == CheckQty && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        restoreBlank(grid, row, col, session);
        return KeyAction::ReturnToBarcode;
    }
    return KeyAction::Pass;
}

bool EntryRules::selectBillEnabled(const EntryGrid &grid, int row)
{
    return grid.isDataRow(row) && grid.number(row, ItemID) > 0;
}

QString EntryRules::unitListOf(const QString &compositeText)
{
    QStringList names;
    QString name;
    auto close = [&] {
        if (!name.isEmpty())
            names << name;
        name.clear();
    };
    for (const QChar c : compositeText.trimmed()) {
        if (c.isDigit() || c == QLatin1Char('.'))
            close();
        else if (!c.isSpace() && c != QLatin1Char('-') && c != QLatin1Char('+')) // a sign is no unit
            name += c;
    }
    close();
    return names.join(QLatin1Char(','));
}
