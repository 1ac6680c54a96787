#include "barcodesearch.h"

#include "entryrules.h"

#include <qnamespace.h>

bool BarcodeSearch::keyClearsBox(int key, EntrySession &session)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter || session.lastBarcode.isEmpty())
        return false;
    session.lastBarcode.clear();
    return true;
}

BarcodeSearch::Result BarcodeSearch::search(EntryGrid &grid, const QString &text, EntrySession &session)
{
    Result result;
    session.lastBarcode = text;
    if (text.trimmed().isEmpty())
        return result;
    result.searched = true;
    for (int r = 1; r <= grid.dataRows(); ++r) {
        const bool match = grid.text(r, EntryCol::BarCode) == text;
        grid.setHighlight(r, match ? EntryGrid::Highlight::Found : EntryGrid::Highlight::NotFound);
        if (match)
            result.rows << r;
    }
    if (result.rows.isEmpty()) {
        session.matchedBarcode.clear();
        session.matchedRow = 0;
        return result;
    }
    result.matchIndex = 0;
    if (text == session.matchedBarcode) {
        const qsizetype previous = result.rows.indexOf(session.matchedRow);
        if (previous >= 0)
            result.matchIndex = int((previous + 1) % result.rows.size());
    }
    const int row = result.rows.at(result.matchIndex);
    result.currentRow = row;
    session.matchedBarcode = text;
    session.matchedRow = row;
    if (session.currentRow != row || session.currentCol != EntryCol::CheckQty)
        EntryRules::leaveCell(grid, session); // the cursor moves: a blank cell left behind gets its text back
    session.currentRow = row;
    session.currentCol = EntryCol::CheckQty;
    session.currentCellEdited = false;
    session.previousText = grid.text(row, EntryCol::CheckQty);
    session.currentItemId = int(grid.number(row, EntryCol::ItemID));
    session.currentItemNumber = grid.text(row, EntryCol::ItemNumber);
    grid.setBlank(row, EntryCol::CheckQty);
    return result;
}
