#include "frmmain.h"

#include "entryinput.h"
#include "frmfind.h"
#include "frozentable.h"
#include "ledgerprintdialogs.h"
#include "quotefilter.h"

#include "host/texts.h"
#include "sheet/countsheet.h"
#include "sheet/entrygridmodel.h"
#include "sheet/ledgermodel.h"
#include "sheet/sheetcommands.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrinter>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int TwipsPerInch = 1440;

QStyle::StandardPixmap toolIcon(const QString &tool)
{
    static const QHash<QString, QStyle::StandardPixmap> icons = {
        {QStringLiteral("Save"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("OutProBill"), QStyle::SP_ArrowUp},
        {QStringLiteral("OutLossBill"), QStyle::SP_ArrowDown},
        {QStringLiteral("Print"), QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("PrintPreview"), QStyle::SP_FileDialogContentsView},
        {QStringLiteral("Export"), QStyle::SP_ArrowRight},
        {QStringLiteral("Import"), QStyle::SP_ArrowLeft},
        {QStringLiteral("Find"), QStyle::SP_FileDialogInfoView},
        {QStringLiteral("Sort"), QStyle::SP_TitleBarShadeButton},
        {QStringLiteral("Filter"), QStyle::SP_FileDialogListView},
        {QStringLiteral("AddItem"), QStyle::SP_FileDialogNewFolder},
        {QStringLiteral("SubItem"), QStyle::SP_TrashIcon},
        {QStringLiteral("ScanAdd"), QStyle::SP_MediaSeekForward},
        {QStringLiteral("UndoScan"), QStyle::SP_MediaSkipBackward},
        {QStringLiteral("Delete"), QStyle::SP_DialogDiscardButton},
        {QStringLiteral("SelectBill"), QStyle::SP_FileDialogContentsView},
        {QStringLiteral("Recount"), QStyle::SP_BrowserReload},
        {QStringLiteral("Show"), QStyle::SP_DesktopIcon},
        {QStringLiteral("AllData"), QStyle::SP_DirIcon},
        {QStringLiteral("CheckedData"), QStyle::SP_DialogApplyButton},
        {QStringLiteral("Exit"), QStyle::SP_DialogCloseButton}};
    return icons.value(tool, QStyle::SP_FileIcon);
}

QString key(const char *name)
{
    return QString::fromLatin1(name).toLower();
}

} // namespace

FrmMain::FrmMain(SheetMode mode, QWidget *parent)
    : QMainWindow(parent)
    , m_sheet(new CountSheet(mode, this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(m_sheet->caption());
    buildActions();
    buildMenus();
    buildToolBar();
    buildCentral();
    buildStatusBar();
    connectSheet();
    connectFind();
    new QuoteFilter(this);
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, m_sheet, &CountSheet::mnuHContents);
    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setSingleShot(true);
    m_timer1->setInterval(CountSheet::TestCloseMs);
    connect(m_timer1, &QTimer::timeout, this, &QWidget::close);

    m_sheet->open();
    refreshProcesses();
    refreshState();
    refreshStatus();
    applyColumns();
    placeOnScreen();
}

FrmMain::~FrmMain() = default;

QAction *FrmMain::action(const QString &name) const
{
    return m_actions.value(name.toLower());
}

QAction *FrmMain::makeAction(const SheetCommand &c, bool tool)
{
    const SheetMode mode = m_sheet->mode();
    auto *a = new QAction(this);
    if (tool) {
        a->setObjectName(QLatin1String(c.tool));
        a->setText(c.toolCaptionIn(mode));
        a->setIcon(style()->standardIcon(toolIcon(QLatin1String(c.tool))));
        a->setVisible(m_sheet->isToolShown(c));
        if (*c.tip)
            a->setToolTip(LoadText(c.tip));
    } else {
        a->setObjectName(QLatin1String(c.menu));
        a->setText(c.captionIn(mode));
        a->setVisible(m_sheet->isShown(c));
    }
    a->setCheckable(c.kind == SheetCommand::Toggle);
    const QString command = QLatin1String(c.menu);
    connect(a, &QAction::triggered, this, [this, command] {
        commitEdit(); // a tool takes no focus from the grid: what is typed counts
        m_sheet->run(command);
        refreshState(); // a toggle that did not run keeps its mark
    });
    m_actions.insert(a->objectName().toLower(), a);
    return a;
}

