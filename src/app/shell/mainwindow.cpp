#include "mainwindow.h"

#include "shelloperations.h"

#include "host/hostcomponents.h"
#include "host/hostui.h"
#include "host/sharedstate.h"
#include "host/texts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCommandLinkButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QStyle::StandardPixmap operationIcon(const QString &operation)
{
    static const QHash<QString, QStyle::StandardPixmap> icons = {
        {QStringLiteral("BackupCheckData"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("DisChkStockProc"), QStyle::SP_DialogOpenButton},
        {QStringLiteral("PrintCheckBook"), QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("CheckDataInput"), QStyle::SP_FileDialogListView},
        {QStringLiteral("CheckDataCheck"), QStyle::SP_DialogApplyButton},
    };
    return icons.value(operation, QStyle::SP_FileIcon);
}

} // namespace

MainWindow::MainWindow(const WindowRegistry &windows, Runner run, QWidget *parent)
    : QMainWindow(parent)
    , m_windows(windows)
    , m_run(std::move(run))
{
    setObjectName(QStringLiteral("frmShell"));
    setWindowTitle(LoadText("库存盘点"));
    setWindowIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    setupActions();
    setupMenus();
    setupToolBar();
    setupWelcome();
    setupStatusBar();
    refreshAvailability();
    resize(960, 640);
}

void MainWindow::setupActions()
{
    int key = Qt::Key_1;
    for (const ShellOperation &op : shellOperations()) {
        auto *action = new QAction(style()->standardIcon(operationIcon(op.name)), LoadText(op.caption), this);
        action->setObjectName(op.name);
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(key++)));
        const QString name = op.name;
        connect(action, &QAction::triggered, this, [this, name] { runOperation(name); });
        m_actions.insert(op.name, action);
    }
    m_switchAction =
        new QAction(style()->standardIcon(QStyle::SP_BrowserReload), LoadText("切换用户或数据库(&U)..."), this);
    m_switchAction->setObjectName(QStringLiteral("mnuSwitch"));
    connect(m_switchAction, &QAction::triggered, this, [this] {
        if (closeOtherWindows())
            emit switchRequested();
    });
    m_exitAction = new QAction(style()->standardIcon(QStyle::SP_DialogCloseButton), LoadText("退出(&X)"), this);
    m_exitAction->setObjectName(QStringLiteral("mnuExit"));
    m_exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);
    m_helpAction = new QAction(style()->standardIcon(QStyle::SP_DialogHelpButton), LoadText("帮助(&H)"), this);
    m_helpAction->setObjectName(QStringLiteral("mnuHelpTopics"));
    m_helpAction->setShortcut(QKeySequence(Qt::Key_F1));
    connect(m_helpAction, &QAction::triggered, this, &MainWindow::showHelp);
    m_aboutAction = new QAction(style()->standardIcon(QStyle::SP_MessageBoxInformation), LoadText("关于(&A)"), this);
    m_aboutAction->setObjectName(QStringLiteral("mnuAbout"));
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::setupMenus()
{
    QMenu *file = menuBar()->addMenu(LoadText("文件(&F)"));
    file->addAction(m_switchAction);
    file->addSeparator();
    file->addAction(m_exitAction);
    QMenu *count = menuBar()->addMenu(LoadText("盘点(&C)"));
    count->setToolTipsVisible(true);
    for (const ShellOperation &op : shellOperations()) {
        count->addAction(m_actions.value(op.name));
        if (op.name == QLatin1String("DisChkStockProc"))
            count->addSeparator();
    }
    QMenu *help = menuBar()->addMenu(LoadText("帮助(&H)"));
    help->addAction(m_helpAction);
    help->addAction(m_aboutAction);
}

