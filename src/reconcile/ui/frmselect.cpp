#include "frmselect.h"

#include "selectgridmodel.h"

#include "host/sharedstate.h"
#include "host/texts.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int TwipsPerPixel = 15;

QString name(const char *n)
{
    return QString::fromLatin1(n);
}

} // namespace

FrmSelect::FrmSelect(AppConnection &connection, const QVariantMap &args, QWidget *parent)
    : QDialog(parent)
    , m_logic(connection)
{
    setObjectName(name("frmSelect"));
    setWindowTitle(LoadText("选择单据"));
    m_logic.setProcID(args.value(name("ProcID")).toInt());
    m_logic.setDicupInfo(args.value(name("DicupInfo")).toMap());
    m_logic.setContext(SelectContext::fromArgs(args));
    const QVariant writer = args.value(name("RowWriter"));
    if (writer.canConvert<std::function<bool(double, double, QString *)>>())
        m_logic.setRowWriter(writer.value<std::function<bool(double, double, QString *)>>());
    m_model = new SelectGridModel(m_logic, this);
    setupMenus();
    setupLayout();
    connect(&m_logic, &SelectLogic::stateChanged, this, &FrmSelect::applyState);
    connect(&m_logic, &SelectLogic::rowsChanged, this, &FrmSelect::applyState);
    connect(&m_logic, &SelectLogic::closeRequested, this, &QDialog::reject);
    // the count sheet has taken the totals (or not): the window's job is done
    connect(&m_logic, &SelectLogic::CalFactQty, this, [this] {
        m_raised = true;
        accept();
    });
    m_logic.open();
    restoreWidths();
    applyState();
    resize(1000, 480);
}

FrmSelect::~FrmSelect() = default;