void FrmMain::buildActions()
{
    for (const SheetCommand &c : sheetcommands::all()) {
        if (c.kind == SheetCommand::Title)
            continue;
        if (c.kind == SheetCommand::Separator) {
            auto *s = new QAction(this);
            s->setSeparator(true);
            s->setObjectName(QLatin1String(c.menu));
            s->setVisible(m_sheet->isShown(c));
            m_actions.insert(key(c.menu), s);
            continue;
        }
        makeAction(c, false);
        if (*c.tool)
            makeAction(c, true);
    }
}

void FrmMain::buildMenus()
{
    const SheetMode mode = m_sheet->mode();
    for (const SheetCommand &c : sheetcommands::all()) {
        if (c.kind == SheetCommand::Title) {
            QMenu *menu = menuBar()->addMenu(c.captionIn(mode));
            menu->setObjectName(QLatin1String(c.menu));
            menu->setToolTipsVisible(true);
            m_menus.insert(key(c.menu), menu);
            continue;
        }
        QMenu *parent = m_menus.value(key(c.parent));
        if (!parent)
            continue;
        QAction *a = m_actions.value(key(c.menu));
        if (c.kind == SheetCommand::SubMenu) {
            auto *sub = new QMenu(c.captionIn(mode), parent);
            sub->setObjectName(QLatin1String(c.menu) + QStringLiteral("_Menu"));
            a->setMenu(sub);
            m_menus.insert(key(c.menu), sub);
        }
        parent->addAction(a);
    }
}

void FrmMain::buildToolBar()
{
    m_barRpt = addToolBar(LoadText("工具条"));
    m_barRpt->setObjectName(QStringLiteral("barRpt"));
    m_barRpt->setMovable(false);
    auto *pop = new QMenu(this);
    pop->setObjectName(QStringLiteral("SubpopBar"));
    for (const SheetCommand &c : sheetcommands::all()) {
        if (!*c.tool)
            continue;
        QAction *tool = m_actions.value(key(c.tool));
        if (qstrcmp(c.parent, "mnuVSelectData") == 0) {
            pop->addAction(tool); // "AllData" and "CheckedData" open from the tool "Show"
            continue;
        }
        m_barRpt->addAction(tool);
        if (c.kind == SheetCommand::SubMenu) {
            tool->setMenu(pop);
            if (auto *button = qobject_cast<QToolButton *>(m_barRpt->widgetForAction(tool)))
                button->setPopupMode(QToolButton::InstantPopup);
        }
    }
}

