#include "countsheet.h"

#include "host/appconnection.h"
#include "host/countparams.h"
#include "host/hostui.h"
#include "host/logging.h"
#include "host/loginprops.h"
#include "host/openwindow.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"
#include "model/countjournal.h"
#include "model/countprocesses.h"
#include "model/handheldactivity.h"

#include <QDateTime>

namespace {

const QString checkedRows = QStringLiteral(" AND t1.FQtyAct IS NOT NULL AND (t1.FQty <> 0 OR t1.FQtyAct <> 0)");
const QString bookRows = QStringLiteral(" AND t1.FQty IS NOT NULL AND t1.FQty <> 0");

// Commands that need a process to work on.
const char *const kEditingCommands[] = {"mnuAddItem", "mnuSubItem", "mnuFileOut", "mnuFileIn", "mnuRecount"};

using Handler = void (CountSheet::*)();
const QHash<QString, Handler> &handlers()
{
    static const QHash<QString, Handler> h = {
        {QStringLiteral("mnufexit"), &CountSheet::mnuFExit},
        {QStringLiteral("mnuvselectdata_all"), &CountSheet::mnuVSelectData_All},
        {QStringLiteral("mnuvselectdata_checked"), &CountSheet::mnuVSelectData_Checked},
        {QStringLiteral("mnuview_refresh"), &CountSheet::mnuView_Refresh},
        {QStringLiteral("mnuviewshowdeleted"), &CountSheet::mnuViewShowDeleted},
        {QStringLiteral("mnushowcloseproc"), &CountSheet::mnuShowCloseProc},
        {QStringLiteral("mnutoolbar"), &CountSheet::mnuToolBar},
        {QStringLiteral("mnustatusbar"), &CountSheet::mnuStatusBar},
        {QStringLiteral("mnuviewlable"), &CountSheet::mnuViewLable},
        {QStringLiteral("mnualertsame"), &CountSheet::mnuAlertSame},
        {QStringLiteral("mnuscanadd"), &CountSheet::mnuScanAdd},
        {QStringLiteral("mnuundoscan"), &CountSheet::mnuUndoScan},
        {QStringLiteral("mnuformatresetcolwidth"), &CountSheet::mnuFormatResetColWidth},
        {QStringLiteral("mnuhcontents"), &CountSheet::mnuHContents},
        {QStringLiteral("mnufoutbill"), &CountSheet::mnuFOutBill},
        {QStringLiteral("mnufoutlossbill"), &CountSheet::mnuFOutLossBill},
        {QStringLiteral("mnufsave"), &CountSheet::mnuFSave},
        {QStringLiteral("mnusubitem"), &CountSheet::mnuSubItem},
        {QStringLiteral("mnuvselectbill"), &CountSheet::mnuVSelectBill},
        {QStringLiteral("mnuvhistory"), &CountSheet::mnuVHistory},
        {QStringLiteral("mnuadditem"), &CountSheet::mnuAddItem},
        {QStringLiteral("mnufileout"), &CountSheet::mnuFileOut},
        {QStringLiteral("mnuedit_filter"), &CountSheet::mnuEdit_Filter},
        {QStringLiteral("mnuedit_sort"), &CountSheet::mnuEdit_Sort},
        {QStringLiteral("mnuedit_find"), &CountSheet::mnuEdit_Find},
        {QStringLiteral("mnufilein"), &CountSheet::mnuFileIn},
        {QStringLiteral("mnurecount"), &CountSheet::mnuRecount},
        {QStringLiteral("mnufprint"), &CountSheet::mnuFPrint},
        {QStringLiteral("mnufprintpreview"), &CountSheet::mnuFPrintPreview},
        {QStringLiteral("mnufprintsetup"), &CountSheet::mnuFPrintSetup}};
    return h;
}

QString attributeKey(int processId, const char *suffix)
{
    return QString::number(processId) + QLatin1String(suffix);
}

} // namespace

CountSheet::CountSheet(SheetMode mode, QObject *parent)
    : QObject(parent)
    , m_mode(mode)
{
    shared().showType = mode;
    m_model.setMode(mode); // a modeless entry window stays in its mode when another opens
    m_settings.load();
    m_model.Ldg(&m_ledger);
    m_model.ShowDelete(m_settings.showDeleted);
    m_disabled.insert(QStringLiteral("mnuVSelectBill")); // until a row with an item is active
}

