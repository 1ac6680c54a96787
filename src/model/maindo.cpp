#include "maindo.h"

#include "recount.h"
#include "sheetquery.h"

#include "host/appconnection.h"
#include "host/countparams.h"
#include "host/hostui.h"
#include "host/loginprops.h"
#include "host/openwindow.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"

#include <cmath>

namespace {

const QString backupStocksSql = QStringLiteral(
    R"(SELECT DISTINCT t1.FName, t1.FItemID, t1.FNumber
         FROM t_Stock t1 INNER JOIN ICInvBackup t2 ON t1.FItemID = t2.FStockID
        ORDER BY t1.FNumber)");

const QString saveWidthSql = QStringLiteral("UPDATE ICChatBillTitle SET FColWidth = ? WHERE FInterID = ?");

const QString settingsFile = QStringLiteral("StockCheck.ini");

const char *const missingTemplate = N_("该单据的模版丢失，请更新ICChatBillTitle:SQL");

QString captionColumn()
{
    return LocalizedColumn(QStringLiteral("FColCaption"));
}

// The access fragments of the row query: stocks and items the user may see. A
// host without the access component restricts nothing (as the snapshot); rules
// that cannot be read give false.
bool rowAccess(const QList<DataAccessSetting> &settings, SqlFragment *from, SqlFragment *where)
{
    if (!shared().components.dataAccess)
        return true;
    return GetDataAccessSQL(GetPropsString(), GetUserId(), {QStringLiteral("t_Stock"), QStringLiteral("t_ICItem")},
                            settings, from, where, true);
}

} // namespace

MainDo::MainDo()
{
    if (SettingsStore *settings = shared().components.settings.get())
        settings->setFileName(settingsFile);
    ParseProps(GetPropsString());
    shared().enableMtoPlanMode = ReadEnableMtoPlanMode();
}

MainDo::~MainDo() = default;

SheetMode MainDo::mode() const
{
    return m_mode.value_or(shared().showType);
}

bool MainDo::GetHeadString(int mode, HeadStrings &lists) const
{
    lists = HeadStrings();
    AppConnection *conn = shared().connection;
    if (!conn)
        return false;
    Recordset rs = conn->Execute(sheetquery::headColumns(captionColumn()), {mode});
    if (!rs.isOpen())
        return false;
    if (shared().enableMtoPlanMode == 0)
        rs.setFilter(QStringLiteral("FColName <> 'FMTONo'"));
    // a blind counter is not offered the books to filter or sort by (they are NULL anyway)
    const bool blind = (mode == int(SheetMode::PrintBook) || mode == int(SheetMode::Entry)) &&
                       countparams::hidesBookFigures(*conn, GetUserId());
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        if (blind && sheetquery::bookFields().contains(rs.text(u"FColName"), Qt::CaseInsensitive))
            continue;
        const QString caption = rs.text(u"FColCaption").trimmed();
        const QString name = caption.isEmpty() ? caption : caption.chopped(1);
        const QString target = rs.text(u"FColName") + QLatin1Char('|') + rs.text(u"FItemClassID") + QLatin1Char('|') +
                               rs.text(u"FColType");
        if (rs.integer(u"FVisForQuest") == 1) {
            lists.filterString += QLatin1Char('\t') + name;
            lists.filterColumns.insert(name, target);
            lists.filterOrder << name;
        }
        if (rs.integer(u"FVisForOrder") != 0) {
            lists.sortString += QLatin1Char('\t') + name;
            lists.sortColumns.insert(name, target);
            lists.sortOrder << name;
        }
    }
    return true;
}

void MainDo::Show(int mode, int option)
{
    SharedState &s = shared();
    if (s.showFilterBeforeCheck) {
        // the dialog says whether it was cancelled; a stale answer must not count
        s.filterCancelled = false;
        if (!OpenWindow(QStringLiteral("frmFilter"), {{ArgShowType, mode}, {ArgOption, option}}))
            return;
        if (s.filterCancelled)
            return;
    } else {
        s.filterSettings.clear();
    }

    const Recordset stocks = GetBackupStockList();
    if (!stocks.isOpen() || stocks.isEmpty()) {
        if (s.ui) {
            const QString details = s.connection ? s.connection->lastError().detailed() : QString();
            s.ui->message(LoadText("仓库数据还未备份,请备份仓库数据!"), HostUi::Icon::Information,
                          stocks.isOpen() ? QString() : details);
        }
        return;
    }

    const std::optional<SheetMode> sheetMode = sheetModeOf(mode);
    if (!sheetMode)
        return;
    s.showType = *sheetMode;
    OpenWindow(QStringLiteral("frmMain"), {{ArgShowType, mode}, {ArgModal, *sheetMode != SheetMode::Entry}});
}

Recordset MainDo::GetBackupStockList() const
{
    AppConnection *conn = shared().connection;
    if (!conn)
        return {};
    return conn->Execute(backupStocksSql);
}

Recordset MainDo::GetRSHeader() const
{
    AppConnection *conn = shared().connection;
    if (!conn)
        return {};
    return conn->Execute(sheetquery::columnDefinitions(captionColumn()), {modeNumber(mode())});
}

void MainDo::setRows(const Recordset &rows)
{
    m_rows = rows;
    m_layoutFields.clear();
}

