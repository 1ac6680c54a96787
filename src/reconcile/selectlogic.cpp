#include "selectlogic.h"

#include "host/hostcomponents.h"
#include "host/hostui.h"
#include "host/logging.h"
#include "host/loginprops.h"
#include "host/numbers.h"
#include "host/sharedstate.h"
#include "host/texts.h"
#include "model/maindo.h"

#include <QDateTime>

namespace {

using namespace SelectCol;

const char *const logName = "N5StockCheck.frmSelect.GetRSSelect";

// A reservation is only taken from nobody or from this process: an entry that
// another count reserved after the list was read is never taken over.
const QString reserveBillSql = QStringLiteral(
    R"(UPDATE ICStockBillEntry SET FSelectedProcID = ? WHERE FInterID = ? AND FEntryID = ?
 AND (COALESCE(FSelectedProcID, 0) = 0 OR FSelectedProcID = ?))");
const QString reserveMtoSql = QStringLiteral(
    R"(UPDATE t_MTOChangeEntry SET FSelectedProcID = ? WHERE FID = ? AND FEntryID = ?
 AND (COALESCE(FSelectedProcID, 0) = 0 OR FSelectedProcID = ?))");

const char *const headings[] = {"FInterID",     N_("选中标志"), N_("日期"),       "FInOrOut",          N_("事务类型"),
                                N_("单据号码"), N_("仓位"),     N_("物料代码"),   N_("物料名称"),      N_("规格型号"),
                                N_("辅助属性"), N_("批次"),     N_("计划跟踪号"), N_("生产/采购日期"), N_("保质期"),
                                N_("单位"),     N_("数量"),     N_("辅助单位"),   N_("辅助数量"),      "FEntryID",
                                "FROB",         "FTranTypeID",  "FChanged"};

QDate toDate(const QVariant &v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    return QDate::fromString(v.toString().trimmed().left(10), QStringLiteral("yyyy-MM-dd"));
}

QString slashDate(const QDate &d)
{
    return d.isValid() ? d.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

DocumentEntry readEntry(const Recordset &rs)
{
    DocumentEntry e;
    e.interId = rs.integer(u"FInterID");
    e.entryId = rs.integer(u"FEntryID");
    e.tranType = rs.integer(u"FTranTypeID");
    e.inflow = rs.integer(u"FInOrOut") == 1;
    e.marked = rs.integer(u"FCheckSelect") == 1;
    e.date = toDate(rs.Fields(u"FDate"));
    e.typeName = rs.text(u"FName");
    e.billNo = rs.text(u"FBillNo");
    e.spName = rs.text(u"FSPName");
    e.itemNumber = rs.text(u"FNumber");
    e.itemName = rs.text(u"FItemName");
    e.model = rs.text(u"FModel");
    e.auxProp = rs.text(u"FAuxPropName");
    e.batchNo = rs.text(u"FBatchNo");
    e.mtoNo = rs.text(u"FMtoNo");
    e.kfDate = slashDate(toDate(rs.Fields(u"FKFDate")));
    e.kfPeriod = rs.integer(u"FKFPeriod");
    e.unit = rs.text(u"FUnitName");
    e.secUnit = rs.text(u"FSecUnitName");
    e.qty = rs.number(u"FQty");
    e.secQty = rs.number(u"FSecQty");
    e.rob = rs.integer(u"FROB");
    return e;
}

SettingsStore *store()
{
    return shared().components.settings.get();
}

bool readFlag(const QString &key, bool fallback)
{
    SettingsStore *s = store();
    const QString text =
        s ? s->value(QLatin1String(SelectLogic::SettingsSection), key).toString().trimmed() : QString();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1"))
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 || text == QLatin1String("0"))
        return false;
    return fallback;
}

} // namespace

SelectLogic::SelectLogic(AppConnection &connection, QObject *parent)
    : QObject(parent)
    , m_connection(connection)
    , m_mtoPlanMode(shared().enableMtoPlanMode != 0)
    , m_fullNumbers(shared().useFullNumber)
    , m_language(UserLanguage())
{}

void SelectLogic::setQueryOptions(bool mtoPlanMode, bool fullNumbers, const QString &language)
{
    m_mtoPlanMode = mtoPlanMode;
    m_fullNumbers = fullNumbers;
    m_language = language;
}

void SelectLogic::open()
{
    m_showToolBar = readFlag(QStringLiteral("bShowtoolbar"), true);
    m_showLabels = readFlag(QStringLiteral("bShowToolBarLable"), true);
    m_showStatus = readFlag(QStringLiteral("bShowStatBar"), true);
    if (SettingsStore *s = store())
        for (int col = 1; col <= Count; ++col) {
            bool ok = false;
            const int w = s->value(QLatin1String(GridSection), QStringLiteral("Col%1").arg(col)).toInt(&ok);
            m_widths[col] = ok && w > 0 && w < 100000 ? w : 0;
        }
    m_message = LoadText("请单击选中标志列来选定要计算的单据");
    GetRSSelect();
}