CountSheet::~CountSheet() = default;

QString CountSheet::caption() const
{
    switch (m_mode) {
    case SheetMode::Check:
        return LoadText("物料盘点报告单");
    case SheetMode::PrintBook:
        return LoadText("打印物料盘点表");
    case SheetMode::Entry:
        break;
    }
    return LoadText("录入盘点数据");
}

QString CountSheet::title() const
{
    return title(m_mode);
}

QString CountSheet::title(SheetMode mode)
{
    return mode == SheetMode::Check ? LoadText("物料盘点报告单") : LoadText("物料盘点表");
}

LedgerPrintLines CountSheet::printLines() const
{
    const QString process =
        m_currentIndex >= 0 && m_currentIndex < m_processes.size() ? m_processes.at(m_currentIndex).name : QString();
    return LedgerPrintLines::forSheet(title(), process, m_checkDate, ledgerPrintOperatorName(shared().operatorId));
}

void CountSheet::open()
{
    readParameters();
    applyLayout();
    loadSearchTargets();
    setStatus(TimePanel, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    if (m_settings.showStatusBar)
        setStatus(MessagePanel, LoadText("就绪"));
    ListStock();
}

void CountSheet::readParameters()
{
    try {
        GetConnection(); // full or short numbers
    } catch (const DbException &) {
        // the default numbering stays; the row query reports a broken connection
    }
    m_complexQty = GetComplexQtyFlag();
    bool alert = false;
    if (GetAlertSameRecord(&alert))
        m_alertSame = alert;
}

// Columns from the definitions of the mode, then the widths the person left.
void CountSheet::applyLayout()
{
    m_model.ResizeColWidth();
    if (m_mode == SheetMode::Entry) {
        const QList<SheetColumn> &layout = m_model.columnLayout();
        for (int col = 1; col <= EntryCol::Count; ++col) {
            const int defined = col <= layout.size() ? layout.at(col - 1).width : 1000;
            m_entryWidths[size_t(col)] = SheetSettings::entryWidth(col).value_or(defined);
        }
    } else {
        for (int col = 1; col <= m_ledger.columnCount(); ++col)
            if (const auto width = SheetSettings::ledgerWidth(m_mode, col))
                m_ledger.column(col).width = *width;
    }
    emit layoutChanged();
}

bool CountSheet::isEnabled(const SheetCommand &c) const
{
    if (!c.available)
        return false;
    // as the rows were read: a blind counter is not offered the rows with book stock
    if (m_mode == SheetMode::PrintBook && m_model.hidesBookFigures() &&
        QLatin1String(c.menu) == QLatin1String("mnuVSelectData_Checked"))
        return false;
    return !m_disabled.contains(QLatin1String(c.menu));
}

bool CountSheet::isChecked(const SheetCommand &c) const
{
    const QLatin1String name(c.menu);
    if (name == QLatin1String("mnuVSelectData_All"))
        return m_view == DataView::All;
    if (name == QLatin1String("mnuVSelectData_Checked"))
        return m_view == DataView::Checked;
    if (name == QLatin1String("mnuToolBar"))
        return m_settings.showToolBar;
    if (name == QLatin1String("mnuStatusBar"))
        return m_settings.showStatusBar;
    if (name == QLatin1String("mnuViewLable"))
        return m_settings.showToolLabels;
    if (name == QLatin1String("mnuViewShowDeleted"))
        return m_settings.showDeleted;
    if (name == QLatin1String("mnuShowCloseProc"))
        return m_settings.showClosedProcesses;
    if (name == QLatin1String("mnuAlertSame"))
        return m_alertSame;
    if (name == QLatin1String("mnuScanAdd"))
        return m_scanAdd;
    return false;
}

bool CountSheet::run(const QString &name)
{
    const SheetCommand *c = sheetcommands::find(name);
    if (!c || !isEnabled(*c))
        return false;
    const Handler h = handlers().value(QString::fromLatin1(c->menu).toLower());
    if (!h)
        return false;
    (this->*h)();
    return true;
}

void CountSheet::ListStock()
{
    LogBracket log(QStringLiteral("N5StockCheck.frmMain.ListStock"));
    // a new sheet opens on the process another window chose (the process list),
    // else on the one shown last
    const int keep = currentProcess() > 0          ? currentProcess()
                     : shared().currentProcess > 0 ? shared().currentProcess
                                                   : m_settings.stockId;
    Recordset rs;
    if (AppConnection *conn = shared().connection)
        CountProcesses(*conn).GetProcList(m_settings.showClosedProcesses, false, nullptr, false, rs);
    m_processes.clear();
    m_currentIndex = -1;
    const bool empty = !rs.isOpen() || rs.isEmpty();
    for (const char *name : kEditingCommands) {
        if (empty)
            m_disabled.insert(QLatin1String(name));
        else
            m_disabled.remove(QLatin1String(name));
    }
    int index = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const int id = rs.integer(u"FID");
        if (id == keep)
            index = int(m_processes.size());
        m_processes << Process{id, rs.text(u"FProcessID")};
        m_attributes.insert(attributeKey(id, "|CuteDate"), rs.Fields(u"FDate"));
        m_attributes.insert(attributeKey(id, "|BackupType"), rs.Fields(u"FBackupType"));
        m_attributes.insert(attributeKey(id, "|MaxInterID"), rs.Fields(u"FMaxBillInterID"));
        m_attributes.insert(attributeKey(id, "|MaxMTOChangeID"), rs.Fields(u"FMaxMTOChangeID"));
    }
    emit processesChanged();
    if (empty) {
        shared().currentProcess = 0;
        clearRows();
        emit stateChanged();
    } else {
        selectProcess(index, true);
    }
    log.end();
}

