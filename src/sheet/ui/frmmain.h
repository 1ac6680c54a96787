#pragma once

#include "host/sheetmode.h"
#include "sheet/entrysession.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QVariantMap>

#include <array>
#include <memory>

class CountSheet;
class EntryGridModel;
class FrmFind;
class FrozenTable;
class LedgerModel;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTimer;
class QToolBar;
struct SheetCommand;

// The count sheet window (frmMain): menus and tools, the process selector, the
// ledger grid of the check and print modes or the entry grid of the input mode,
// and the status bar, all drawn from a CountSheet that holds the logic.
class QPrinter;

class FrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit FrmMain(SheetMode mode, QWidget *parent = nullptr);
    ~FrmMain() override;

    CountSheet &sheet() { return *m_sheet; }
    // The action of a menu ("mnuFSave") or tool ("Save") name, or null.
    QAction *action(const QString &name) const;

    // Opener of the window registry: "ShowType" is the mode; "Modal" (by default
    // true except for mode 4) makes the call return only when the window closes.
    // `complexQty` writes the composite text of a counted quantity (the host's
    // procedure, which the host's registration hands in).
    static QVariantMap open(const QVariantMap &args, ComplexQtyFunction complexQty = {});

    // Screens smaller than this get the window maximised; a restored window
    // smaller than MinimumSize is not taken.
    static constexpr QSize SmallScreen{1280, 800};
    static constexpr QSize MinimumSize{480, 320};
    // The window's first frame on a screen with `available` room: most of it,
    // centred, or all of it (`maximised`) when the screen is small.
    static QRect defaultGeometry(const QRect &available, bool *maximised);
    // The grid of the mode: the entry grid (4) or the ledger grid.
    FrozenTable *grid() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildActions();
    QAction *makeAction(const SheetCommand &c, bool tool);
    void buildMenus();
    void buildToolBar();
    void buildCentral();
    void buildStatusBar();
    void connectSheet();
    void runPrint(int action); // CountSheet::PrintAction
    void connectFind();
    void showFoundRow(int gridRow);

    void commitEdit();
    void refreshState();
    void refreshProcesses();
    void refreshStatus();
    void applyColumns();
    int identifyingColumns() const;
    void placeOnScreen();
    void storeWidth(int column, int width);
    void storeWidths();
    int toPixels(int twips) const;
    int toTwips(int pixels) const;

    CountSheet *m_sheet;
    QHash<QString, QAction *> m_actions; // by menu and tool name, lower case
    QHash<QString, QMenu *> m_menus;
    QToolBar *m_barRpt = nullptr;
    QComboBox *m_lstStock = nullptr;
    QLabel *m_titBar = nullptr;
    QLabel *m_labCheckDate = nullptr;
    QLabel *m_lblBarCode = nullptr;
    QLineEdit *m_txtBarCode = nullptr;
    QLabel *m_lblScanQty = nullptr;
    QLineEdit *m_txtScanQty = nullptr; // scan-to-add: the quantity each scan adds
    FrozenTable *m_ldgCheck = nullptr;
    FrozenTable *m_vsCheck = nullptr;
    LedgerModel *m_ledgerRows = nullptr;
    LedgerModel *m_ledgerTotal = nullptr;
    EntryGridModel *m_entryRows = nullptr;
    EntryGridModel *m_entryTotals = nullptr;
    std::array<QLabel *, 3> m_panels{};
    QTimer *m_timer1 = nullptr;
    bool m_unloaded = false;
    bool m_applying = false;             // widths set by the program are not the person's
    std::unique_ptr<QPrinter> m_printer; // made at the first print command; keeps its setup
    QPointer<FrmFind> m_finder;          // the find window, made when first asked for
};
