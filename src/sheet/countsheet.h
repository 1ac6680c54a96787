#pragma once

#include "entrygrid.h"
#include "sheetcommands.h"
#include "sheetsettings.h"

#include "model/ledgergrid.h"
#include "model/maindo.h"
#include "snapshot/icbackupinv.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVariant>

#include <array>

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
    explicit CountSheet(int mode, QObject *parent = nullptr);
    ~CountSheet() override;

    // Opening: settings, column layout, processes, and the rows of the process
    // shown last (or the newest).
    void open();
    int mode() const { return m_mode; }
    QString caption() const;
    QString title() const;

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
    bool isLoading() const { return m_loading; }
    int recordCount() const { return m_model.rows().RecordCount(); }
    DataView dataView() const { return m_view; }
    // The restriction of the data view in force, on the snapshot rows: counted rows,
    // or in the count book rows with book stock.
    SqlFragment viewCondition() const { return viewCondition(m_mode, m_view); }
    static SqlFragment viewCondition(int mode, DataView view);
    MainDo &model() { return m_model; }
    const MainDo &model() const { return m_model; }
    EntryGrid &entryGrid() { return m_entry; }
    const EntryGrid &entryGrid() const { return m_entry; }
    LedgerGrid &ledgerGrid() { return m_ledger; }
    const LedgerGrid &ledgerGrid() const { return m_ledger; }
    bool isEntryColumnHidden(int col) const;
    int entryColumnWidth(int col) const; // twips
    void setEntryColumnWidth(int col, int twips);
    QString checkDateText() const { return m_checkDate; }
    QString statusText(int panel) const;
    bool dataChanged() const { return m_dataChanged; }
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

    // --- editing ---
    // The one way a cell of the entry grid changes from outside: quotes are dropped,
    // locked cells refuse, and an accepted change marks the row and the data.
    bool editCell(int row, int col, const QString &text);
    // Saves changed rows; with `ask` the person is asked first. True when nothing
    // is left unsaved.
    bool SaveStockData(bool ask);

    // --- closing ---
    // The closing sequence: save (mode 4) or keep the ledger widths, store the
    // widths and view settings, and let go of the process.
    void unload();
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
    void closeRequested();

private:
    void readParameters();
    void applyLayout();
    void selectProcess(int index, bool initial);
    void ensureBackupType(int processId);
    void clearRows();
    void setView(DataView view);
    void setStatus(int panel, const QString &text);
    void showMessage(const QString &text, const QString &details = {});
    void updateCheckDate(int processId);

    int m_mode;
    MainDo m_model;
    ICBackupInv m_engine;
    EntryGrid m_entry;
    LedgerGrid m_ledger;
    SheetSettings m_settings;
    QList<Process> m_processes;
    int m_currentIndex = -1;
    QHash<QString, QVariant> m_attributes;
    DataView m_view = DataView::All;
    bool m_loading = false;
    bool m_dataChanged = false;
    bool m_alertSame = false;
    bool m_complexQty = false;
    int m_warnedProcess = 0;
    QSet<QString> m_disabled; // commands switched off by the state of the sheet
    std::array<int, EntryCol::Count + 1> m_entryWidths{};
    std::array<QString, 4> m_status;
    QString m_checkDate;
};
