#pragma once

#include <QString>

#include <algorithm>
#include <vector>

// One column of the count sheet as its definitions lay it out.
struct SheetColumn
{
    QString field;   // the row query's column (FColName; FNUMBER shows FShortNumber with short numbers)
    QString caption; // as defined, with its trailing marker character
    int type = 8;    // FColType: 0 date, 2 quantity, 3 whole number, 7 date text, 8 text
    int width = 0;   // twips
    bool visible = true;

    // The caption as lists and headings show it: without the trailing marker.
    QString displayCaption() const { return caption.endsWith(QLatin1Char('$')) ? caption.chopped(1) : caption; }
};

// What the count sheet model sets on the ledger grid of the check and print modes:
// column count, widths, hidden columns and numeric display, and the number of grid
// rows (heading, blank line, data rows, then the total line in the check mode).
// Plain data: the window's grid widget applies it and hands widths back to it.
class LedgerGrid
{
public:
    struct Column
    {
        int width = 0; // twips
        bool hidden = false;
        bool numeric = false;
    };

    int columnCount() const { return int(m_columns.size()); }
    void setColumnCount(int count) { m_columns.assign(size_t(std::max(0, count)), Column()); }
    bool hasColumn(int col) const { return col >= 1 && col <= columnCount(); }
    // 1-based, as the grid numbers its columns; check hasColumn first.
    Column &column(int col) { return m_columns[size_t(col - 1)]; }
    const Column &column(int col) const { return m_columns[size_t(col - 1)]; }

    int maxRows() const { return m_rows; }
    void setMaxRows(int rows) { m_rows = std::max(0, rows); }

private:
    std::vector<Column> m_columns;
    int m_rows = 0;
};
