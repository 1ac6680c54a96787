#include "chkstockproclogic.h"

#include "icbackupinv.h"

#include "host/appconnection.h"
#include "host/hostui.h"
#include "host/openwindow.h"
#include "host/sharedstate.h"
#include "host/texts.h"
#include "model/maindo.h"

namespace {

const QString kNewCode = QStringLiteral("K010100");
const QString kDeleteCode = QStringLiteral("K010200");

const char *const kNoBackupRight = N_("没有备份账存数据的权限，请与系统管理员联系!");

} // namespace

const QList<ChkStockProcLogic::ToolInfo> &ChkStockProcLogic::tools()
{
    static const QList<ToolInfo> list = {
        {New, "New", N_("新建"), N_("新建盘点进程"), "Edit", true, false},
        {Open, "Open", N_("打开"), N_("打开当前盘点进程"), "Edit", true, false},
        {Save, "Save", N_("保存"), N_("保存修改后的备注"), "Edit", true, false},
        {Delete, "Delete", N_("删除"), N_("删除当前盘点进程"), "Edit", true, false},
        {Refresh, "Refresh", N_("刷新"), N_("刷新当前盘点进程列表"), "Edit", true, false},
        {Exit, "Exit", N_("退出"), N_("退出盘点处理"), "Edit", true, false},
        {WithStock, "WithStock", N_("分仓库创建"), "", "Option", false, true},
        {WithoutStock, "WithoutStock", N_("不分仓库创建"), "", "Option", false, true},
        {Help, "mnuHelp", N_("帮助目录"), "", "Help", false, false},
    };
    return list;
}

ChkStockProcLogic::ChkStockProcLogic(const QVariantMap &context, QObject *parent)
    : QObject(parent)
    , m_userId(context.value(QStringLiteral("UserID")).toInt())
{
    if (m_userId <= 0)
        m_userId = shared().operatorId;
    m_status = LoadText("选择已经存在的盘点方案或新建");
}

bool ChkStockProcLogic::load()
{
    Recordset list;
    ICBackupInv engine;
    if (!engine.GetProcList(true, true, nullptr, false, list)) {
        const AppConnection *conn = shared().connection;
        tell(LoadText("读取盘点方案失败。"), conn ? conn->lastError().detailed() : QString(), HostUi::Icon::Critical);
        return false;
    }
    const int keep = m_model.process(m_current) ? m_model.process(m_current)->id : 0;
    m_model.load(list);
    m_current = m_model.processes().isEmpty() ? -1 : 0;
    for (int row = 0; row < m_model.processes().size(); ++row)
        if (m_model.processes().at(row).id == keep)
            m_current = row;
    return true;
}

bool ChkStockProcLogic::isTicked(Tool tool) const
{
    return tool == WithStock ? m_withStock : tool == WithoutStock ? m_withoutStock : false;
}

bool ChkStockProcLogic::toolClick(int id)
{
    switch (id) {
    case WithStock:
    case WithoutStock:
        if (allowed(GLData::Right::BackupStock, kNoBackupRight))
            toggle(Tool(id));
        return false;
    case Help:
        if (HostUi *ui = shared().ui)
            ui->showHelp(helpTopic());
        return false;
    case Exit:
        return exit();
    case Refresh:
        load();
        return false;
    case New:
        newCount();
        return false;
    case Open:
        openProcess();
        return false;
    case Save:
        save();
        return false;
    case Delete:
        deleteCurrent();
        return false;
    }
    return false;
}

void ChkStockProcLogic::toggle(Tool tool)
{
    bool &pressed = tool == WithStock ? m_withStock : m_withoutStock;
    pressed = !pressed;
    if (pressed)
        (tool == WithStock ? m_withoutStock : m_withStock) = false;
    emit ticksChanged();
}

void ChkStockProcLogic::newCount()
{
    // a count is a snapshot: the right to take one is asked here too
    if (!allowed(GLData::Right::BackupStock, kNoBackupRight))
        return;
    writeLog(kNewCode, "新增盘点开始");
    m_created.clear();
    if (!m_withStock && !m_withoutStock)
        OpenWindow(QStringLiteral("frmBackupInv"));
    else
        CycleCount::run(m_withStock, m_userId, &m_created);
    load();
    writeLog(kNewCode, "退出新增盘点");
}

void ChkStockProcLogic::openProcess()
{
    if (!allowed(GLData::Right::ViewCountReport, N_("没有查看盘点报告单的权限，请与系统管理员联系!")))
        return;
    const ProcListModel::Process *p = m_model.process(m_current);
    if (!p)
        return;
    SharedState &s = shared();
    s.operatorId = m_userId;
    s.currentProcess = p->id; // the sheet opens on this process
    MainDo sheet;
    sheet.Show(1, 0);
}

