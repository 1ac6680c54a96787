#pragma once

#include "model/entrygrid.h"
#include "entrysession.h"

#include <QList>
#include <QString>

// The barcode box of the count sheet (`txtBarCode`): a scanner types a code and
// Enter; the rows whose barcode matches light up and the last of them waits, its
// counted cell emptied, for the quantity.
class BarcodeSearch
{
public:
    struct Result
    {
        bool searched = false; // false: the box was blank, nothing happened
        QList<int> rows;       // rows whose barcode matched, top to bottom
        int currentRow = 0;    // the row whose counted cell becomes current in edit mode, 0 for none
        int currentCol() const { return currentRow > 0 ? EntryCol::CheckQty : 0; }
    };

    // A key (Qt::Key) typed into the box. True when the box must be emptied before
    // the key is taken: a new scan after a finished one starts clean.
    static bool keyClearsBox(int key, EntrySession &session);
    // Enter in the box with `text`: highlights the counted cell of every row orange
    // (match) or white, makes the last match the current cell with its text kept as
    // the previous text, and empties that cell for typing.
    static Result search(EntryGrid &grid, const QString &text, EntrySession &session);
};
