#include "backupinvlogic.h"

#include "host/appconnection.h"
#include "host/hostui.h"
#include "host/logging.h"
#include "host/lookups.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"

namespace {

const QString itemCode = QStringLiteral("物料代码");
const QString itemName = QStringLiteral("物料名称");
const QString placeCode = QStringLiteral("仓位代码");
const QString placeName = QStringLiteral("仓位名称");
const QString barcode = QStringLiteral("条形码");

const QString barcodeSql = QStringLiteral(R"(SELECT FGoodsBarCode FROM t_ICItem WHERE FItemID = ?)");

void tell(const QString &text)
{
    if (shared().ui)
        shared().ui->message(text, HostUi::Icon::Information);
}

// The hourglass while the command works; gone before the person is told anything
// that ends the command.
class BusyCursor
{
public:
    BusyCursor()
    {
        if (shared().ui)
            shared().ui->setBusy(true);
    }
    ~BusyCursor() { release(); }
    void release()
    {
        if (m_on && shared().ui)
            shared().ui->setBusy(false);
        m_on = false;
    }

private:
    bool m_on = true;
};

struct TypeTree
{
    int itemClass;
    const char *root;
    const char *missing;
};

TypeTree typeTreeOf(BackupInvLogic::Restriction r)
{
    switch (r) {
    case BackupInvLogic::Restriction::Supplier:
        return {8, N_("供应商"), N_("请至少选择一个供应商!")};
    case BackupInvLogic::Restriction::CommBrand:
        return {2038, N_("品牌"), N_("请至少选择一个品牌!")};
    case BackupInvLogic::Restriction::CommCategory:
        return {2037, N_("商品类别"), N_("请至少选择一个商品类别!")};
    default:
        return {0, nullptr, nullptr};
    }
}

} // namespace

BackupInvLogic::BackupInvLogic(QObject *parent)
    : QObject(parent)
{}

bool BackupInvLogic::load()
{
    try {
        GetConnection();
    } catch (const DbException &e) {
        if (shared().ui)
            shared().ui->message(e.error().message, HostUi::Icon::Critical, e.error().detailed());
        return false;
    }
    return fillTree(m_stocks, 5, N_("仓库"));
}

// The entries of item class `itemClass` under the root `root`; a list that cannot
// be read leaves the tree empty and is told, with the database's details.
bool BackupInvLogic::fillTree(CheckTreeModel &tree, int itemClass, const char *root)
{
    Recordset rows;
    if (!m_engine.FetchItem(itemClass, rows)) {
        tree.clear();
        if (shared().ui)
            shared().ui->message(FormatText("不能读取%1列表。", {LoadText(root)}), HostUi::Icon::Critical,
                                 m_engine.lastError().detailed());
        return false;
    }
    tree.load(LoadText(root), rows);
    return true;
}

void BackupInvLogic::setRestriction(Restriction restriction)
{
    m_restriction = restriction;
    const TypeTree tree = typeTreeOf(restriction);
    if (tree.itemClass != 0)
        fillTree(m_types, tree.itemClass, tree.root);
    emit restrictionChanged();
}

QString BackupInvLogic::validate() const
{
    if (!m_stocks.hasChecked())
        return LoadText("请选择要盘点的仓库!");
    const TypeTree tree = typeTreeOf(m_restriction);
    if (tree.itemClass != 0)
        return m_types.hasChecked() ? QString() : LoadText(tree.missing);
    return GoodsFilter::validate(m_conditions.rows());
}

SnapshotParams BackupInvLogic::buildParams() const
{
    SnapshotParams p;
    p.setValue(SnapshotParams::Stock, m_stocks.checkedIds().join(QLatin1Char(',')));
    const QString types = m_types.checkedIds().join(QLatin1Char(','));
    switch (m_restriction) {
    case Restriction::Commodity:
        p.setConditions(m_conditions.rows());
        break;
    case Restriction::Supplier:
        p.setValue(SnapshotParams::Supplier, types);
        break;
    case Restriction::CommBrand:
        p.setValue(SnapshotParams::CommBrand, types);
        break;
    case Restriction::CommCategory:
        p.setValue(SnapshotParams::CommCategory, types);
        break;
    }
    p.setValue(SnapshotParams::IsCutDate, m_cutDate);
    p.setValue(SnapshotParams::CutDate, m_date.toString(QStringLiteral("yyyy-MM-dd")));
    p.setValue(SnapshotParams::Operater, shared().operatorId);
    return p;
}