bool MainDo::loadColumnLayout()
{
    m_layout.clear();
    m_layoutFields.clear();
    Recordset rs = GetRSHeader();
    if (!rs.isOpen() || rs.isEmpty())
        return false;
    const bool shortNumbers = !shared().useFullNumber;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        SheetColumn c;
        c.field = rs.text(u"FColName");
        if (shortNumbers && c.field.toUpper() == QLatin1String("FNUMBER"))
            c.field = QStringLiteral("FShortNumber");
        c.caption = rs.text(u"FColCaption");
        c.type = rs.integer(u"FColType");
        c.width = rs.integer(u"FColWidth");
        c.visible = rs.integer(u"FVisible") != 0;
        m_layout << c;
    }
    return true;
}

void MainDo::ResizeColWidth()
{
    if (!loadColumnLayout()) {
        SharedState &s = shared();
        if (s.ui) {
            const QString details = s.connection && s.connection->lastError().isError()
                                        ? s.connection->lastError().detailed()
                                        : QStringLiteral("FTypeID = %1").arg(modeNumber(mode()));
            s.ui->message(LoadText(missingTemplate) + sheetquery::columnDefinitions(captionColumn()),
                          HostUi::Icon::Critical, details);
        }
        return;
    }
    if (!m_ldg)
        return;
    m_ldg->setColumnCount(int(m_layout.size()));
    for (int i = 1; i <= m_ldg->columnCount(); ++i) {
        const SheetColumn &c = m_layout.at(i - 1);
        LedgerGrid::Column &g = m_ldg->column(i);
        g.width = c.width;
        g.hidden = !c.visible;
        g.numeric = c.type == 2;
    }
}

void MainDo::SaveColWidth()
{
    AppConnection *conn = shared().connection;
    if (!conn || !m_ldg)
        return;
    Recordset rs = GetRSHeader();
    if (!rs.isOpen())
        return;
    int col = 1;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext(), ++col) {
        if (!m_ldg->hasColumn(col))
            return;
        const int width = int(std::lround(double(m_ldg->column(col).width)));
        if (width == rs.integer(u"FColWidth"))
            continue;
        if (!conn->Exec(saveWidthSql, {width, rs.Fields(u"FInterID")}))
            return;
    }
}

// The first counts of all recounted rows come from one read of their journals.
void MainDo::fillFirstCounts(AppConnection &conn, int processId)
{
    const int flag = m_rows.fieldIndex(u"FReCheckFlag"), first = m_rows.fieldIndex(u"FFirstCheckQty");
    if (flag < 0 || first < 0)
        return;
    std::optional<QHash<QString, double>> counts;
    for (int r = 0; r < m_rows.RecordCount(); ++r) {
        if (Recordset::toNumber(m_rows.value(r, flag)) != 1)
            continue;
        if (!counts) {
            try {
                counts = Recount::firstCounts(conn, processId);
            } catch (const DbException &) {
                return; // the column stays empty rather than the sheet failing
            }
        }
        const auto field = [&](const char *name) {
            return m_rows.value(r, m_rows.fieldIndex(QString::fromLatin1(name)));
        };
        const CountRowKey key{processId,
                              field("FItemID").toInt(),
                              field("FAuxPropID").toInt(),
                              field("FUnitID").toInt(),
                              field("FBatchNo").toString(),
                              field("FMtoNo").toString(),
                              field("FKFDate").toString(),
                              field("FKFPeriod").toInt(),
                              field("FStockID").toInt(),
                              field("FStockPlaceID").toInt()};
        const auto count = counts->constFind(Recount::keyText(key));
        if (count != counts->constEnd())
            m_rows.setValue(r, first, *count);
    }
}

Recordset MainDo::GetRsMain(int processId, const SqlFragment &extraCondition, bool includeItemsWithoutStock,
                            const FilterSettings &filterSettings)
{
    setRows(Recordset());
    m_accessFailed = false;
    AppConnection *conn = shared().connection;
    if (!conn)
        return m_rows;
    sheetquery::RowQuery q;
    q.mode = mode();
    q.processId = processId;
    q.extraCondition = extraCondition;
    q.showDeleted = m_showDelete;
    q.includeItemsWithoutStock = includeItemsWithoutStock;
    q.filter = filterSettings.filter;
    q.sortBy = filterSettings.sortBy;
    const auto setting = [](const char *table, const char *as, const char *billAs, const char *billCol) {
        return DataAccessSetting{QString::fromLatin1(table), QString::fromLatin1(as), QStringLiteral("FItemID"),
                                 QString::fromLatin1(billAs), QString::fromLatin1(billCol)};
    };
    m_accessFailed =
        !rowAccess({setting("t_Stock", "te", "t1", "FStockID"), setting("t_ICItem", "te2", "t1", "FItemID")},
                   &q.accessFrom, &q.accessWhere) ||
        (includeItemsWithoutStock &&
         !rowAccess({setting("t_Stock", "te", "s", "FStockID"), setting("t_ICItem", "te2", "t2", "FItemID")},
                    &q.itemAccessFrom, &q.itemAccessWhere));
    if (m_accessFailed)
        return m_rows; // fail closed: no row rather than every row
    q.blind = (q.mode == SheetMode::PrintBook || q.mode == SheetMode::Entry) &&
              countparams::hidesBookFigures(*conn, GetUserId());
    m_blind = q.blind;
    m_lastRowQuery = sheetquery::rows(conn->dialect(), q);
    setRows(conn->Execute(m_lastRowQuery.sql, m_lastRowQuery.binds));
    if (q.mode == SheetMode::Check && m_rows.isOpen())
        fillFirstCounts(*conn, processId);
    return m_rows;
}