int CountSheet::currentProcess() const
{
    return m_currentIndex >= 0 && m_currentIndex < m_processes.size() ? m_processes.at(m_currentIndex).id : 0;
}

void CountSheet::chooseProcess(int index)
{
    selectProcess(index, false);
}

void CountSheet::selectProcess(int index, bool initial)
{
    if (index < 0 || index >= m_processes.size())
        return;
    if (!saveBeforeReload()) {
        emit processesChanged(); // the selector shows the process whose edits are kept
        return;
    }
    const int id = m_processes.at(index).id;
    ensureBackupType(id);
    // the entry operation has asked for the filter before the window opened
    SharedState &s = shared();
    if (!initial && s.showFilterBeforeCheck && s.components.windows.has(QStringLiteral("frmFilter"))) {
        s.filterCancelled = false;
        OpenWindow(QStringLiteral("frmFilter"), {{QLatin1String(MainDo::ArgShowType), modeNumber(m_mode)}});
    }
    m_currentIndex = index;
    s.currentProcess = id;
    m_settings.stockId = id;
    emit processesChanged();
    loadRows();
}

// A process made without a backup type gets one before its rows are used; when the
// person cancels, the process is shown all the same and asked again next time.
void CountSheet::ensureBackupType(int processId)
{
    if (processAttribute(processId, "|BackupType").toInt() != 0)
        return;
    if (!shared().components.windows.has(QStringLiteral("FrmBackupType")))
        return;
    QVariantMap answer;
    OpenWindow(QStringLiteral("FrmBackupType"), {{QStringLiteral("ProcessID"), processId}}, &answer);
    const int type = answer.value(QStringLiteral("BackupType")).toInt();
    if (!answer.value(QStringLiteral("Cancelled"), true).toBool() && (type == 1 || type == 2))
        SetBackupType(processId, type, m_attributes);
}

QVariant CountSheet::processAttribute(int processId, const char *suffix) const
{
    return m_attributes.value(attributeKey(processId, suffix));
}

SqlFragment CountSheet::viewCondition(SheetMode mode, DataView view)
{
    if (view == DataView::All)
        return {};
    return SqlFragment(mode == SheetMode::PrintBook ? bookRows : checkedRows);
}

