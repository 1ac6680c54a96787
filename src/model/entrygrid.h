#pragma once

#include <QString>

#include <array>
#include <vector>

// Columns of the entry grid `vsCheck`. The numbers are fixed: entry rules, saving,
// export and the documents window all address cells by them.
namespace EntryCol {
enum : int {
    ItemID = 1,
    StockNumber = 2,
    StockName = 3,
    SPNumber = 4,
    SPName = 5,
    ItemNumber = 6,
    ItemName = 7,
    Model = 8,
    AuxPropNumber = 9,
    AuxPropName = 10,
    BatchNo = 11,
    MtoNo = 12,
    KFDate = 13,
    KFPeriod = 14,
    BaseUnitNumber = 15,
    BaseUnitName = 16,
    BaseBookQty = 17,
    BaseActualQty = 18,
    BaseCheckQty = 19,
    UnitNumber = 20,
    UnitName = 21,
    Brand = 22,
    BarCode = 23,
    Category = 24,
    BookQty = 25,
    ActualQty = 26,
    CheckQty = 27,
    ComplexQty = 28,
    AdjQty = 29,
    SecUnitNumber = 30,
    SecUnitName = 31,
    SecRate = 32,
    SecBookQty = 33,
    SecActualQty = 34,
    SecCheckQty = 35,
    SecAdjQty = 36,
    Note = 37,
    Coefficient = 38,
    StockPlaceID = 39,
    DiffQty = 40,
    UnitID = 41,
    UnitGroupID = 42,
    UnitDiffQty = 43,
    SecUnitID = 44,
    AuxPropID = 45,
    StockID = 46,
    SecDiffQty = 47,
    Count = 47
};
} // namespace EntryCol

// The cells of the entry grid, without any widget: data rows 1..dataRows(), then
// the totals row. Quantity cells hold numbers rounded to their row's decimals (as
// numeric cells with that many places would); id and coefficient cells hold plain
// numbers; the rest hold text. Storage is per row in fixed arrays, so a sheet of
// 100,000 rows stays well under 100 MB; texts share their data with the row
// recordset they come from.
class EntryGrid
{
public:
    enum class Kind { Text, Quantity, Number };
    enum class Highlight { None, Found, NotFound }; // background of the counted cell after a barcode search

    static Kind kind(int col);
    // Counted quantity (27), composite quantity (28) and adjustment (29) are the
    // cells a person types into; every other cell of a data row is locked.
    static bool isEditable(int col);
    // Columns summed into the totals row.
    static const std::array<int, 9> &totalColumns();
    // Heading of a column as shown (through LoadText); empty for unnamed hidden columns.
    static QString heading(int col);
    // Hidden whatever the settings: ids, coefficients and document differences.
    static bool isAlwaysHidden(int col);
    // The book quantities (17, 25, 33): hidden from a counter who counts blind.
    static bool isBookColumn(int col)
    {
        return col == EntryCol::BaseBookQty || col == EntryCol::BookQty || col == EntryCol::SecBookQty;
    }

    void clear() { resize(0); }
    void resize(int dataRows); // clears every cell
    int dataRows() const { return m_rows.size() < 2 ? 0 : int(m_rows.size()) - 2; }
    int totalsRow() const { return dataRows() + 1; }
    int maxRows() const { return totalsRow(); } // the last row of the grid (the totals row)
    bool isDataRow(int row) const { return row >= 1 && row <= dataRows(); }

    void setDecimals(int row, int decimals);
    int decimals(int row) const;

    QString text(int row, int col) const;
    // Text cells keep the text; number cells keep the leading number of it, or
    // become blank when the text is blank.
    void setText(int row, int col, const QString &text);
    double number(int row, int col) const; // blank or text without a number: 0
    void setNumber(int row, int col, double value);
    bool isBlank(int row, int col) const;
    void setBlank(int row, int col);

    void setHighlight(int row, Highlight highlight);
    Highlight highlight(int row) const;

    void markChanged(int row);
    bool isChanged(int row) const;
    void clearChanged(int row); // the row's figures reached the database
    void clearChangedMarks();

    // Sums the total columns over all data rows into the totals row.
    void recomputeTotals();
    // Writes the running sums into the totals row without visiting the rows: every
    // write to a total column of a data row keeps them up to date, so one edit of a
    // large sheet costs the same as one of a small sheet.
    void refreshTotalsRow();
    // The running sum of a total column (unrounded), 0 for other columns.
    double runningSum(int col) const;

private:
    struct Row
    {
        std::array<double, 23> numbers{}; // quantity and number columns
        std::array<QString, 24> texts;    // text columns
        quint32 blank = 0xFFFFFFFF;       // one bit per number column
        qint8 decimals = 0;
        Highlight highlight = Highlight::None;
    };
    static int slotOf(int col); // index into numbers or texts
    const Row *row(int r) const;
    Row *row(int r);
    // Keeps the running sums when a cell of a data row goes from `before` to `after`.
    void trackTotal(int r, int col, double before, double after);

    std::vector<Row> m_rows; // index 0 unused (the heading row), then data rows, then totals
    // Row-changed marks apart from the rows: a save after each scan looks at every
    // mark, and a byte per row reads in a blink where a row's worth of cells would not.
    std::vector<char> m_changed;
    std::array<double, 9> m_sums{}; // running sums of totalColumns(), in that order
    int m_widestDecimals = 0;
};
