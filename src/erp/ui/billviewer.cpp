#include "billviewer.h"

#include "erp/stockbills.h"
#include "host/appconnection.h"
#include "host/hostcomponents.h"
#include "host/hostui.h"
#include "host/sharedstate.h"
#include "host/stockdocuments.h"
#include "host/texts.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace erp {

namespace {

const char *const kBillTitles[] = {N_("单据编号"), N_("单据日期"),     N_("单据类型"), N_("仓库"),
                                   N_("分录数"),   N_("基本单位数量"), N_("审核")};

// Entry fields shown, with their captions.
const struct
{
    const char16_t *field;
    const char *title;
} kEntryColumns[] = {{u"FEntryID", "#"},
                     {u"FItemNumber", N_("物料代码")},
                     {u"FItemName", N_("物料名称")},
                     {u"FModel", N_("规格型号")},
                     {u"FBatchNo", N_("批次")},
                     {u"FMtoNo", N_("计划跟踪号")},
                     {u"FKFDate", N_("生产/采购日期")},
                     {u"FUnitName", N_("单位")},
                     {u"FAuxQty", N_("数量")},
                     {u"FQty", N_("基本单位数量")},
                     {u"FSecQty", N_("辅助数量")},
                     {u"FPrice", N_("单价")},
                     {u"FAmount", N_("金额")},
                     {u"FPlaceName", N_("仓位")}};

QStandardItem *cell(const QString &text, bool number = false)
{
    auto *item = new QStandardItem(text);
    item->setEditable(false);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString quantity(double value)
{
    return QString::number(value, 'f', 4);
}

} // namespace

BillViewer::BillViewer(AppConnection &connection, const QList<int> &documents, int userId, QWidget *parent)
    : QDialog(parent)
    , m_c(connection)
    , m_documents(documents)
    , m_userId(userId)
{
    setupUi();
    reload();
}

void BillViewer::setupUi()
{
    setObjectName(QStringLiteral("frmBills"));
    setWindowTitle(LoadText("盘点单据"));
    m_billModel = new QStandardItemModel(this);
    m_entryModel = new QStandardItemModel(this);
    m_bills = new QTableView(this);
    m_bills->setObjectName(QStringLiteral("lstBills"));
    m_bills->setModel(m_billModel);
    m_bills->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_bills->setSelectionMode(QAbstractItemView::SingleSelection);
    m_entries = new QTableView(this);
    m_entries->setObjectName(QStringLiteral("lstEntries"));
    m_entries->setModel(m_entryModel);
    for (QTableView *view : {m_bills, m_entries})
        view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    auto *buttons = new QDialogButtonBox(this);
    m_audit = buttons->addButton(LoadText("审核(&A)"), QDialogButtonBox::ActionRole);
    m_audit->setObjectName(QStringLiteral("cmdAudit"));
    buttons->addButton(LoadText("关闭"), QDialogButtonBox::RejectRole);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_bills, 1);
    layout->addWidget(m_entries, 2);
    layout->addWidget(buttons);
    connect(m_audit, &QPushButton::clicked, this, &BillViewer::audit);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_bills->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &BillViewer::showEntries);
    resize(900, 560);
}

void BillViewer::reload()
{
    const int keep = std::max(currentRow(), 0);
    m_billModel->clear();
    QStringList titles;
    for (const char *title : kBillTitles)
        titles << LoadText(title);
    m_billModel->setHorizontalHeaderLabels(titles);
    const std::optional<QList<StockBill>> bills = loadStockBills(m_c, m_documents);
    for (const StockBill &b : bills.value_or(QList<StockBill>())) {
        QList<QStandardItem *> row{cell(b.billNo),
                                   cell(b.date.toString(QStringLiteral("yyyy-MM-dd"))),
                                   cell(LoadText(b.tranType == TranType::Loss ? "盘亏单" : "盘盈单")),
                                   cell(b.stockName),
                                   cell(QString::number(b.entries), true),
                                   cell(quantity(b.baseQty), true),
                                   cell(LoadText(b.audited ? "已审核" : "未审核"))};
        row.first()->setData(b.interId, Qt::UserRole);
        row.first()->setData(b.audited, Qt::UserRole + 1);
        m_billModel->appendRow(row);
    }
    m_bills->resizeColumnsToContents();
    if (m_billModel->rowCount() > 0)
        m_bills->selectRow(std::min(keep, m_billModel->rowCount() - 1));
    showEntries();
}

int BillViewer::currentRow() const
{
    return m_bills && m_bills->selectionModel() ? m_bills->selectionModel()->currentIndex().row() : -1;
}

void BillViewer::showEntries()
{
    m_entryModel->clear();
    QStringList titles;
    for (const auto &column : kEntryColumns)
        titles << (qstrcmp(column.title, "#") == 0 ? QStringLiteral("#") : LoadText(column.title));
    m_entryModel->setHorizontalHeaderLabels(titles);
    const int row = currentRow();
    m_audit->setEnabled(row >= 0 && !m_billModel->item(row)->data(Qt::UserRole + 1).toBool());
    if (row < 0)
        return;
    Recordset rs = loadStockBillEntries(m_c, m_billModel->item(row)->data(Qt::UserRole).toInt());
    for (rs.MoveFirst(); rs.isOpen() && !rs.Eof(); rs.MoveNext()) {
        QList<QStandardItem *> cells;
        for (const auto &column : kEntryColumns) {
            const QStringView field(column.field);
            const bool number = field == u"FAuxQty" || field == u"FQty" || field == u"FSecQty" || field == u"FPrice" ||
                                field == u"FAmount";
            cells << cell(number ? quantity(rs.number(field)) : rs.text(field), number);
        }
        m_entryModel->appendRow(cells);
    }
    m_entries->resizeColumnsToContents();
}

void BillViewer::audit()
{
    const int row = currentRow();
    if (row < 0)
        return;
    const QString billNo = m_billModel->item(row)->text();
    DbError error;
    const AuditResult result =
        auditStockBill(m_c, m_billModel->item(row)->data(Qt::UserRole).toInt(), m_userId, &error);
    if (HostUi *ui = shared().ui)
        ui->message(auditResultText(result, billNo),
                    result == AuditResult::Audited ? HostUi::Icon::Information : HostUi::Icon::Warning,
                    error.detailed());
    reload();
}

void BillViewer::registerOpener(WindowRegistry &windows)
{
    windows.add(QStringLiteral("NVE_N5Bills.Bills"), [](const QVariantMap &args) -> QVariantMap {
        AppConnection *conn = shared().connection;
        if (!conn)
            return {};
        QList<int> ids;
        for (const QVariant &id : args.value(QStringLiteral("FInterID")).toList())
            ids << id.toInt();
        auto *parent = qobject_cast<QWidget *>(args.value(QStringLiteral("Parent")).value<QObject *>());
        // a window over the modal count sheet must belong to it, or the sheet blocks it
        if (!parent)
            parent = QApplication::activeWindow();
        // modeless: the person looks at the documents while the sheet stays usable
        auto *viewer = new BillViewer(*conn, ids, args.value(QStringLiteral("UserID")).toInt(), parent);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->show();
        return {{QStringLiteral("Shown"), true}};
    });
}

} // namespace erp
