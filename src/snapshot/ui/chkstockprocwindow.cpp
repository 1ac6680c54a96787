#include "chkstockprocwindow.h"

#include "host/texts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Name and remark editors stop at the column's length.
class LimitedTextDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            line->setMaxLength(index.column() == ProcListModel::Name ? ProcListModel::NameLength
                                                                     : ProcListModel::RemarkLength);
        return editor;
    }
};

QStyle::StandardPixmap iconOf(int id)
{
    using L = ChkStockProcLogic;
    switch (id) {
    case L::New:
        return QStyle::SP_FileIcon;
    case L::Open:
        return QStyle::SP_DialogOpenButton;
    case L::Save:
        return QStyle::SP_DialogSaveButton;
    case L::Delete:
        return QStyle::SP_TrashIcon;
    case L::Refresh:
        return QStyle::SP_BrowserReload;
    case L::Exit:
        return QStyle::SP_DialogCloseButton;
    default:
        return QStyle::SP_DialogHelpButton;
    }
}

} // namespace

ChkStockProcWindow::ChkStockProcWindow(const QVariantMap &context, QWidget *parent)
    : QDialog(parent)
    , m_logic(context)
{
    setObjectName(QStringLiteral("frmChkStockProc"));
    setWindowTitle(LoadText("盘点方案"));
    setupActions();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setupMenus(layout);
    setupGrid();
    layout->addWidget(m_grid, 1);
    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("statusProc"));
    m_status->setSizeGripEnabled(false);
    m_status->showMessage(m_logic.statusText());
    layout->addWidget(m_status);
    connect(&m_logic, &ChkStockProcLogic::ticksChanged, this, &ChkStockProcWindow::syncTicks);
    resize(820, 480);
}

void ChkStockProcWindow::setupActions()
{
    for (const ChkStockProcLogic::ToolInfo &t : ChkStockProcLogic::tools()) {
        auto *action = new QAction(LoadText(t.caption), this);
        action->setObjectName(QString::fromLatin1(t.name));
        action->setData(int(t.id));
        if (*t.tooltip)
            action->setToolTip(LoadText(t.tooltip));
        action->setCheckable(t.tick);
        if (t.onToolBar || t.id == ChkStockProcLogic::Help)
            action->setIcon(style()->standardIcon(iconOf(t.id)));
        const int id = t.id;
        connect(action, &QAction::triggered, this, [this, id] { click(id); });
        m_tools.insert(t.id, action);
    }
    m_tools.value(ChkStockProcLogic::Help)->setShortcut(QKeySequence(Qt::Key_F1));
    m_tools.value(ChkStockProcLogic::Refresh)->setShortcut(QKeySequence(Qt::Key_F5));
    m_tools.value(ChkStockProcLogic::Save)->setShortcut(QKeySequence::Save);
}

void ChkStockProcWindow::setupMenus(QLayout *layout)
{
    auto *menus = new QMenuBar(this);
    menus->setObjectName(QStringLiteral("mnuProc"));
    QMenu *edit = menus->addMenu(LoadText("编辑"));
    edit->setObjectName(QStringLiteral("Edit"));
    QMenu *option = menus->addMenu(LoadText("选项"));
    option->setObjectName(QStringLiteral("Option"));
    QMenu *periodic = option->addMenu(LoadText("启用周期盘点"));
    periodic->setObjectName(QStringLiteral("StartPeriodCheck"));
    QMenu *help = menus->addMenu(LoadText("帮助"));
    help->setObjectName(QStringLiteral("Help"));
    auto *bar = new QToolBar(LoadText("盘点进程"), this);
    bar->setObjectName(QStringLiteral("barProc"));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const ChkStockProcLogic::ToolInfo &t : ChkStockProcLogic::tools()) {
        QAction *action = m_tools.value(t.id);
        const QString menu = QString::fromLatin1(t.menu);
        (menu == QLatin1String("Edit") ? edit : menu == QLatin1String("Help") ? help : periodic)->addAction(action);
        if (t.onToolBar)
            bar->addAction(action);
        if (t.id == ChkStockProcLogic::Refresh)
            edit->addSeparator();
    }
    layout->setMenuBar(menus);
    layout->addWidget(bar);
}

void ChkStockProcWindow::setupGrid()
{
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("vsProc"));
    m_grid->setModel(m_logic.model());
    m_grid->setItemDelegate(new LimitedTextDelegate(m_grid));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    m_grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
    m_grid->verticalHeader()->hide();
    const int w = fontMetrics().horizontalAdvance(QStringLiteral("0"));
    const int widths[] = {3, 8, 22, 34, 12, 12};
    for (int c = 0; c < int(std::size(widths)); ++c)
        m_grid->setColumnWidth(c, widths[c] * w + 16);
    m_grid->setColumnHidden(ProcListModel::Status, true);
    // the remark takes the room that is left (the last column is hidden)
    m_grid->horizontalHeader()->setSectionResizeMode(ProcListModel::Remark, QHeaderView::Stretch);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { m_logic.setCurrentRow(current.row()); });
}

bool ChkStockProcWindow::load()
{
    const bool ok = m_logic.load();
    syncSelection();
    return ok;
}

void ChkStockProcWindow::syncSelection()
{
    const int row = m_logic.currentRow();
    if (row >= 0)
        m_grid->selectRow(row);
}

void ChkStockProcWindow::syncTicks()
{
    for (ChkStockProcLogic::Tool id : {ChkStockProcLogic::WithStock, ChkStockProcLogic::WithoutStock})
        m_tools.value(id)->setChecked(m_logic.isTicked(id));
}

void ChkStockProcWindow::click(int id)
{
    // an open editor hands its text to the grid before the tool acts
    if (QWidget *focus = QApplication::focusWidget(); focus && m_grid->isAncestorOf(focus))
        m_grid->setFocus();
    const bool close = m_logic.toolClick(id);
    syncTicks();
    syncSelection();
    if (close) {
        m_closing = true;
        accept();
    }
}

void ChkStockProcWindow::closeEvent(QCloseEvent *event)
{
    // the window's close box is the Exit tool, with its question about the edits
    if (m_closing || m_logic.exit()) {
        event->accept();
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
}

void ChkStockProcWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

QVariantMap ChkStockProcWindow::open(const QVariantMap &args)
{
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    ChkStockProcWindow window(args, parent);
    window.load();
    window.exec();
    return {};
}