void FrmMain::buildCentral()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("PIC1"));
    auto *layout = new QVBoxLayout(central);
    m_titBar = new QLabel(m_sheet->title(), central);
    m_titBar->setObjectName(QStringLiteral("titBar"));
    m_titBar->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_titBar->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    m_titBar->setFont(titleFont);
    layout->addWidget(m_titBar);

    auto *line = new QHBoxLayout;
    auto *label1 = new QLabel(LoadText("盘点方案:"), central);
    label1->setObjectName(QStringLiteral("Label1"));
    m_lstStock = new QComboBox(central);
    m_lstStock->setObjectName(QStringLiteral("lstStock"));
    m_lstStock->setMinimumWidth(220);
    connect(m_lstStock, &QComboBox::activated, this, [this](int index) {
        commitEdit();
        m_sheet->chooseProcess(index);
    });
    m_labCheckDate = new QLabel(central);
    m_labCheckDate->setObjectName(QStringLiteral("labCheckDate"));
    m_labCheckDate->setAlignment(Qt::AlignCenter);
    m_lblBarCode = new QLabel(LoadText("条形码:"), central);
    m_lblBarCode->setObjectName(QStringLiteral("lblBarCode"));
    m_txtBarCode = new QLineEdit(central);
    m_txtBarCode->setObjectName(QStringLiteral("txtBarCode"));
    m_txtBarCode->setMinimumWidth(180);
    // pasted text too: no quote may reach a search
    connect(m_txtBarCode, &QLineEdit::textChanged, this, [this](const QString &text) {
        const QString clean = CountSheet::withoutQuotes(text);
        if (clean != text)
            m_txtBarCode->setText(clean);
    });
    m_lblScanQty = new QLabel(LoadText("每次数量:"), central);
    m_lblScanQty->setObjectName(QStringLiteral("lblScanQty"));
    m_txtScanQty = new QLineEdit(m_sheet->scanQtyText(), central);
    m_txtScanQty->setObjectName(QStringLiteral("txtScanQty"));
    m_txtScanQty->setMaximumWidth(70);
    m_txtScanQty->setAlignment(Qt::AlignRight);
    m_txtScanQty->setToolTip(LoadText("扫描累加时每次扫描累加的数量（行的单位）"));
    connect(m_txtScanQty, &QLineEdit::textChanged, m_sheet, &CountSheet::setScanQtyText);
    // Enter in the box sends the counter back to the scanner
    connect(m_txtScanQty, &QLineEdit::returnPressed, this, [this] { m_txtBarCode->setFocus(Qt::OtherFocusReason); });
    const bool input = m_sheet->mode() == SheetMode::Entry;
    m_lblBarCode->setVisible(input);
    m_txtBarCode->setVisible(input);
    for (QWidget *w : std::initializer_list<QWidget *>{m_lblScanQty, m_txtScanQty})
        w->setVisible(input && m_sheet->scanAddOn());
    connect(m_sheet, &CountSheet::scanAddChanged, this, [this](bool on) {
        m_lblScanQty->setVisible(on);
        m_txtScanQty->setVisible(on);
        m_txtBarCode->setFocus(Qt::OtherFocusReason);
    });
    line->addWidget(label1);
    line->addWidget(m_lstStock);
    line->addStretch(1);
    line->addWidget(m_labCheckDate);
    line->addStretch(1);
    line->addWidget(m_lblBarCode);
    line->addWidget(m_txtBarCode);
    line->addWidget(m_lblScanQty);
    line->addWidget(m_txtScanQty);
    layout->addLayout(line);

    m_ldgCheck = new FrozenTable(central);
    m_ldgCheck->setObjectName(QStringLiteral("ldgCheck"));
    m_vsCheck = new FrozenTable(central);
    m_vsCheck->setObjectName(QStringLiteral("vsCheck"));
    if (input) {
        m_entryRows = new EntryGridModel(m_sheet, EntryGridModel::Part::Rows, this);
        m_entryTotals = new EntryGridModel(m_sheet, EntryGridModel::Part::Totals, this);
        m_vsCheck->setModels(m_entryRows, m_entryTotals);
    } else {
        m_ledgerRows = new LedgerModel(m_sheet, LedgerModel::Part::Rows, this);
        m_ledgerTotal = new LedgerModel(m_sheet, LedgerModel::Part::Total, this);
        m_ldgCheck->setModels(m_ledgerRows, m_sheet->mode() == SheetMode::Check ? m_ledgerTotal : nullptr);
        // "盘点记录" in mode 1 is about the ledger's current row
        connect(m_ldgCheck->view()->selectionModel(), &QItemSelectionModel::currentRowChanged, m_sheet,
                [this](const QModelIndex &current) { m_sheet->setLedgerRow(current.isValid() ? current.row() : -1); });
    }
    m_ldgCheck->setVisible(!input);
    m_vsCheck->setVisible(input);
    for (FrozenTable *grid : {m_ldgCheck, m_vsCheck}) {
        connect(grid, &FrozenTable::columnResized, this, &FrmMain::storeWidth);
        layout->addWidget(grid, 1);
    }
    setCentralWidget(central);
    if (input) {
        new EntryInput(m_sheet, m_vsCheck, m_txtBarCode, this);
        m_txtBarCode->setFocus(); // the window opens ready for the first scan
        connect(m_sheet, &CountSheet::errorListClosed, m_txtBarCode,
                [this] { m_txtBarCode->setFocus(Qt::OtherFocusReason); });
    }
}

void FrmMain::commitEdit()
{
    if (m_sheet->mode() == SheetMode::Entry)
        m_vsCheck->commitEditor();
}

void FrmMain::buildStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("staBar"));
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("staBarPanel%1").arg(i + 1));
        statusBar()->addWidget(panel, i == 0 ? 1 : 0);
        m_panels[size_t(i)] = panel;
    }
}

void FrmMain::connectSheet()
{
    connect(m_sheet, &CountSheet::processesChanged, this, &FrmMain::refreshProcesses);
    // a model reset sets the columns back to defaults: those are no one's choice
    connect(m_sheet, &CountSheet::rowsAboutToReset, this, [this] { m_applying = true; });
    connect(m_sheet, &CountSheet::rowsReset, this, [this] {
        applyColumns();
        refreshStatus();
    });
    connect(m_sheet, &CountSheet::layoutChanged, this, &FrmMain::applyColumns);
    connect(m_sheet, &CountSheet::stateChanged, this, &FrmMain::refreshState);
    connect(m_sheet, &CountSheet::statusChanged, this, &FrmMain::refreshStatus);
    connect(m_sheet, &CountSheet::closeRequested, this, &QWidget::close);
    connect(m_sheet, &CountSheet::printRequested, this,
            [this](CountSheet::PrintAction action) { runPrint(int(action)); });
}

