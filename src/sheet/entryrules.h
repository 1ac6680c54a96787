#pragma once

#include "entrysession.h"
#include "model/countrowcheck.h"
#include "model/entrygrid.h"

#include <QString>

// The rules of the entry grid, without any widget: what an edited cell recomputes
// in its row, which figures are refused, what leaving and entering a cell do, and
// what the keys of the grid mean. The window's edits, the composite editor, the
// documents window and the command-line count all change figures through
// setCell(), applyComplexQty() and setDifferences(), so a figure out of bounds is
// refused the same way everywhere; the window carries out the decisions returned
// by the other functions (open a picker, move the focus to the barcode box,
// enable a command).
class EntryRules
{
public:
    // What the window does with a key pressed in a cell of the grid.
    enum class KeyAction {
        Pass,              // let the grid handle it
        Discard,           // swallow it
        OpenUnitPicker,    // F7 in the unit column
        OpenComplexEditor, // F8 in the composite-quantity column
        ReturnToBarcode,   // Enter in the counted column: empty the barcode box and focus it
    };

    // What the window does when the cursor arrives in a cell or the grid gets the focus.
    struct Arrival
    {
        bool attachComplexEditor = false; // the composite-quantity editor, starting empty
        bool selectBillEnabled = false;   // "选择单据" works on this row
    };

    // Every quantity of a row stays within what its cells (and the database's
    // columns) hold; counted quantities are never below 0.
    static constexpr double quantityLimit = countQuantityLimit;

    // Recomputes the row after the text of (row, col) was set, marks the row changed,
    // sets data changed and updates the totals row. Does nothing while loading, and
    // nothing but setting data changed for a column without rules. True when cells
    // of the row (and the totals row) changed; false with `refusal` set when a
    // figure the rule would write is out of bounds (the row is left as it was,
    // except for the cell already set).
    static bool cellChanged(EntryGrid &grid, int row, int col, EntrySession &session, QString *refusal = nullptr);
    // Sets the text of a cell as typing would, then applies its rule. A figure out
    // of bounds, typed or following from it, refuses the edit: nothing changes, not
    // even the marks, and `refusal` says why in the user's language.
    static bool setCell(EntryGrid &grid, int row, int col, const QString &text, EntrySession &session,
                        QString *refusal = nullptr);
    // The result of the composite-quantity editor: its text into the composite cell
    // and the base quantity into the base counted cell, with their rules; refused
    // like setCell, also for a base quantity with more places than the row keeps.
    static bool applyComplexQty(EntryGrid &grid, int row, const QString &text, double baseQty, EntrySession &session,
                                QString *refusal = nullptr);
    // The differences that documents after the snapshot make (base and secondary
    // unit), then the base counted quantity's rule; refused like setCell.
    static bool setDifferences(EntryGrid &grid, int row, double baseDiff, double secDiff, EntrySession &session,
                               QString *refusal = nullptr);

    // The cursor leaves the session's current cell: a cell left blank gets its
    // previous text back (and its rule again when one ran on it), and leaving the
    // composite cell keeps its unit names as the last unit list. True when cells changed.
    static bool leaveCell(EntryGrid &grid, EntrySession &session);
    // A save while the cursor stays: a blank current cell gets its previous text back
    // as leaving it would, and keeps it to give back again. True when it changed.
    static bool restoreCurrentBlank(EntryGrid &grid, EntrySession &session);
    // The cursor arrives in (row, col): it becomes the current cell, its text the
    // previous text, its row's item the current item. Arriving again in the current
    // cell keeps the previous text (the barcode search has emptied the cell already).
    static Arrival enterCell(const EntryGrid &grid, int row, int col, EntrySession &session);
    // The grid gets the focus with the cursor at (row, col).
    static Arrival focusIn(const EntryGrid &grid, int row, int col);
    // A key (Qt::Key) pressed in (row, col).
    static KeyAction gridKey(EntryGrid &grid, int row, int col, int key, EntrySession &session);

    // "选择单据" is enabled on a data row that holds an item.
    static bool selectBillEnabled(const EntryGrid &grid, int row);
    // The unit names of a composite quantity: "3箱5个" gives "箱,个"; a text without
    // names gives an empty list.
    static QString unitListOf(const QString &compositeText);
    // Columns whose change marks the row (and recomputes it).
    static bool hasRule(int col);

private:
    class RowPlan;
    static bool apply(EntryGrid &grid, int row, int col, RowPlan &plan, EntrySession &session, QString *refusal);
    static void runRule(int col, RowPlan &plan);
    static void baseCheckChanged(RowPlan &plan);
    static void checkChanged(RowPlan &plan);
    static void rateChanged(RowPlan &plan);
    static void secCheckChanged(RowPlan &plan);
    static void adjustmentChanged(RowPlan &plan);
    static void writeComplexQty(EntryGrid &grid, int row, EntrySession &session);
    static bool restoreBlank(EntryGrid &grid, int row, int col, EntrySession &session);
};
