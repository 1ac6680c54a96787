#include "entryrules.h"

#include "host/numbers.h"

#include <QStringList>
#include <qnamespace.h>

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

bool EntryRules::cellChanged(EntryGrid &grid, int row, int col, EntrySession &session)
{
    if (session.loading || !grid.isDataRow(row))
        return false;
    session.dataChanged = true;
    if (!hasRule(col))
        return false;
    switch (col) {
    case BaseCheckQty:
        baseCheckChanged(grid, row);
        break;
    case CheckQty:
        checkChanged(grid, row, session);
        break;
    case SecRate:
        rateChanged(grid, row);
        break;
    case SecCheckQty:
        secCheckChanged(grid, row);
        break;
    case AdjQty:
        adjustmentChanged(grid, row);
        break;
    default: // composite quantity and note: kept as typed
        break;
    }
    if (row == session.currentRow && col == session.currentCol)
        session.currentCellEdited = true;
    grid.markChanged(row);
    grid.refreshTotalsRow();
    return true;
}

bool EntryRules::setCell(EntryGrid &grid, int row, int col, const QString &text, EntrySession &session)
{
    if (!grid.isDataRow(row))
        return false;
    grid.setText(row, col, text);
    return cellChanged(grid, row, col, session);
}

bool EntryRules::applyComplexQty(EntryGrid &grid, int row, const QString &text, double baseQty, EntrySession &session)
{
    if (!grid.isDataRow(row))
        return false;
    grid.setText(row, ComplexQty, text);
    cellChanged(grid, row, ComplexQty, session);
    grid.setNumber(row, BaseCheckQty, baseQty);
    return cellChanged(grid, row, BaseCheckQty, session);
}

void EntryRules::baseCheckChanged(EntryGrid &grid, int row)
{
    const double counted = grid.number(row, BaseCheckQty);
    const double diff = grid.number(row, DiffQty);
    const double k = grid.number(row, Coefficient);
    grid.setNumber(row, BaseActualQty, counted + diff);
    grid.setNumber(row, SecActualQty, grid.number(row, SecCheckQty) + grid.number(row, SecDiffQty));
    if (roundQuantity(k, 0) == 0) {
        grid.setNumber(row, ActualQty, 0);
        grid.setNumber(row, CheckQty, 0);
        grid.setNumber(row, UnitDiffQty, 0);
        return;
    }
    grid.setNumber(row, ActualQty, (counted + diff) / k);
    grid.setNumber(row, CheckQty, counted / k);
    grid.setNumber(row, UnitDiffQty, diff / k);
}

void EntryRules::checkChanged(EntryGrid &grid, int row, EntrySession &session)
{
    const double counted = grid.number(row, CheckQty);
    const double diff = grid.number(row, UnitDiffQty);
    const double k = grid.number(row, Coefficient);
    const double r = grid.number(row, SecRate);
    grid.setNumber(row, ActualQty, counted + diff);
    grid.setNumber(row, BaseActualQty, (counted + diff) * k);
    grid.setNumber(row, BaseCheckQty, counted * k);
    if (isZeroRate(r)) {
        grid.setNumber(row, SecCheckQty, 0);
        grid.setNumber(row, SecActualQty, 0);
    } else {
        grid.setNumber(row, SecCheckQty, counted * k / r);
        grid.setNumber(row, SecActualQty, counted * k / r + grid.number(row, SecDiffQty));
    }
    writeComplexQty(grid, row, session);
}

void EntryRules::rateChanged(EntryGrid &grid, int row)
{
    const double r = grid.number(row, SecRate);
    const bool zero = isZeroRate(r);
    grid.setNumber(row, SecCheckQty, zero ? 0.0 : grid.number(row, BaseCheckQty) / r);
    grid.setNumber(row, SecActualQty, zero ? 0.0 : grid.number(row, SecCheckQty) + grid.number(row, SecDiffQty));
    adjustmentChanged(grid, row);
}

void EntryRules::secCheckChanged(EntryGrid &grid, int row)
{
    // the rate follows from the two counts
    const double rate = divide(grid.number(row, BaseCheckQty), grid.number(row, SecCheckQty));
    grid.setNumber(row, SecRate, rate);
    const bool zero = isZeroRate(rate);
    grid.setNumber(row, SecActualQty, zero ? 0.0 : grid.number(row, SecCheckQty) + grid.number(row, SecDiffQty));
    adjustmentChanged(grid, row);
}

void EntryRules::adjustmentChanged(EntryGrid &grid, int row)
{
    const double r = grid.number(row, SecRate);
    const double adjusted = grid.number(row, AdjQty) * grid.number(row, Coefficient);
    grid.setNumber(row, SecAdjQty, isZeroRate(r) ? 0.0 : adjusted / r);
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