bool SelectLogic::GetRSSelect()
{
    m_rows.clear();
    const std::optional<ProcessInfo> process = ProcessInfo::fromDictionary(m_procId, m_info);
    if (!process) {
        message(LoadText("没有设置盘点方案信息!"));
        emit rowsChanged();
        return false;
    }
    LogBracket log(QString::fromLatin1(logName));
    const DocumentQuery query({.processId = m_procId,
                               .process = *process,
                               .row = m_context,
                               .mtoPlanMode = m_mtoPlanMode,
                               .fullNumbers = m_fullNumbers,
                               .language = m_language});
    Recordset rs = query.run(m_connection);
    if (!rs.isOpen()) {
        // the grid stays empty; the person is told why rather than shown nothing
        message(FormatText("读取单据失败：%1", {m_connection.lastError().message}));
        emit rowsChanged();
        return false;
    }
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        m_rows << readEntry(rs);
    log.end();
    emit rowsChanged();
    emit stateChanged();
    return true;
}

QString SelectLogic::heading(int col)
{
    if (col < 1 || col > Count)
        return {};
    const char *h = headings[col - 1];
    // the internal columns keep their field names
    return QChar(QLatin1Char(h[0])) == QLatin1Char('F') ? QString::fromLatin1(h) : LoadText(h);
}

bool SelectLogic::isColumnHidden(int col) const
{
    switch (col) {
    case InterID:
    case InOrOut:
    case EntryID:
    case ROB:
    case TranTypeID:
    case Changed:
        return true;
    case MtoNo:
        return !m_mtoPlanMode;
    default:
        return false;
    }
}

QString SelectLogic::text(int index, int col) const
{
    if (index < 0 || index >= m_rows.size())
        return {};
    const DocumentEntry &e = m_rows.at(index);
    const int d = m_context.decimals;
    switch (col) {
    case InterID:
        return QString::number(e.interId);
    case Mark:
        return e.marked ? QStringLiteral("Y") : QString();
    case Date:
        return slashDate(e.date);
    case InOrOut:
        return e.inflow ? QStringLiteral("1") : QStringLiteral("0");
    case TypeName:
        return e.typeName;
    case BillNo:
        return e.billNo;
    case SPName:
        return e.spName;
    case ItemNumber:
        return e.itemNumber;
    case ItemName:
        return e.itemName;
    case Model:
        return e.model;
    case AuxProp:
        return e.auxProp;
    case BatchNo:
        return e.batchNo;
    case MtoNo:
        return e.mtoNo;
    case KFDate:
        return e.kfDate;
    case KFPeriod:
        return QString::number(e.kfPeriod);
    case Unit:
        return e.unit;
    case Qty:
        return MainDo::formatQuantity(e.qty, d);
    case SecUnit:
        return e.secUnit;
    case SecQty:
        return MainDo::formatQuantity(e.secQty, d);
    case EntryID:
        return QString::number(e.entryId);
    case ROB:
        return QString::number(e.rob);
    case TranTypeID:
        return QString::number(e.tranType);
    case Changed:
        return e.changed ? QStringLiteral("1") : QString();
    default:
        return {};
    }
}

bool SelectLogic::click(int index, int col)
{
    if (col != Mark || index < 0 || index >= m_rows.size())
        return false;
    const bool mark = !m_rows.at(index).marked;
    const DocumentEntry clicked = m_rows.at(index);
    // the result keeps a document's entries together: the run around the click
    for (int i = index; i >= 0 && m_rows.at(i).sameDocument(clicked); --i)
        m_rows[i].marked = mark, m_rows[i].changed = true;
    for (int i = index + 1; i < m_rows.size() && m_rows.at(i).sameDocument(clicked); ++i)
        m_rows[i].marked = mark, m_rows[i].changed = true;
    emit rowsChanged();
    return true;
}

bool SelectLogic::setMarked(const QList<int> &documentIds, bool marked, QList<int> *unknown)
{
    bool all = true;
    for (int id : documentIds) {
        bool found = false;
        for (int i = 0; i < m_rows.size(); ++i) {
            if (m_rows.at(i).interId != id)
                continue;
            found = true;
            if (m_rows.at(i).marked != marked)
                click(i, Mark);
        }
        if (!found) {
            all = false;
            if (unknown)
                *unknown << id;
        }
    }
    return all;
}

