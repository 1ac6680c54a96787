#pragma once

#include "barcodesearch.h"
#include "countsaver.h"
#include "entryrules.h"
#include "entrysession.h"
#include "ledgerprint.h"
#include "searchtarget.h"
#include "sheetcommands.h"
#include "sheetsettings.h"

#include "model/entrygrid.h"
#include "model/ledgergrid.h"
#include "model/maindo.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVariant>

#include <array>
#include <utility>

// The logic of the count sheet window (frmMain) in its three modes: 1 check the
// count, 3 print the count book, 4 enter counted quantities. It holds the mode, the
// process shown, the data view, the view settings and the grids' contents, and
// offers the menu commands by their names. The widgets render it and forward
// events; every question to the person goes through the shared HostUi.
class CountSheet : public QObject
{
    Q_OBJECT
public:
    enum class DataView { All, Checked };
    enum StatusPanel { MessagePanel = 1, InfoPanel = 2, TimePanel = 3 };
    struct Process
    {
        int id = 0;
        QString name;
    };

    static constexpr int SlowRowCount = 10000; // more rows than this get a warning
    static constexpr int TestCloseMs = 1000;   // test mode: the window closes itself
    static constexpr const char *HelpTopic = "ICStockCheckMain";

    // `mode` is the window's ShowType; it goes into the shared state.
    explicit CountSheet(SheetMode mode, QObject *parent = nullptr);
    ~CountSheet() override;

    // Opening: settings, column layout, processes, and the rows of the process
    // shown last (or the newest).
    void open();
    SheetMode mode() const { return m_mode; }
    QString caption() const;
    QString title() const;
    static QString title(SheetMode mode); // the command line prints it too

    // --- commands ---
    bool isShown(const SheetCommand &c) const { return c.shownIn(m_mode); }
    bool isToolShown(const SheetCommand &c) const { return c.toolShownIn(m_mode); }
    bool isEnabled(const SheetCommand &c) const;
    bool isChecked(const SheetCommand &c) const;
    // Runs the command of a menu or tool name (without regard to case); false when
    // the name has no command or the command is not enabled.
    bool run(const QString &name);

    // --- processes (lstStock) ---
    void ListStock();
    const QList<Process> &processes() const { return m_processes; }
    int currentIndex() const { return m_currentIndex; }
    int currentProcess() const;
    // Chooses the process at `index` (lstStock's click).
    void chooseProcess(int index);
    // "<id>|CuteDate", "<id>|BackupType", "<id>|MaxInterID", "<id>|MaxMTOChangeID".
    QVariant processAttribute(int processId, const char *suffix) const;
    QHash<QString, QVariant> &processAttributes() { return m_attributes; }

    // --- rows ---
    void loadRows();
    bool isLoading() const { return m_session.loading; }
    int recordCount() const { return m_model.rows().RecordCount(); }
    DataView dataView() const { return m_view; }
    // The restriction of the data view in force, on the snapshot rows: counted rows,
    // or in the count book rows with book stock.
    SqlFragment viewCondition() const { return viewCondition(m_mode, m_view); }
    static SqlFragment viewCondition(SheetMode mode, DataView view);
    MainDo &model() { return m_model; }
    const MainDo &model() const { return m_model; }
    EntryGrid &entryGrid() { return m_entry; }
    const EntryGrid &entryGrid() const { return m_entry; }
    LedgerGrid &ledgerGrid() { return m_ledger; }
    const LedgerGrid &ledgerGrid() const { return m_ledger; }
    bool isEntryColumnHidden(int col) const;
    // The same rule without a window: the command line prints the columns the grid shows.
    static bool isEntryColumnHidden(int col, bool complexQty, bool blind = false);
    // Blind counting applies to the person at this sheet (see MainDo::hidesBookFigures).
    bool hidesBookFigures() const { return m_model.hidesBookFigures(); }
    int entryColumnWidth(int col) const; // twips
    void setEntryColumnWidth(int col, int twips);
    QString checkDateText() const { return m_checkDate; }
    // "手持终端盘点中：N 人" while people count the process from handhelds, else empty;
    // read again with the rows.
    QString handheldText() const { return m_handheldText; }
    // The snapshot date label of a process (its date, else that of its first row).
    static QString checkDateText(const QVariant &processDate, const Recordset &rows);
    QString statusText(int panel) const;
    // A message panel text that asks to be noticed (a scan that found nothing); the
    // next message in the panel is an ordinary one again.
    bool statusAlert() const { return m_statusAlert; }
    bool dataChanged() const { return m_session.dataChanged; }
    const SheetSettings &settings() const { return m_settings; }

