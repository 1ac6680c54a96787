#pragma once

#include "entrysession.h"
#include "model/entrygrid.h"

#include <QList>
#include <QString>

// The barcode box of the count sheet (`txtBarCode`): a scanner types a code and
// Enter; the rows whose barcode matches light up and the first of them waits, its
// counted cell emptied, for the quantity. Scanning the same code again moves on to
// the next of them, so one item kept in several places is counted place by place.
class BarcodeSearch
{
public:
    struct Result
    {
        bool searched = false; // false: the box was blank, nothing happened
        QList<int> rows;       // rows whose barcode matched, top to bottom
        int currentRow = 0;    // the row whose counted cell becomes current in edit mode, 0 for none
        int matchIndex = -1;   // its position in `rows`
        int currentCol() const { return currentRow > 0 ? EntryCol::CheckQty : 0; }
    };

    // A key (Qt::Key) typed into the box. True when the box must be emptied before
    // the key is taken: a new scan after a finished one starts clean.
    static bool keyClearsBox(int key, EntrySession &session);
    // Enter in the box with `text`: highlights the counted cell of every row orange
    // (match) or white, makes a match the current cell with its text kept as the
    // previous text, and empties that cell for typing. The match is the first one,
    // or the one after the match of the previous search when it was for the same
    // code (after the last, the first again).
    static Result search(EntryGrid &grid, const QString &text, EntrySession &session);
};