bool BackupInvLogic::ok()
{
    LogBracket log(QStringLiteral("N5StockCheck.frmBackupInv.cmdOK_Click"));
    BusyCursor busy;
    const QString problem = validate();
    if (!problem.isEmpty()) {
        busy.release();
        tell(problem);
        return false;
    }
    SnapshotParams params = buildParams();
    QString refusal;
    if (!m_engine.PreCheck(params, m_cutDate, m_date, refusal)) {
        busy.release();
        // the engine refuses without a word when the start date cannot be read
        tell(refusal.isEmpty() ? LoadText("读不到系统启用日期，不能备份！") : refusal);
        return false;
    }
    QString cycleTable;
    bool success = false;
    m_engine.BackUpData(params, m_cutDate, m_date, false, true, false, false, cycleTable, success);
    busy.release();
    if (!success)
        return false;
    log.end();
    // the number is how the person finds the new count in the sheet's process list
    tell(FormatText("仓库备份已经完成!盘点方案编号：%1，请按“确定”返回!", {m_engine.processNumber()}));
    return true;
}

bool BackupInvLogic::lookupValue(int row)
{
    const QList<GoodsCondition> &rows = m_conditions.rows();
    if (row < 0 || row >= rows.size())
        return false;
    const QString field = rows.at(row).field;
    const QString search = rows.at(row).value;
    QString value;
    if (field == itemCode || field == itemName || field == barcode)
        value = lookupItem(field, search);
    else if (field == placeCode || field == placeName)
        value = lookupPlace(field, search);
    if (value.isNull())
        return false;
    return m_conditions.setData(m_conditions.index(row, ConditionGridModel::Value), value);
}

QString BackupInvLogic::lookupItem(const QString &field, const QString &search)
{
    // goods only: purchased, made, subcontracted, ... (no expense items or features)
    const QVariantMap options{{QStringLiteral("ErpClsIDs"), QVariantList{1, 2, 3, 5, 7, 9}}};
    const LookupRecord record = LookupBaseData(4, search, 0, options);
    if (!record.isValid())
        return {};
    if (field == itemName)
        return record.value(QStringLiteral("FName")).toString();
    if (field == itemCode)
        return record.value(shared().useFullNumber ? QStringLiteral("FNumber") : QStringLiteral("FShortNumber"))
            .toString();
    AppConnection *conn = shared().connection;
    if (!conn)
        return {};
    Recordset rs = conn->Execute(barcodeSql, {record.value(QStringLiteral("FItemID"))});
    return rs.isOpen() && !rs.isEmpty() ? rs.text(u"FGoodsBarCode") : QString();
}

QString BackupInvLogic::lookupPlace(const QString &field, const QString &search)
{
    BaseDataLookup *lookup = shared().components.lookup.get();
    if (!lookup)
        return {};
    const QVariantMap options{{QStringLiteral("Search"), search},
                              {QStringLiteral("BeShortNumber"), !shared().useFullNumber}};
    LookupRecord record;
    try {
        record = lookup->listLookup(QStringLiteral("t_StockPlace"), options);
    } catch (const std::exception &) {
        return {};
    }
    if (!record.isValid())
        return {};
    if (field == placeName)
        return record.value(QStringLiteral("FName")).toString();
    return record.value(shared().useFullNumber ? QStringLiteral("FNumber") : QStringLiteral("FShortNumber")).toString();
}

void BackupInvLogic::keyPressed(int keyCode)
{
    ShowHelp(keyCode, QStringLiteral("ICStockCheckBackUpInv"));
}

void BackupTypeLogic::keyPressed(int keyCode)
{
    ShowHelp(keyCode, QStringLiteral("ICStockCheckBackUpType"));
}

QVariantMap BackupTypeLogic::result() const
{
    return {{QStringLiteral("BackupType"), m_type}, {QStringLiteral("Cancelled"), m_cancelled}};
}
