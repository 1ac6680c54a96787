#pragma once

#include "host/hostcomponents.h"
#include "host/sheetmode.h"

#include <QList>
#include <QString>

class CountSheet;
class EntryGrid;
class LedgerGrid;
class MainDo;
struct SheetColumn;

// The count sheet's rows as the table the host's spreadsheet writer lays out
// (mnuFileOut). Modes 1 and 3: the visible ledger columns, sheet "盘点表", with the
// total line of the check mode. Mode 4: the entry grid's columns in the order of
// the count import's template, sheet "物料盘点表", so an exported file reads back.
// Cells are typed from the texts the grids show; the rows are read when the
// writer asks for them.
class SheetExport
{
public:
    static SheetExport of(const CountSheet &sheet);
    // A loaded model with its ledger grid (its maxRows set, as the window sets it).
    static SheetExport ledger(const MainDo &model, const LedgerGrid &grid, SheetMode mode);
    // `layout` is the entry mode's column layout (types and widths by column).
    // With `blind` the book quantity cells stay empty (the columns stay, so the file
    // still reads back through the import).
    static SheetExport entry(const EntryGrid &grid, const QList<SheetColumn> &layout, bool blind = false);

    // The entry grid's columns an export holds, in order: those of the import
    // template, which starts at the second column and has the MTO number only in
    // MTO planning mode. The composite quantity stays even when its column is
    // hidden, or every later column would land one place early on reading back.
    static QList<int> entryColumns();

    QString title() const { return m_title; }
    const QList<ExportColumn> &columns() const { return m_columns; }
    int rowCount() const { return m_rowCount; }
    void loadRow(int row, ExportRow &values) const { m_load(row, values); }
    bool write(SheetWriter &writer, const QString &fileName, QString *error) const;

private:
    QString m_title;
    QList<ExportColumn> m_columns;
    int m_rowCount = 0;
    SheetWriter::RowLoader m_load;
};
