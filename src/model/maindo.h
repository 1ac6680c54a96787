#pragma once

#include "host/recordset.h"
#include "host/sheetmode.h"
#include "host/sqlfragment.h"
#include "ledgergrid.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <optional>
#include <vector>

class AppConnection;
class EntryGrid;
struct FilterSettings;

// The model object behind one count sheet: the entry class creates one to show the
// sheet in a mode (1 check, 3 print the count book, 4 enter counted quantities),
// and the sheet window uses one to load and lay out its rows. The mode is the one
// in the shared state.
class MainDo
{
public:
    // Arguments of the windows Show opens.
    static constexpr const char *ArgShowType = "ShowType"; // the mode
    static constexpr const char *ArgOption = "Option";     // the option of Show, for the filter dialog
    static constexpr const char *ArgModal = "Modal";       // false for mode 4: the window stays open

    // The twelve summed quantity columns, in the order of sums().
    static const std::array<const char *, 12> &sumFields();

    // Columns offered to the filter and sort dialogs: display name -> "FColName|FItemClassID|FColType".
    struct HeadStrings
    {
        QString filterString; // each display name led by a tab
        QString sortString;
        QMap<QString, QString> filterColumns;
        QMap<QString, QString> sortColumns;
        QStringList filterOrder, sortOrder; // display names in definition order
    };

    MainDo();
    ~MainDo();
    MainDo(const MainDo &) = delete;
    MainDo &operator=(const MainDo &) = delete;

    // The dispatch interface, in its order.
    // False (with empty lists) when the definitions cannot be read.
    bool GetHeadString(int mode, HeadStrings &lists) const;
    // Include rows of deleted items.
    void ShowDelete(bool show) { m_showDelete = show; }
    bool showDelete() const { return m_showDelete; }
    // The ledger grid whose columns ResizeColWidth lays out; may be null.
    void Ldg(LedgerGrid *grid) { m_ldg = grid; }
    // Shows the count sheet in `mode`: the filter dialog first when the parameter
    // asks for it, then the sheet, or a message when no stock has been backed up.
    // Returns at once for mode 4 (the sheet stays open), after the sheet closes
    // for the other modes.
    void Show(int mode, int option);
    // The heading line of the ledger grid: every caption of the layout, each followed by "|".
    QString TRowData() const;
    // Recomputes the twelve sums from the rows.
    void GetSumData();
    // Half away from zero on the decimal text of the value; NULL and text that is
    // not a number round to 0.
    static double NVRound(const QVariant &value, int decimals);
    static double NVRound(double value, int decimals);
    void InputFillRowOld() {} // kept for the interface's sake; nothing calls it
    // The stocks that have snapshot rows (FName, FItemID, FNumber), by number;
    // closed on a database error.
    Recordset GetBackupStockList() const;
    Recordset GetRSInStock() { return {}; } // kept for the interface's sake; nothing calls it
    // The column definitions of the current mode; closed on a database error.
    Recordset GetRSHeader() const;
    // Lays out the columns from the definitions and applies them to the ledger grid;
    // tells the person when the mode has no definitions.
    void ResizeColWidth();
    // Writes the ledger grid's widths back to the definitions, in order; stops at the
    // first column the grid does not have or the first failing statement.
    void SaveColWidth();
    // Asks the host for the documents of `kind` (1 gain, 2 loss) of the current
    // process: `result` -1 when `count` documents were made (their message shown),
    // -2 when nothing was made, -99 when the request failed (told to the person).
    void OutCheckBill(int kind, int &count, int &result);
    // The FInterIDs of the documents the last OutCheckBill made.
    const QList<int> &lastDocuments() const { return m_lastDocuments; }
    // The rows of a process; they also become the model's rows. `extraCondition`
    // restricts the snapshot rows (t1) and starts with " AND ". When the user's
    // row-level access rules cannot be read no row is read (accessFailed()): the
    // rows are not shown unrestricted.
    Recordset GetRsMain(int processId, const SqlFragment &extraCondition, bool includeItemsWithoutStock,
                        const FilterSettings &filterSettings);
    bool accessFailed() const { return m_accessFailed; }
    // Blind counting is on for the user and the mode (count book, entry): the rows
    // hold no book quantity or difference. The entry grid still gets the book
    // quantities, read apart from the rows, for the save checks that need them;
    // whoever shows the grid hides those columns.
    bool hidesBookFigures() const { return m_blind; }
    // The line of ledger grid row `gridRow` (3 is the first record); in the check
    // mode the grid's last row is the total line.
    QString DRowData(int gridRow) const;
    // Fills the entry grid from the rows, in their order, with the totals row.
    void InputFillRow(EntryGrid &grid) const;

    // --- for the window and the tests ---
    // The mode of the window that owns this model; without one, the mode the entry
    // operation last chose (the command line and the tests).
    SheetMode mode() const;
    void setMode(SheetMode mode) { m_mode = mode; }
    const QList<SheetColumn> &columnLayout() const { return m_layout; }
    void setColumnLayout(const QList<SheetColumn> &layout)
    {
        m_layout = layout;
        m_layoutFields.clear();
    }
    // Builds the layout without touching a grid; false when the mode has no definitions.
    bool loadColumnLayout();
    const Recordset &rows() const { return m_rows; }
    // Filter and sort may change through it; the fields stay those of the query.
    Recordset &rows() { return m_rows; }
    void setRows(const Recordset &rows);
    const std::array<double, 12> &sums() const { return m_sums; }
    // The last statement that GetRsMain ran (for error details).
    const SqlFragment &lastRowQuery() const { return m_lastRowQuery; }

    // Texts of a quantity with `decimals` places, grouped by thousands ("#,##0.00").
    static QString formatQuantity(double value, int decimals);

private:
    void resolveLayoutFields() const;
    void fillFirstCounts(AppConnection &conn, int processId);
    QString dataLine(int record) const;
    QString totalLine() const;

    bool m_showDelete = false;
    bool m_accessFailed = false;     // the last GetRsMain could not read the access rules
    bool m_blind = false;            // the last GetRsMain was blind
    std::optional<SheetMode> m_mode; // none: the shared state's
    LedgerGrid *m_ldg = nullptr;
    Recordset m_rows; // the rows loaded for the sheet
    QList<SheetColumn> m_layout;
    std::array<double, 12> m_sums{};
    SqlFragment m_lastRowQuery;
    QList<int> m_lastDocuments;
    // Columns of the rows behind the layout, found once per load.
    mutable std::vector<int> m_layoutFields;
    mutable int m_decimalsField = -1;
};