void MainWindow::setupToolBar()
{
    QToolBar *bar = addToolBar(LoadText("工具条"));
    bar->setObjectName(QStringLiteral("barMain"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setIconSize(QSize(28, 28));
    for (const ShellOperation &op : shellOperations())
        bar->addAction(m_actions.value(op.name));
    bar->addSeparator();
    bar->addAction(m_exitAction);
}

void MainWindow::setupWelcome()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("welcome"));
    auto *title = new QLabel(LoadText("库存盘点"), page);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title->setFont(big);
    auto *intro = new QLabel(LoadText("一次盘点的过程：先为要盘点的仓库备份盘点数据，拍下账面库存；"
                                      "打印盘点表交给盘点人员；清点之后录入盘点数据；"
                                      "最后编制盘点报告，核对盘盈盘亏，生成盘盈单和盘亏单。"),
                             page);
    intro->setWordWrap(true);

    auto *steps = new QVBoxLayout;
    steps->setSpacing(4);
    for (const ShellOperation &op : shellOperations()) {
        auto *button = new QCommandLinkButton(LoadText(op.caption), LoadText(op.description), page);
        button->setObjectName(QStringLiteral("cmd") + op.name);
        button->setIcon(style()->standardIcon(operationIcon(op.name)));
        button->setIconSize(QSize(32, 32));
        connect(button, &QCommandLinkButton::clicked, m_actions.value(op.name), &QAction::trigger);
        m_buttons.insert(op.name, button);
        steps->addWidget(button);
    }

    auto *column = new QVBoxLayout;
    column->setSpacing(14);
    column->addWidget(title);
    column->addWidget(intro);
    column->addSpacing(8);
    column->addLayout(steps);
    column->addStretch(1);
    // a readable line length on a wide screen
    auto *content = new QWidget(page);
    content->setMaximumWidth(760);
    content->setLayout(column);
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(40, 28, 40, 28);
    layout->addWidget(content, 1);
    layout->addStretch(0);

    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);
    setCentralWidget(scroll);
}

void MainWindow::setupStatusBar()
{
    m_databaseLabel = new QLabel(this);
    m_databaseLabel->setObjectName(QStringLiteral("labDatabase"));
    m_userLabel = new QLabel(this);
    m_userLabel->setObjectName(QStringLiteral("labUser"));
    statusBar()->setObjectName(QStringLiteral("staBar"));
    statusBar()->addWidget(m_databaseLabel, 1);
    statusBar()->addPermanentWidget(m_userLabel);
}

void MainWindow::setSessionInfo(const QString &database, const QString &userName)
{
    m_databaseLabel->setText(FormatText("数据库：%1", {database}));
    m_userLabel->setText(FormatText("用户：%1", {userName}));
    setWindowTitle(FormatText("库存盘点 - %1", {userName}));
}

void MainWindow::refreshAvailability()
{
    for (const ShellOperation &op : shellOperations()) {
        const bool available = op.isAvailable(m_windows);
        const QString tip = available ? LoadText(op.description) : LoadText("尚未提供");
        QAction *action = m_actions.value(op.name);
        action->setEnabled(available);
        action->setToolTip(LoadText(op.caption) + QStringLiteral(" - ") + tip);
        action->setStatusTip(tip);
        QCommandLinkButton *button = m_buttons.value(op.name);
        button->setEnabled(available);
        button->setToolTip(tip);
        button->setDescription(available ? LoadText(op.description)
                                         : LoadText(op.description) + QLatin1Char(' ') + LoadText("（尚未提供）"));
    }
}

void MainWindow::showEvent(QShowEvent *event)
{
    refreshAvailability();
    QMainWindow::showEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (closeOtherWindows())
        event->accept();
    else
        event->ignore();
}

bool MainWindow::closeOtherWindows()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows)
        if (w != this && w->isVisible() && w->isWindow() && !w->close())
            return false;
    return true;
}

void MainWindow::runOperation(const QString &operation)
{
    const QAction *action = m_actions.value(operation);
    if (!action || !action->isEnabled())
        return;
    if (m_run)
        m_run(operation);
    refreshAvailability();
}

void MainWindow::showAbout()
{
    QMessageBox::about(this, LoadText("关于"),
                       QStringLiteral("<h3>StockCheck %1</h3><p>%2</p>")
                           .arg(QApplication::applicationVersion().toHtmlEscaped(),
                                LoadText("库存盘点：备份账面库存，打印盘点表，录入实盘数量，"
                                         "核对差异并生成盘盈单和盘亏单。")
                                    .toHtmlEscaped()));
}

void MainWindow::showHelp()
{
    if (HostUi *ui = shared().ui)
        ui->showHelp(QStringLiteral("StockCheck"));
}