QList<SqlStatement> SelectLogic::reservationUpdates(QList<int> *documents)
{
    QList<SqlStatement> updates;
    for (const DocumentEntry &e : std::as_const(m_rows)) {
        if (!e.marked && !e.changed)
            continue;
        const int value = e.marked ? m_procId : 0;
        updates << SqlStatement{e.isMtoChange() ? reserveMtoSql : reserveBillSql,
                                {value, e.interId, e.entryId, m_procId}};
        documents->append(e.interId);
        if (!e.marked)
            continue;
        // inflows into the counted line were counted already: they lower the difference
        const double sign = e.inflow ? -1.0 : 1.0;
        m_baseTotal += sign * e.qty;
        m_secTotal += sign * e.secQty;
    }
    m_baseTotal = roundQuantity(m_baseTotal, 10);
    m_secTotal = roundQuantity(m_secTotal, 10);
    return updates;
}

bool SelectLogic::negativeStockRefused() const
{
    const int d = m_context.decimals;
    const double book = roundQuantity(m_context.accountQty, d);
    return book < 0 && roundQuantity(m_context.checkQty + m_baseTotal, d) < book;
}

// The reservations first, then the row: a row the writer refuses, a failing
// statement or an entry another count took meanwhile leave nothing behind.
bool SelectLogic::writeCalculation(const QList<SqlStatement> &updates, const QList<int> &documents)
{
    try {
        Transaction tx(m_connection);
        QList<int> affected;
        if (!m_connection.ExecuteBatch(updates, &affected))
            throw DbException(m_connection.lastError());
        for (int i = 0; i < affected.size(); ++i)
            if (affected.at(i) == 0) {
                m_refusal = FormatText("单据%1已被其他盘点方案选中，计算失败！", {documents.value(i)});
                return false;
            }
        QString reason;
        if (m_writer && !m_writer(m_baseTotal, m_secTotal, &reason)) {
            m_refusal = reason.isEmpty() ? LoadText("盘点记录未能保存，计算失败！")
                                         : FormatText("盘点记录未能保存，计算失败：%1", {reason});
            return false;
        }
        tx.commit();
        return true;
    } catch (const DbException &e) {
        m_refusal = FormatText("计算失败：%1", {e.error().message});
        return false;
    }
}

void SelectLogic::mnuVCalulate()
{
    m_calculated = false;
    m_baseTotal = m_secTotal = 0;
    m_refusal.clear();
    QList<int> documents;
    const QList<SqlStatement> updates = reservationUpdates(&documents);
    if (!updates.isEmpty()) {
        if (negativeStockRefused()) {
            m_refusal = LoadText("不允许账存数量为负且实存数量小于账存数量，计算失败！");
            message(m_refusal);
        } else if (writeCalculation(updates, documents)) {
            m_calculated = true;
            for (DocumentEntry &e : m_rows)
                e.changed = false;
        } else {
            message(m_refusal);
        }
    }
    emit stateChanged();
    emit CalFactQty();
}

void SelectLogic::mnuVToolBar()
{
    m_showToolBar = !m_showToolBar;
    emit stateChanged();
}

void SelectLogic::mnuVStatus()
{
    m_showStatus = !m_showStatus;
    if (m_showStatus)
        m_message = LoadText("就绪");
    emit stateChanged();
}

void SelectLogic::mnuVLabel()
{
    m_showLabels = !m_showLabels;
    emit stateChanged();
}

void SelectLogic::mnuHelp()
{
    if (HostUi *ui = shared().ui)
        ui->showHelp(QString::fromLatin1(HelpTopic));
}

QString SelectLogic::statusText(int panel) const
{
    if (panel == MessagePanel)
        return m_message;
    if (panel == ItemPanel)
        return FormatText("与物料%1相关的单据", {m_context.itemNumber});
    return {};
}

int SelectLogic::columnWidth(int col) const
{
    return col >= 1 && col <= Count ? m_widths[col] : 0;
}

void SelectLogic::setColumnWidth(int col, int twips)
{
    if (col >= 1 && col <= Count)
        m_widths[col] = twips;
}

void SelectLogic::saveSettings() const
{
    SettingsStore *s = store();
    if (!s)
        return;
    for (int col = 1; col <= Count; ++col)
        if (m_widths[col] > 0)
            s->setValue(QLatin1String(GridSection), QStringLiteral("Col%1").arg(col), m_widths[col]);
    const QString section = QLatin1String(SettingsSection);
    auto flag = [](bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); };
    s->setValue(section, QStringLiteral("bShowtoolbar"), flag(m_showToolBar));
    s->setValue(section, QStringLiteral("bShowToolBarLable"), flag(m_showLabels));
    s->setValue(section, QStringLiteral("bShowStatBar"), flag(m_showStatus));
}

void SelectLogic::message(const QString &text)
{
    if (HostUi *ui = shared().ui)
        ui->message(text, HostUi::Icon::Information);
}