void CountSheet::loadRows()
{
    const int id = currentProcess();
    if (id <= 0) {
        clearRows();
        return;
    }
    HostUi *ui = shared().ui;
    emit rowsAboutToReset();
    m_session.loading = true;
    if (ui)
        ui->setBusy(true);
    // read before the rows: an entry made while they load counts as made after
    m_session.journalMark = -1;
    m_session.rowsSeen.clear();
    if (m_mode == SheetMode::Entry && shared().connection) {
        try {
            m_session.journalMark = CountJournal::mark(*shared().connection);
        } catch (const DbException &) {
        }
    }
    if (m_view == DataView::Checked && bookViewRefused()) { // blind counting switched on meanwhile
        m_view = DataView::All;
        emit stateChanged();
    }
    const bool itemsWithoutStock = m_mode == SheetMode::PrintBook && m_view == DataView::All;
    const Recordset rows = m_model.GetRsMain(id, viewCondition(), itemsWithoutStock, shared().filterSettings);
    if (m_model.accessFailed())
        showMessage(LoadText("不能读取用户的数据权限。"),
                    shared().connection ? shared().connection->lastError().detailed() : QString());
    else if (!rows.isOpen() && shared().connection)
        showMessage(LoadText("读取盘点数据失败。"), shared().connection->lastError().detailed());
    const int count = rows.RecordCount();
    if (count > SlowRowCount && m_warnedProcess != id) {
        m_warnedProcess = id;
        showMessage(LoadText("方案数据已超过一万条，数据操作可能比较慢"));
    }
    updateCheckDate(id);
    setStatus(MessagePanel, count == 0 ? LoadText("仓库中共有 0 条记录") : FormatText("仓库中共有%1条记录", {count}));
    if (m_mode == SheetMode::Entry) {
        m_model.InputFillRow(m_entry);
    } else {
        m_ledger.setMaxRows(count + (m_mode == SheetMode::Check ? 3 : 2));
        m_model.GetSumData();
        if (m_mode == SheetMode::Check && count > 0) {
            m_disabled.remove(QStringLiteral("mnuFOutBill"));
            m_disabled.remove(QStringLiteral("mnuFOutLossBill"));
        }
    }
    // edits of rows that are gone cannot be saved any more; the loaded rows' own
    // filter and sort went with them
    m_session.dataChanged = false;
    m_rowFilter.clear();
    m_lastFound = -1;
    m_rowsSaved = false;
    m_session.resetCursor();
    m_activeRow = m_activeCol = 0;
    m_session.loading = false;
    setSelectBillEnabled(false);
    if (ui)
        ui->setBusy(false);
    emit rowsReset();
    emit stateChanged();
}

void CountSheet::clearRows()
{
    emit rowsAboutToReset();
    m_model.setRows(Recordset());
    m_model.GetSumData();
    m_entry.clear();
    m_ledger.setMaxRows(0);
    m_checkDate.clear();
    m_handheldText.clear();
    m_session.dataChanged = false;
    m_session.resetCursor();
    m_activeRow = m_activeCol = 0;
    setSelectBillEnabled(false);
    emit rowsReset();
}

void CountSheet::updateCheckDate(int processId)
{
    m_checkDate = checkDateText(processAttribute(processId, "|CuteDate"), m_model.rows());
    const int counters = shared().connection ? handheldCounters(*shared().connection, processId) : 0;
    m_handheldText = counters > 0 ? FormatText("手持终端盘点中：%1 人", {counters}) : QString();
}

QString CountSheet::checkDateText(const QVariant &processDate, const Recordset &rows)
{
    QDateTime date = Recordset::toDateTime(processDate);
    if (!date.isValid() && !rows.isEmpty())
        date = Recordset::toDateTime(rows.value(0, u"FDateBackup"));
    return LoadText("账存日期:") + (date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QString());
}

bool CountSheet::isEntryColumnHidden(int col) const
{
    return isEntryColumnHidden(col, m_complexQty, hidesBookFigures());
}

bool CountSheet::isEntryColumnHidden(int col, bool complexQty, bool blind)
{
    if (EntryGrid::isAlwaysHidden(col) || (blind && EntryGrid::isBookColumn(col)))
        return true;
    if (col == EntryCol::MtoNo)
        return shared().enableMtoPlanMode == 0;
    if (col == EntryCol::ComplexQty)
        return !complexQty;
    return false;
}

int CountSheet::entryColumnWidth(int col) const
{
    return col >= 1 && col <= EntryCol::Count ? m_entryWidths[size_t(col)] : 0;
}

void CountSheet::setEntryColumnWidth(int col, int twips)
{
    if (col >= 1 && col <= EntryCol::Count && twips > 0)
        m_entryWidths[size_t(col)] = twips;
}

QString CountSheet::statusText(int panel) const
{
    return panel >= 1 && panel <= 3 ? m_status[size_t(panel)] : QString();
}

void CountSheet::setStatus(int panel, const QString &text, bool alert)
{
    m_status[size_t(panel)] = text;
    if (panel == MessagePanel)
        m_statusAlert = alert;
    emit statusChanged();
}