    // --- menu commands ---
    void mnuFExit();
    void mnuVSelectData_All();
    void mnuVSelectData_Checked();
    void mnuView_Refresh();
    void mnuViewShowDeleted();
    void mnuShowCloseProc();
    void mnuToolBar();
    void mnuStatusBar();
    void mnuViewLable();
    void mnuAlertSame();
    void mnuFormatResetColWidth();
    void mnuHContents();
    // Mode 1: the gain and loss documents of the process shown.
    void mnuFOutBill();
    void mnuFOutLossBill();
    // Mode 4: save without asking; delete a row added by hand; the documents after
    // the snapshot for the active row; add items.
    void mnuFSave();
    void mnuSubItem();
    void mnuVSelectBill();
    // "盘点记录": the count journal of the current row (mode 4: the cursor's row,
    // mode 1: the ledger's current row) in a list: who, when, what, from where.
    void mnuVHistory();
    // The ledger's current row (0-based, as its model numbers them), for mode 1.
    void setLedgerRow(int row) { m_ledgerRow = row; }
    void mnuAddItem();
    // Scan-to-add: while on, each scan adds the quantity per scan to its row and
    // stores it at once; undo takes back this user's last add in the process.
    void mnuScanAdd();
    void mnuUndoScan();
    bool scanAddOn() const { return m_scanAdd; }
    // The quantity box beside the barcode box, in the row's unit ("1" to start).
    QString scanQtyText() const { return m_scanQty; }
    void setScanQtyText(const QString &text) { m_scanQty = text; }
    enum class ScanOutcome { None, Added, Unknown, Cancelled, Refused };
    // Enter in the barcode box while scan-to-add is on.
    ScanOutcome scanAdd(const QString &text);

    // The filter dialog on its filter or sort tab; the rows are read again unless
    // it was cancelled.
    void mnuEdit_Filter();
    void mnuEdit_Sort();
    // The find window (frmFind) on its find tab, after saving with asking.
    void mnuEdit_Find();

    // --- find, sort and filter on the loaded rows (the find window's events) ---
    const QList<SearchTarget> &searchTargets() const { return m_searchTargets; }
    QList<SearchTarget> &searchTargets() { return m_searchTargets; }
    enum class FindResult { Found, NotFound, CloseFinder };
    // The next row after the one found last that matches every search text
    // (`match` 1: the text anywhere in a text column; 0: the whole value) and the
    // filter in force on the loaded rows; it becomes the current row of the grid.
    // After the last match the person is asked whether to start again.
    FindResult frmF_FindNow(int match, int caseOption);
    // Order or narrow the loaded rows without a query ("FName ASC,FQty DESC";
    // "FName Like '%螺丝%'", empty for none) and fill the grid again.
    bool frmF_SortNow(const QString &sort);
    bool frmF_FilterNow(const QString &filter);
    // The filter in force on the loaded rows; reading the rows again removes it.
    QString rowFilter() const { return m_rowFilter; }
    // A click on a column heading: entry grid columns 2 to 17, every ledger column.
    // Sorts the loaded rows by it, ascending, or descending when it is so already.
    bool headingClicked(int col);
    // The grid row (entry 1.., ledger 3..) of the loaded row `record` (0-based).
    int gridRowOf(int record) const;
    // The rows shown into a spreadsheet file (.xlsx or .csv) the person chooses;
    // an entry sheet without rows exports nothing.
    void mnuFileOut();
    // Counted quantities from a spreadsheet file (.xls, .xlsx or .csv) through the
    // count import ("CountImport"), then the rows again.
    void mnuFileIn();
    // The recount window (frmRecount) for the process shown, after saving with
    // asking; the rows are read again when recounts were saved there.
    void mnuRecount();
    // Print, preview and printer setup: the window owns the printer and its dialogs.
    enum class PrintAction { Print, Preview, Setup };
    void mnuFPrint() { emit printRequested(PrintAction::Print); }
    void mnuFPrintPreview() { emit printRequested(PrintAction::Preview); }
    void mnuFPrintSetup() { emit printRequested(PrintAction::Setup); }
    // The header and footer lines of the printout of the rows shown.
    LedgerPrintLines printLines() const;

