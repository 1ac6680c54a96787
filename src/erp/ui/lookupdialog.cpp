#include "lookupdialog.h"

#include "lookupmodel.h"
#include "widgetui.h"

#include "host/appconnection.h"
#include "host/sharedstate.h"
#include "host/texts.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace erp {

LookupDialog::LookupDialog(AppConnection &connection, const LookupQuery &query, QWidget *parent)
    : QDialog(parent)
    , m_connection(connection)
    , m_query(query)
{
    setObjectName(QStringLiteral("frmLookup"));
    setWindowTitle(FormatText("选择%1", {m_query.caption()}));
    setupWidgets();
    m_search->setText(m_query.initialSearch());
    runSearch();
}

void LookupDialog::setupWidgets()
{
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("txtSearch"));
    m_search->setPlaceholderText(LoadText("代码、名称或助记码"));
    m_search->setClearButtonEnabled(true);
    m_search->installEventFilter(this);
    auto *label = new QLabel(LoadText("查找(&F):"), this);
    label->setBuddy(m_search);

    m_model = new LookupModel(m_query.shownColumns(), this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("grdList"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAlternatingRowColors(true);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 8);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->installEventFilter(this);
    int width = 60;
    const QList<LookupColumn> columns = m_query.shownColumns();
    for (int c = 0; c < columns.size(); ++c) {
        m_view->setColumnWidth(c, columns.at(c).width);
        width += columns.at(c).width;
    }
    connect(m_view, &QTableView::doubleClicked, this, &LookupDialog::accept);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("labStatus"));
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(LoadText("确定(&O)"), QDialogButtonBox::AcceptRole);
    buttons->addButton(LoadText("取消(&C)"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &LookupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LookupDialog::reject);

    // each key would otherwise send a query; wait until typing pauses
    m_searchTimer = new QTimer(this);
    m_searchTimer->setSingleShot(true);
    m_searchTimer->setInterval(200);
    connect(m_searchTimer, &QTimer::timeout, this, &LookupDialog::runSearch);
    connect(m_search, &QLineEdit::textEdited, m_searchTimer, qOverload<>(&QTimer::start));

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(label);
    searchRow->addWidget(m_search, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(m_view, 1);
    layout->addLayout(bottom);
    resize(std::max(width, 520), 460);
}

void LookupDialog::runSearch()
{
    m_searchTimer->stop();
    DbError error;
    const Recordset rows = m_query.search(m_connection, m_search->text(), rowLimit, &error);
    m_model->setRows(rows);
    if (error.isError())
        m_status->setText(FormatText("查询失败：%1", {error.message}));
    else if (rows.RecordCount() >= rowLimit)
        m_status->setText(FormatText("只显示前 %1 条，请输入更多文字缩小范围", {rowLimit}));
    else
        m_status->setText(FormatText("共 %1 条", {rows.RecordCount()}));
    selectRow(0);
}

void LookupDialog::selectRow(int row)
{
    if (m_model->rowCount() == 0)
        return;
    row = qBound(0, row, m_model->rowCount() - 1);
    m_view->selectRow(row);
    m_view->scrollTo(m_model->index(row, 0));
}

void LookupDialog::accept()
{
    if (m_searchTimer->isActive())
        runSearch(); // Enter right after typing picks from what was typed
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid())
        return;
    m_selected = m_query.record(m_model->rows(), current.row());
    QDialog::accept();
}

bool LookupDialog::searchBoxKey(int key)
{
    const int row = m_view->currentIndex().isValid() ? m_view->currentIndex().row() : -1;
    const int page =
        std::max(1, m_view->viewport()->height() / std::max(1, m_view->verticalHeader()->defaultSectionSize()));
    switch (key) {
    case Qt::Key_Down:
        selectRow(row + 1);
        return true;
    case Qt::Key_Up:
        selectRow(row - 1);
        return true;
    case Qt::Key_PageDown:
        selectRow(row + page);
        return true;
    case Qt::Key_PageUp:
        selectRow(row - page);
        return true;
    default:
        return false;
    }
}

bool LookupDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        accept();
        return true;
    }
    if (watched == m_search)
        return searchBoxKey(key->key());
    // typing while the list has the focus goes on in the search box
    if (watched == m_view && !key->text().isEmpty() && key->text().at(0).isPrint()) {
        m_search->setFocus();
        m_search->insert(key->text());
        m_searchTimer->start();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

LookupRecord DialogLookup::lookup(int itemClass, const QVariantMap &options)
{
    return show(LookupQuery::forItemClass(itemClass, options));
}

LookupRecord DialogLookup::listLookup(const QString &table, const QVariantMap &options)
{
    return show(LookupQuery::forTable(table, options));
}

LookupRecord DialogLookup::show(const std::optional<LookupQuery> &query)
{
    AppConnection *connection = shared().connection;
    if (!query || !connection || m_open)
        return {};
    m_open = true;
    LookupDialog dialog(*connection, *query, WidgetUi::dialogParent());
    const bool chosen = dialog.exec() == QDialog::Accepted;
    m_open = false;
    return chosen ? dialog.selected() : LookupRecord();
}

} // namespace erp