void FrmSelect::setupMenus()
{
    auto *bar = new QMenuBar(this);
    QMenu *file = bar->addMenu(LoadText("文件(&F)"));
    file->setObjectName(name("mnuFile"));
    QAction *exit = file->addAction(LoadText("退出(&X)"), this, [this] { m_logic.mnuFExit(); });
    exit->setObjectName(name("mnuFExit"));
    QMenu *view = bar->addMenu(LoadText("查看(&V)"));
    view->setObjectName(name("mnuView"));
    m_calculate = view->addAction(LoadText("计算(&C)"), this, [this] { m_logic.mnuVCalulate(); });
    m_calculate->setObjectName(name("mnuVCalulate"));
    view->addSeparator();
    m_toolBarCheck = view->addAction(LoadText("工具条(&O)"), this, [this] { m_logic.mnuVToolBar(); });
    m_toolBarCheck->setObjectName(name("mnuVToolBar"));
    m_statusCheck = view->addAction(LoadText("状态条(&L)"), this, [this] { m_logic.mnuVStatus(); });
    m_statusCheck->setObjectName(name("mnuVStatus"));
    m_labelCheck = view->addAction(LoadText("工具条标签(&L)"), this, [this] { m_logic.mnuVLabel(); });
    m_labelCheck->setObjectName(name("mnuVLabel"));
    for (QAction *a : {m_toolBarCheck, m_statusCheck, m_labelCheck})
        a->setCheckable(true);
    QMenu *help = bar->addMenu(LoadText("帮助(&H)"));
    help->setObjectName(name("mnuHelp"));
    QAction *about = help->addAction(LoadText("关于诺凡(&A)"), this, [this] {
        QMessageBox::about(this, LoadText("选择单据"), LoadText("盘点期间单据的选择与计算"));
    });
    about->setObjectName(name("mnuHAbout"));

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(name("tlbRpt"));
    m_calculateTool = m_toolBar->addAction(style()->standardIcon(QStyle::SP_DialogApplyButton), LoadText("计算"), this,
                                           [this] { m_logic.mnuVCalulate(); });
    m_calculateTool->setObjectName(name("Calulate"));
    m_calculateTool->setToolTip(LoadText("计算实存数量"));
    m_toolBar->addSeparator();
    m_exitTool = m_toolBar->addAction(style()->standardIcon(QStyle::SP_DialogCloseButton), LoadText("退出"), this,
                                      [this] { m_logic.mnuFExit(); });
    m_exitTool->setObjectName(name("Exit"));
    m_exitTool->setToolTip(LoadText("退出"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->setMenuBar(bar);
}

void FrmSelect::setupLayout()
{
    auto *title = new QLabel(LoadText("选择单据"), this);
    title->setObjectName(name("titSelect"));
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(14);
    font.setBold(true);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);

    auto *stockLabel = new QLabel(LoadText("仓库名称:"), this);
    stockLabel->setObjectName(name("Label1"));
    m_stock = new QLabel(m_logic.context().stockName, this);
    m_stock->setObjectName(name("lstStock"));
    auto *stockRow = new QHBoxLayout;
    stockRow->setContentsMargins(8, 0, 8, 0);
    stockRow->setSpacing(8); // 120 twips
    stockRow->addWidget(stockLabel);
    stockRow->addWidget(m_stock);
    stockRow->addStretch();

    m_grid = new QTableView(this);
    m_grid->setObjectName(name("ldgSelect"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    connect(m_grid, &QTableView::clicked, this,
            [this](const QModelIndex &index) { m_logic.click(index.row(), index.column() + 1); });

    m_status = new QStatusBar(this);
    m_status->setObjectName(name("staBar"));
    m_status->setSizeGripEnabled(false);
    m_message = new QLabel(this);
    m_item = new QLabel(this);
    m_status->addWidget(m_message, 1);
    m_status->addPermanentWidget(m_item);

    auto *layout = static_cast<QVBoxLayout *>(this->layout());
    layout->addWidget(m_toolBar);
    layout->addWidget(title);
    layout->addLayout(stockRow);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_status);
}

void FrmSelect::applyState()
{
    for (int col = 1; col <= SelectCol::Count; ++col)
        m_grid->setColumnHidden(col - 1, m_logic.isColumnHidden(col));
    const bool enabled = m_logic.isCalculateEnabled();
    m_calculate->setEnabled(enabled);
    m_calculateTool->setEnabled(enabled);
    m_toolBar->setVisible(m_logic.showToolBar());
    if (m_logic.showToolBar())
        m_toolBar->setToolButtonStyle(m_logic.showToolBarLabels() ? Qt::ToolButtonTextBesideIcon
                                                                  : Qt::ToolButtonIconOnly);
    m_status->setVisible(m_logic.showStatusBar());
    m_toolBarCheck->setChecked(m_logic.showToolBar());
    m_statusCheck->setChecked(m_logic.showStatusBar());
    m_labelCheck->setChecked(m_logic.showToolBarLabels());
    m_message->setText(m_logic.statusText(SelectLogic::MessagePanel));
    m_item->setText(m_logic.statusText(SelectLogic::ItemPanel));
}

void FrmSelect::restoreWidths()
{
    for (int col = 1; col <= SelectCol::Count; ++col)
        if (const int twips = m_logic.columnWidth(col); twips > 0)
            m_grid->setColumnWidth(col - 1, twips / TwipsPerPixel);
}

void FrmSelect::saveWidths()
{
    for (int col = 1; col <= SelectCol::Count; ++col)
        if (!m_grid->isColumnHidden(col - 1))
            m_logic.setColumnWidth(col, m_grid->columnWidth(col - 1) * TwipsPerPixel);
}

void FrmSelect::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        m_logic.mnuHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmSelect::done(int result)
{
    if (!m_closing) {
        m_closing = true;
        saveWidths();
        m_logic.saveSettings();
    }
    QDialog::done(result);
}

QVariantMap FrmSelect::open(const QVariantMap &args)
{
    AppConnection *connection = shared().connection;
    if (!connection)
        return {};
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    FrmSelect window(*connection, args, parent);
    window.exec();
    return window.answer();
}

QVariantMap FrmSelect::answer() const
{
    return {{name("CalFactQty"), m_raised},
            {name("CalcateOK"), m_logic.CalcateOK()},
            {name("DiffQty"), m_logic.baseTotal()},
            {name("SecDiffQty"), m_logic.secTotal()}};
}