    // --- editing (mode 4) ---
    // The one way a cell of the entry grid changes from outside: quotes are dropped,
    // locked cells refuse, and an accepted change runs the cell's rule, which marks
    // the row and the data and keeps the totals row.
    bool editCell(int row, int col, const QString &text);
    // Whether the last edit was refused by the entry rules (and the person told);
    // asking forgets it. After a refused count the cursor stays in its cell.
    bool takeEditRefused() { return std::exchange(m_editRefused, false); }
    // A recounted row has its actual quantity from the recount: typing a count into
    // it, or folding documents into it, would put the first count back.
    bool isRecounted(int row) const;
    // Saves changed rows; with `ask` the person is asked first. True when nothing
    // is left unsaved. A database error is told and the edits stay for the next save.
    bool SaveStockData(bool ask);
    CountSaver::SaveResult lastSaveResult() const { return m_lastSave; }

    EntrySession &session() { return m_session; }
    const EntrySession &session() const { return m_session; }
    // The composite text of a counted quantity (the host's sp_CalComplexQty); the
    // window's opener sets it, none leaves the composite cell as it is.
    void setComplexQtyFunction(ComplexQtyFunction f) { m_session.complexQty = std::move(f); }
    // The row and column the cursor of the entry grid is in (0 when none).
    int activeRow() const { return m_activeRow; }
    int activeCol() const { return m_activeCol; }
    // The cursor arrives in (row, col): the cell left behind gets its former text
    // back when it was left blank, the row's item becomes the current item and
    // "选择单据" follows the row.
    EntryRules::Arrival enterCell(int row, int col);
    // The grid gets the focus back with its cursor where it was, or loses it to
    // another control of the window (the cell is left; with `save` the changes are
    // saved without asking).
    void gridFocusIn();
    void gridFocusOut(bool save);
    // A key pressed in a cell of the grid (not in its editor).
    EntryRules::KeyAction gridKey(int row, int col, int key);
    // The barcode box: a key that starts a new scan empties it first; Enter searches.
    bool barcodeKeyClearsBox(int key) { return BarcodeSearch::keyClearsBox(key, m_session); }
    BarcodeSearch::Result searchBarcode(const QString &text);
    // The composite-quantity editor over the row's units ("ComplexQtyEditor"),
    // starting from the cell's text; `placement` carries "Parent" and "Position"
    // for the editor. True when its result was applied.
    bool openComplexEditor(int row, const QVariantMap &placement = {});
    bool applyComplexQty(int row, const QString &text, double baseQty);
    // F7 in the unit column: the units of the row's unit group.
    void openUnitPicker(int row);
    // The documents window worked out the document differences of the active row:
    // written into the row, recomputed from the base counted cell and stored at once.
    CountSaver::RowWrite FillDiffQty(bool calculated, double baseDiff, double secDiff);

    // --- closing ---
    // The closing sequence: save (mode 4) or keep the ledger widths, store the
    // widths and view settings, and let go of the process.
    bool unload();
    bool closesItself() const;