// The find window and the heading clicks that sort the loaded rows.
void FrmMain::connectFind()
{
    connect(m_sheet, &CountSheet::finderRequested, this, [this](int actionMode) {
        if (!m_finder)
            m_finder = new FrmFind(*m_sheet, actionMode, this);
        m_finder->showTab(actionMode);
    });
    connect(m_sheet, &CountSheet::foundRowRequested, this, &FrmMain::showFoundRow);
    for (FrozenTable *table : {m_ldgCheck, m_vsCheck}) {
        for (QTableView *view : {table->view(), table->frozenView()}) {
            view->horizontalHeader()->setSectionsClickable(true);
            connect(view->horizontalHeader(), &QHeaderView::sectionClicked, this, [this, table](int section) {
                if (table != grid())
                    return;
                commitEdit();
                m_sheet->headingClicked(section + 1);
            });
        }
    }
}

void FrmMain::showFoundRow(int gridRow)
{
    QTableView *view = grid()->view();
    const int row = gridRow - (m_sheet->mode() == SheetMode::Entry ? 1 : 3);
    int col = view->currentIndex().isValid() ? view->currentIndex().column() : 0;
    while (col < view->model()->columnCount() - 1 && view->isColumnHidden(col))
        ++col;
    const QModelIndex index = view->model()->index(row, col);
    if (!index.isValid())
        return;
    view->setCurrentIndex(index);
    view->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void FrmMain::runPrint(int action)
{
    commitEdit();
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    switch (CountSheet::PrintAction(action)) {
    case CountSheet::PrintAction::Print:
        ledgerprintui::print(this, *m_sheet, *m_printer);
        break;
    case CountSheet::PrintAction::Preview:
        ledgerprintui::preview(this, *m_sheet, *m_printer);
        break;
    case CountSheet::PrintAction::Setup:
        ledgerprintui::setup(this, *m_printer);
        break;
    }
}

void FrmMain::refreshState()
{
    for (const SheetCommand &c : sheetcommands::all()) {
        if (c.kind == SheetCommand::Title || c.kind == SheetCommand::Separator)
            continue;
        for (QAction *a : {m_actions.value(key(c.menu)), *c.tool ? m_actions.value(key(c.tool)) : nullptr}) {
            if (!a)
                continue;
            a->setEnabled(m_sheet->isEnabled(c));
            if (!c.available)
                a->setToolTip(sheetcommands::notYetTip());
            if (a->isCheckable())
                a->setChecked(m_sheet->isChecked(c));
        }
    }
    const SheetSettings &s = m_sheet->settings();
    m_barRpt->setVisible(s.showToolBar);
    m_barRpt->setToolButtonStyle(s.showToolLabels ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    statusBar()->setVisible(s.showStatusBar);
}

void FrmMain::refreshProcesses()
{
    const QSignalBlocker block(m_lstStock);
    m_lstStock->clear();
    for (const CountSheet::Process &p : m_sheet->processes())
        m_lstStock->addItem(p.name, p.id);
    m_lstStock->setCurrentIndex(m_sheet->currentIndex());
}

void FrmMain::refreshStatus()
{
    for (int i = 0; i < 3; ++i)
        m_panels[size_t(i)]->setText(m_sheet->statusText(i + 1));
    // a scan that found nothing must be seen from a step away
    const QString look = m_sheet->statusAlert() ? QStringLiteral("color: white; background-color: #c62828;"
                                                                 " font-weight: bold; padding: 1px 6px;")
                                                : QString();
    if (m_panels[0]->styleSheet() != look)
        m_panels[0]->setStyleSheet(look);
    // "正在保存数据,请稍候..." shows while the save runs, before events are handled again
    if (m_panels[0]->isVisible())
        m_panels[0]->repaint();
    const QString handheld = m_sheet->handheldText();
    m_labCheckDate->setText(handheld.isEmpty() ? m_sheet->checkDateText()
                                               : m_sheet->checkDateText() + QStringLiteral("    ") + handheld);
}

int FrmMain::toPixels(int twips) const
{
    return std::max(8, twips * logicalDpiX() / TwipsPerInch);
}

int FrmMain::toTwips(int pixels) const
{
    return pixels * TwipsPerInch / std::max(1, logicalDpiX());
}

FrozenTable *FrmMain::grid() const
{
    return m_sheet->mode() == SheetMode::Entry ? m_vsCheck : m_ldgCheck;
}

void FrmMain::applyColumns()
{
    m_applying = true;
    if (m_sheet->mode() == SheetMode::Entry) {
        for (int col = 1; col <= EntryCol::Count; ++col) {
            m_vsCheck->setColumnWidth(col - 1, toPixels(m_sheet->entryColumnWidth(col)));
            m_vsCheck->setColumnHidden(col - 1, m_sheet->isEntryColumnHidden(col));
        }
    } else {
        const LedgerGrid &ledger = m_sheet->ledgerGrid();
        for (int col = 1; col <= ledger.columnCount(); ++col) {
            m_ldgCheck->setColumnWidth(col - 1, toPixels(ledger.column(col).width));
            m_ldgCheck->setColumnHidden(col - 1, ledger.column(col).hidden);
        }
    }
    grid()->setFrozenColumns(identifyingColumns());
    grid()->fitTotals(); // a width from the definitions or the settings may be too narrow for a sum
    m_applying = false;
}

// The columns up to the item's name stay in sight while the quantities scroll:
// stock, place, item number and name tell the rows apart.
int FrmMain::identifyingColumns() const
{
    if (m_sheet->mode() == SheetMode::Entry)
        return EntryCol::ItemName;
    const QList<SheetColumn> &layout = m_sheet->model().columnLayout();
    for (qsizetype i = 0; i < layout.size(); ++i)
        if (layout.at(i).field.compare(QLatin1String("FName"), Qt::CaseInsensitive) == 0)
            return int(i + 1);
    return 0;
}

QRect FrmMain::defaultGeometry(const QRect &available, bool *maximised)
{
    *maximised = available.width() < SmallScreen.width() || available.height() < SmallScreen.height();
    if (*maximised)
        return available;
    const QSize size(available.width() * 92 / 100, available.height() * 90 / 100);
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available);
}

// Where the person left the window in this mode; the first time, or when that
// cannot be restored, most of the screen (all of a small one).
void FrmMain::placeOnScreen()
{
    if (restoreGeometry(SheetSettings::windowGeometry(m_sheet->mode())) && width() >= MinimumSize.width() &&
        height() >= MinimumSize.height())
        return;
    const QScreen *where = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect available = where ? where->availableGeometry() : QRect(0, 0, 1024, 768);
    bool maximised = false;
    const QRect frame = defaultGeometry(available, &maximised);
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    resize(frame.size());
    move(frame.topLeft());
    if (maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
}

// A width the person dragged goes back into the logic, which saves it on closing
// and applies it again after every reload.
void FrmMain::storeWidth(int column, int width)
{
    if (m_applying || width <= 0)
        return;
    const int col = column + 1;
    if (m_sheet->mode() == SheetMode::Entry)
        m_sheet->setEntryColumnWidth(col, toTwips(width));
    else if (m_sheet->ledgerGrid().hasColumn(col))
        m_sheet->ledgerGrid().column(col).width = toTwips(width);
}

// A width the window gave a column for its sum is nobody's choice: the column
// keeps the width it had from the definitions or the person.
void FrmMain::storeWidths()
{
    if (m_sheet->mode() == SheetMode::Entry) {
        for (int col = 1; col <= EntryCol::Count; ++col)
            if (!m_sheet->isEntryColumnHidden(col) && !m_vsCheck->isFittedToTotals(col - 1))
                m_sheet->setEntryColumnWidth(col, toTwips(m_vsCheck->columnWidth(col - 1)));
        return;
    }
    LedgerGrid &ledger = m_sheet->ledgerGrid();
    for (int col = 1; col <= ledger.columnCount(); ++col)
        if (!ledger.column(col).hidden && !m_ldgCheck->isFittedToTotals(col - 1))
            ledger.column(col).width = toTwips(m_ldgCheck->columnWidth(col - 1));
}

void FrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_sheet->closesItself() && !m_timer1->isActive())
        m_timer1->start();
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded) {
        m_unloaded = true;
        if (m_finder)
            m_finder->close(); // keeps its options; it goes with the window
        commitEdit();
        storeWidths();
        SheetSettings::setWindowGeometry(m_sheet->mode(), saveGeometry());
        if (!m_sheet->unload()) {
            m_unloaded = false;
            event->ignore(); // the save failed: the edits stay in the open window
            return;
        }
    }
    event->accept();
}

QVariantMap FrmMain::open(const QVariantMap &args, ComplexQtyFunction complexQty)
{
    const SheetMode mode = sheetModeOf(args.value(QLatin1String("ShowType"), 4).toInt()).value_or(SheetMode::Entry);
    const bool modal = args.value(QLatin1String("Modal"), mode != SheetMode::Entry).toBool();
    auto *window = new FrmMain(mode);
    window->sheet().setComplexQtyFunction(std::move(complexQty));
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (!modal) {
        window->show();
        return {};
    }
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->show();
    loop.exec();
    return {};
}
