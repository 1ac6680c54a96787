#pragma once

#include "host/countrowkey.h"

#include <QHash>
#include <QString>

#include <functional>
#include <optional>

// The composite text of a quantity over an item's units (the host's
// sp_CalComplexQty): item id, unit list ("箱,个", empty for all units of the item),
// quantity, and the unit that quantity is in. No value when it cannot be worked out.
using ComplexQtyFunction = std::function<std::optional<QString>(int itemId, const QString &unitList, double quantity,
                                                                const QString &unitName)>;

// What the count sheet remembers between edits of its entry grid: the loading and
// data-changed flags, the cursor, the text a cell had before it was emptied, the
// last barcode and composite unit list, and the current item. The entry rules and
// the barcode search read and write it; the window owns one per sheet.
struct EntrySession
{
    bool loading = false;     // set while the grid is filled: no rule runs
    bool dataChanged = false; // cleared by a save without rejected rows

    // The cell the cursor is in (0 = none), and whether a rule ran on it since.
    int currentRow = 0;
    int currentCol = 0;
    bool currentCellEdited = false;
    QString previousText; // put back when the cell is left blank

    QString lastBarcode;
    // The code of the last search that found rows and the row it went to: the same
    // code scanned again goes to the next of its rows.
    QString matchedBarcode;
    int matchedRow = 0;
    QString lastUnitList; // unit names of the last composite entry, "箱,个"

    // The count journal's highest entry when the rows were read:
    // a row with a later entry was changed by somebody else meanwhile. -1: not
    // known, nothing is checked.
    qint64 journalMark = -1;
    // Rows this window itself brought up to date after the mark (a scan that
    // added, an undo): their entries up to this id are in the grid already.
    QHash<CountRowKey, qint64> rowsSeen;

    int currentItemId = 0;
    QString currentItemNumber;

    // Writes the composite text after a counted quantity was typed; none set means
    // the composite cell is left as it is.
    ComplexQtyFunction complexQty;

    // Forgets the cursor and the texts (a new process was loaded).
    void resetCursor()
    {
        currentRow = currentCol = 0;
        currentCellEdited = false;
        previousText.clear();
        lastBarcode.clear();
        matchedBarcode.clear();
        matchedRow = 0;
    }
};