void CountSheet::showMessage(const QString &text, const QString &details)
{
    if (HostUi *ui = shared().ui)
        ui->message(text, HostUi::Icon::Information, details);
}

// The count book's view of the rows with book stock tells a blind counter which
// rows the books hold: it is not offered.
bool CountSheet::bookViewRefused() const
{
    AppConnection *conn = shared().connection;
    return m_mode == SheetMode::PrintBook && conn && countparams::hidesBookFigures(*conn, GetUserId());
}

void CountSheet::setView(DataView view)
{
    if (m_view == view)
        return;
    if (view == DataView::Checked && bookViewRefused()) {
        showMessage(LoadText("盲盘时不能查看账存数据。"));
        return;
    }
    m_view = view;
    emit stateChanged();
    loadRows();
}

void CountSheet::mnuFExit()
{
    emit closeRequested();
}

void CountSheet::mnuVSelectData_All()
{
    setView(DataView::All);
}

void CountSheet::mnuVSelectData_Checked()
{
    setView(DataView::Checked);
}

void CountSheet::mnuView_Refresh()
{
    if (saveBeforeReload())
        loadRows();
}

void CountSheet::mnuViewShowDeleted()
{
    if (!saveBeforeReload()) {
        emit stateChanged(); // the check mark stays as it was
        return;
    }
    m_settings.showDeleted = !m_settings.showDeleted;
    m_model.ShowDelete(m_settings.showDeleted);
    emit stateChanged();
    loadRows();
}

void CountSheet::mnuShowCloseProc()
{
    m_settings.showClosedProcesses = !m_settings.showClosedProcesses;
    SheetSettings::saveShowClosedProcesses(m_settings.showClosedProcesses);
    emit stateChanged();
    ListStock();
}

void CountSheet::mnuToolBar()
{
    m_settings.showToolBar = !m_settings.showToolBar;
    emit stateChanged();
}

void CountSheet::mnuStatusBar()
{
    m_settings.showStatusBar = !m_settings.showStatusBar;
    if (m_settings.showStatusBar)
        setStatus(MessagePanel, LoadText("就绪"));
    emit stateChanged();
}

void CountSheet::mnuViewLable()
{
    m_settings.showToolLabels = !m_settings.showToolLabels;
    emit stateChanged();
}

void CountSheet::mnuAlertSame()
{
    SetAlertSameRecord(!m_alertSame);
    bool stored = m_alertSame;
    if (GetAlertSameRecord(&stored))
        m_alertSame = stored;
    emit stateChanged();
}

// The widths of the definitions, forgetting what the person dragged.
void CountSheet::mnuFormatResetColWidth()
{
    m_model.ResizeColWidth();
    const QList<SheetColumn> &layout = m_model.columnLayout();
    if (m_mode == SheetMode::Entry)
        for (int col = 1; col <= EntryCol::Count && col <= layout.size(); ++col)
            m_entryWidths[size_t(col)] = layout.at(col - 1).width;
    emit layoutChanged();
}

void CountSheet::mnuHContents()
{
    if (HostUi *ui = shared().ui)
        ui->showHelp(QLatin1String(HelpTopic));
}

QString CountSheet::withoutQuotes(const QString &text)
{
    QString s = text;
    s.remove(QLatin1Char('\''));
    s.remove(QLatin1Char('"'));
    return s;
}

bool CountSheet::unload()
{
    // A failed save keeps the window open with the edits, except when the
    // self-closing test run closes it.
    if (!saveBeforeReload() && !closesItself())
        return false;
    if (m_mode != SheetMode::Entry)
        m_model.SaveColWidth();
    m_unloaded = true; // a save still queued by a focus change must not follow a No
    if (m_mode == SheetMode::Entry) {
        for (int col = 1; col <= EntryCol::Count; ++col)
            SheetSettings::setEntryWidth(col, m_entryWidths[size_t(col)]);
    } else {
        for (int col = 1; col <= m_ledger.columnCount(); ++col)
            SheetSettings::setLedgerWidth(m_mode, col, m_ledger.column(col).width);
    }
    m_settings.save();
    if (shared().currentProcess == currentProcess()) // another window may have chosen its own since
        shared().currentProcess = 0;
    return true;
}

bool CountSheet::closesItself() const
{
    return shared().isTest;
}