bool ChkStockProcLogic::save()
{
    if (!allowed(GLData::Right::ChangeCountPlan, N_("没有更改盘点方案的权限，请与系统管理员联系!")))
        return false;
    return saveEdits();
}

bool ChkStockProcLogic::saveEdits()
{
    const QString duplicate = m_model.duplicateName();
    if (!duplicate.isEmpty()) {
        tell(FormatText("盘点方案[%1]重复，请修改后保存!", {duplicate}));
        return false;
    }
    if (!m_model.hasPendingEdits())
        return true;
    AppConnection *conn = shared().connection;
    if (!conn)
        return false;
    ICBackupInv engine;
    DbError error;
    try {
        Transaction tx(*conn); // every edit, or none
        for (const QVariantMap &edit : m_model.pendingEdits()) {
            if (!engine.SaveProc(edit)) {
                error = engine.lastError();
                break;
            }
        }
        if (!error.isError())
            tx.commit();
    } catch (const DbException &e) {
        error = e.error();
    }
    if (error.isError()) {
        tell(LoadText("保存盘点方案失败。"), error.detailed(), HostUi::Icon::Critical);
        return false;
    }
    m_model.clearPendingEdits();
    return true;
}

bool ChkStockProcLogic::deleteCurrent()
{
    if (!allowed(GLData::Right::DeleteCountPlan, N_("没有删除盘点方案的权限，请与系统管理员联系!")))
        return false;
    const ProcListModel::Process *p = m_model.process(m_current);
    if (!p)
        return false;
    const int id = p->id;
    writeLog(kDeleteCode, "删除盘点开始");
    if (p->status == 1) {
        tell(LoadText("该盘点方案生成的盘盈(亏)单已经审核，不允许删除!"));
        return false;
    }
    ICBackupInv engine;
    const auto refuseWithBills = [&](const QString &bills) {
        tell(LoadText("该盘点方案已经生成下列盘盈(亏)单,不能删除!") + QLatin1Char('\n') + bills);
    };
    QString bills = engine.GetStockBillByProcID(id);
    if (engine.lastError().isError()) {
        tell(LoadText("删除盘点方案失败。"), engine.lastError().detailed(), HostUi::Icon::Critical);
        return false;
    }
    if (!bills.isEmpty()) {
        refuseWithBills(bills);
        return false;
    }
    HostUi *ui = shared().ui;
    if (!ui || ui->question(FormatText("您确信要删除第[%1]号方案吗?", {id})) != HostUi::Answer::Yes)
        return false;
    if (!engine.DelProcAndBackupData(id)) {
        if (engine.lastError().isError())
            tell(LoadText("删除盘点方案失败。"), engine.lastError().detailed(), HostUi::Icon::Critical);
        else // documents were made meanwhile
            refuseWithBills(engine.GetStockBillByProcID(id));
        return false;
    }
    tell(FormatText("您指定的第[%1]号方案已经顺利删除!", {id}));
    load();
    writeLog(kDeleteCode, "退出删除盘点");
    return true;
}

bool ChkStockProcLogic::exit()
{
    if (m_model.hasPendingEdits()) {
        HostUi *ui = shared().ui;
        const HostUi::Answer answer =
            ui ? ui->question(LoadText("你修改了某些进程的信息，要保存修改吗？"), true) : HostUi::Answer::Cancel;
        if (answer == HostUi::Answer::Cancel)
            return false;
        if (answer == HostUi::Answer::Yes && !save())
            return false;
        if (answer == HostUi::Answer::No)
            m_model.clearPendingEdits();
    }
    return true;
}

bool ChkStockProcLogic::allowed(GLData::Right right, const char *refusal, HostUi::Icon icon)
{
    GLData *rights = shared().components.glData.get();
    AppConnection *conn = shared().connection;
    if (rights && conn) {
        try {
            if (rights->AccessCheck(*conn, m_userId, right))
                return true;
        } catch (const DbException &e) {
            tell(LoadText("不能读取用户的权限。"), e.error().detailed(), HostUi::Icon::Critical);
            return false;
        }
    }
    tell(LoadText(refusal), {}, icon);
    return false;
}

void ChkStockProcLogic::writeLog(const QString &code, const char *text)
{
    GLData *log = shared().components.glData.get();
    AppConnection *conn = shared().connection;
    if (!log || !conn)
        return;
    try {
        log->WriteLog(*conn, m_userId, code, QString::fromUtf8(text));
    } catch (const DbException &e) {
        // the log line never changes what the person asked for
        qWarning("business log: %s", qPrintable(e.error().message));
    }
}

void ChkStockProcLogic::tell(const QString &text, const QString &details, HostUi::Icon icon)
{
    if (HostUi *ui = shared().ui)
        ui->message(text, icon, details);
}