    // Quote characters never reach a cell, a search text or a statement.
    static QString withoutQuotes(const QString &text);

signals:
    void processesChanged();
    // Always in pairs: the grids' contents are about to change, and have changed.
    void rowsAboutToReset();
    void rowsReset();
    void layoutChanged();
    void stateChanged();
    void statusChanged();
    void cellChanged(int row, int col);
    // The backgrounds of the counted cells changed (a barcode search).
    void highlightsChanged();
    // The logic moved the cursor of the entry grid; with `edit` the cell opens for typing.
    void currentCellRequested(int row, int col, bool edit);
    // Saving puts the cursor into the barcode box, ready for the next scan.
    void barcodeFocusRequested();
    // The error list of a save has closed: the barcode box takes the focus whatever
    // had it, so digits typed next go to the next scan and not to a tool.
    void errorListClosed();
    // A scanned code matched no row: the window beeps and keeps the code selected,
    // so the next scan replaces it.
    void barcodeNotFound();
    // Scan-to-add stored a scan (the window sounds once), or refused one (twice).
    void scanAdded();
    void scanRefused();
    // The scan-to-add tool was switched: the quantity box shows or hides.
    void scanAddChanged(bool on);
    // The find window opens (or comes forward) on the tab of `actionMode`: 0 find,
    // 1 sort, 2 filter.
    void finderRequested(int actionMode);
    // Find made this grid row (entry 1.., ledger 3..) the current one.
    void foundRowRequested(int gridRow);
    // The find window goes: its answer to the restart question was no, or the
    // sheet closes.
    void finderCloseRequested();
    void closeRequested();
    void printRequested(CountSheet::PrintAction action);

private:
    void openFilterDialog(int tab);
    void loadSearchTargets();
    void refillRows();
    int findFrom(const QString &condition, int start) const;
    bool applyToLoadedRows(const QString &sort, const QString &filter);
    void readParameters();
    void applyLayout();
    void selectProcess(int index, bool initial);
    void ensureBackupType(int processId);
    void clearRows();
    void setView(DataView view);
    bool bookViewRefused() const;
    void setStatus(int panel, const QString &text, bool alert = false);
    void confirmSaved(const QList<int> &rows);
    void showMessage(const QString &text, const QString &details = {});
    void updateCheckDate(int processId);
    void outputDocuments(int kind);
    void setSelectBillEnabled(bool enabled);
    void leaveCurrentCell();
    bool saveBeforeReload();
    void restoreBlankCurrentCell();
    CountSaver makeSaver();

    bool m_editRefused = false;
    SheetMode m_mode;
    MainDo m_model;
    EntryGrid m_entry;
    LedgerGrid m_ledger;
    SheetSettings m_settings;
    QList<Process> m_processes;
    int m_currentIndex = -1;
    QHash<QString, QVariant> m_attributes;
    DataView m_view = DataView::All;
    EntrySession m_session; // loading and data-changed flags, cursor, barcode, current item
    int m_activeRow = 0;
    int m_ledgerRow = -1;
    int m_activeCol = 0;
    bool m_saving = false; // a save asks or lists; the focus moves meanwhile
    bool m_unloaded = false;
    CountSaver::SaveResult m_lastSave = CountSaver::SaveResult::NotChanged;
    bool m_alertSame = false;
    bool m_scanAdd = false;
    QString m_scanQty = QStringLiteral("1");
    bool m_complexQty = false;
    int m_warnedProcess = 0;
    QSet<QString> m_disabled; // commands switched off by the state of the sheet
    std::array<int, EntryCol::Count + 1> m_entryWidths{};
    std::array<QString, 4> m_status;
    bool m_statusAlert = false;
    QString m_handheldText;
    QString m_checkDate;
    QList<SearchTarget> m_searchTargets;
    QString m_rowFilter;
    QString m_lastFind;       // the condition of the last find
    int m_lastFound = -1;     // its row in the loaded rows
    bool m_rowsSaved = false; // counts were saved since the rows were loaded
};
