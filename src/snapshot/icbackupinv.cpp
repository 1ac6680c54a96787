// The snapshot engine: opens a count process with the book stock of the chosen
// stocks, now or as at a cut-off date.

#include "icbackupinv.h"

#include "cutoffsnapshot.h"
#include "cycleselection.h"
#include "processnumber.h"
#include "snapshotcontext.h"
#include "snapshotstatements.h"

#include "host/appconnection.h"
#include "host/hostui.h"
#include "host/logging.h"
#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"
#include "model/countprocesses.h"

namespace {

// Snapshots are serialised by this lock (PostgreSQL advisory lock; SQLite's
// BEGIN IMMEDIATE is a lock of its own): the process id and number, the shared
// work table and the day counter are used by one snapshot at a time.
const int kSnapshotLock = 0x53434e50;

const QString inputStockDateSql =
    QStringLiteral(R"(SELECT FValue FROM t_SystemProfile WHERE FCategory = 'RTSTOCK' AND FKey = 'IsInputStockDate')");

const QString maxIdsSql = QStringLiteral(
    R"(SELECT (SELECT COALESCE(MAX(FInterID), 0) FROM ICStockBill%1) AS FMaxBillInterID,
       (SELECT COALESCE(MAX(FID), 0) FROM t_MTOChange%1) AS FMaxMTOInterID,
       (SELECT COALESCE(MAX(FInterID), 0) FROM ZPStockBill%1) AS FMaxZpInterID,
       (SELECT COALESCE(MAX(FInterID), 0) FROM POStockBill%1) AS FMaxPOInterID,
       (SELECT COALESCE(MAX(FInterID), 0) FROM ICSTJGBill%1) AS FMaxICInterID,
       (SELECT COALESCE(MAX(FID), 0) FROM ICVMIInStock%1) AS FMaxVMIID)");
const QString markReservedSql = QStringLiteral(
    R"(UPDATE IC_MaxNum SET FFlag = 1 WHERE FUserID <> 0 AND FTableName = ? AND FNumber <= ? AND FFlag = 0)");

const QString fetchItemOuter = QStringLiteral(
    R"(SELECT DISTINCT t1.FItemID, t1.FName, t1.FNumber, t1.FParentID, t1.FDetail
  FROM t_Item t1
 INNER JOIN ()");
// A group takes part when its number begins the number of a visible entry.
const QString fetchItemJoin = QStringLiteral(
    R"() t2 ON substr(t2.FNumber, 1, length(t1.FNumber)) = t1.FNumber
 WHERE t1.FItemClassID = ? AND t1.FDeleted = 0
 ORDER BY t1.FNumber, t1.FParentID)");

// Counted quantities start as the book's when IsInputStockDate is a number other
// than 0 (empty counts as 0).
bool readInputStockDate(AppConnection &conn)
{
    Recordset rs = conn.ExecuteRaiseErr(inputStockDateSql);
    return !rs.isEmpty() && Recordset::toNumber(rs.Fields(u"FValue")) != 0;
}

// The operator's row-level restriction on the stocks and items of t1. A host
// without the access component restricts nothing.
bool accessFragments(AppConnection &conn, int operatorId, SqlFragment *from, SqlFragment *where)
{
    if (!shared().components.dataAccess)
        return true;
    const QList<DataAccessSetting> settings{{QStringLiteral("t_Stock"), QStringLiteral("te"), QStringLiteral("FItemID"),
                                             QStringLiteral("t1"), QStringLiteral("FStockID")},
                                            {QStringLiteral("t_ICItem"), QStringLiteral("te2"),
                                             QStringLiteral("FItemID"), QStringLiteral("t1"),
                                             QStringLiteral("FItemID")}};
    return GetDataAccessSQL(conn, GetPropsString(), operatorId, {QStringLiteral("t_Stock"), QStringLiteral("t_ICItem")},
                            settings, from, where, false);
}

void run(AppConnection &conn, const SqlFragment &sql)
{
    conn.ExecuteRaiseErr(sql.sql, sql.binds);
}

} // namespace

ICBackupInv::ICBackupInv()
    : m_connection(shared().connection)
    , m_ui(shared().ui)
    , m_useFullNumber(shared().useFullNumber)
{}

AppConnection *ICBackupInv::connection() const
{
    return m_connection;
}

void ICBackupInv::tell(const QString &text, const QString &details)
{
    m_message = text;
    if (m_ui)
        m_ui->message(text, HostUi::Icon::Information, details);
}

bool ICBackupInv::BackUpData(SnapshotParams &params, bool isCutDate, const QDate &cutDate, bool isCycle,
                             bool stampLastCheck, bool perStock, bool isFirst, QString &cycleTableName, bool &success)
{
    LogBracket log(QStringLiteral("N5StockCheck.ICBackupInv.BackUpData"));
    m_message.clear();
    m_error = {};
    m_created = false;
    m_processId = 0;
    m_processNumber.clear();
    const Outcome outcome =
        runSnapshot(params, isCutDate, cutDate, isCycle, stampLastCheck, perStock, isFirst, cycleTableName);
    success = outcome == Outcome::Done;
    if (outcome != Outcome::Failed)
        log.end(success ? 0 : 1);
    return success;
}

ICBackupInv::Outcome ICBackupInv::runSnapshot(SnapshotParams &params, bool isCutDate, const QDate &cutDate,
                                              bool isCycle, bool stampLastCheck, bool perStock, bool isFirst,
                                              QString &cycleTableName)
{
    const QString failed = LoadText("备份数据失败！");
    AppConnection *conn = connection();
    if (!conn) {
        tell(failed, LoadText("数据库没有连接。"));
        return Outcome::Failed;
    }
    SnapshotContext ctx;
    ctx.conn = conn;
    ctx.operatorId = params.operatorId();
    ctx.cutOff = isCutDate;
    ctx.cycle = isCycle;
    ctx.stampLastCheck = stampLastCheck;
    ctx.perStock = perStock;
    ctx.isFirst = isFirst;
    ctx.cutDate = cutDate.isValid() ? cutDate : params.cutDate();
    ctx.countDate = params.cutDate().isValid() ? params.cutDate() : ctx.cutDate;
    QString problem;
    if (!params.stockIds(&ctx.stocks, &problem) ||
        !params.goodsFilter(conn->dialect(), m_useFullNumber, &ctx.goods, &problem)) {
        tell(problem);
        return Outcome::Failed;
    }
    if (isCutDate && !isCycle && !ctx.cutDate.isValid()) {
        tell(LoadText("截止日期无效，不能备份！"));
        return Outcome::Failed;
    }
    if (!accessFragments(*conn, ctx.operatorId, &ctx.accessFrom, &ctx.accessWhere)) {
        tell(failed, LoadText("不能读取用户的数据权限。") + QLatin1Char('\n') + conn->lastError().detailed());
        return Outcome::Failed;
    }

    try {
        QString noData;
        const bool written = writeSnapshot(ctx, params, cycleTableName, &noData);
        // told only now: no message waits on a person while the snapshot lock is held
        if (!written) {
            tell(noData);
            return Outcome::NoData;
        }
        return Outcome::Done;
    } catch (const DbException &e) {
        // The transaction is gone with everything it wrote; a per-stock cycle run
        // keeps its item table for the next stock unless this was the last one.
        m_error = e.error();
        m_processId = 0;
        m_processNumber.clear();
        if (isCycle)
            CycleSelection::drop(*conn);
        const QString table = SnapshotSql::quotedName(cycleTableName);
        if (isCycle && perStock && stampLastCheck && !table.isEmpty())
            conn->Exec(QStringLiteral("DROP TABLE IF EXISTS ") + conn->dialect().tempSchema() + QLatin1Char('.') +
                       table);
        tell(failed, e.error().detailed());
        return Outcome::Failed;
    }
}

bool ICBackupInv::writeSnapshot(SnapshotContext &ctx, SnapshotParams &params, QString &cycleTableName, QString *noData)
{
    AppConnection &conn = *ctx.conn;
    Transaction tx(conn, Transaction::Exclusive, kSnapshotLock);
    ctx.inputStockDate = readInputStockDate(conn);
    if (!m_maxCaptured)
        captureMaxIds(conn, false, {});
    ctx.max = m_max;
    const ProcessNumber number = ProcessNumber::allocate(conn);
    ctx.processId = number.id;
    ctx.processNumber = number.number;
    if (!ctx.countDate.isValid())
        ctx.countDate = QDate::fromString(number.number.left(8), QStringLiteral("yyyyMMdd"));
    run(conn, SnapshotSql::clearWorkTable());

    if (ctx.cutOff && !ctx.cycle) {
        params.setValue(SnapshotParams::CurProcID, number.number);
        if (CutoffSnapshot(ctx).rebuild(noData) == CutoffSnapshot::Result::NoData)
            return false;
        run(conn, SnapshotSql::workTableInsert(ctx));
    } else {
        if (ctx.cycle)
            CycleSelection::create(conn, ctx.stocks, m_useFullNumber);
        run(conn, SnapshotSql::currentStockInsert(ctx, QStringLiteral("ICInventory")));
        run(conn, SnapshotSql::currentStockInsert(ctx, QStringLiteral("POInventory")));
    }

    const SqlFragment exists = SnapshotSql::rowsExist(ctx);
    const bool created = !conn.ExecuteRaiseErr(exists.sql, exists.binds).isEmpty();
    if (created) {
        run(conn, SnapshotSql::processHeader(ctx));
        run(conn, SnapshotSql::dayCounter(ctx));
        if (ctx.cycle && ctx.perStock && cycleTableName.isEmpty())
            cycleTableName = QString::number(ctx.processId) + QStringLiteral("t_StockCheckTemp") +
                             QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss"));
        ctx.cycleTable = cycleTableName;
        if (ctx.cycle && ctx.perStock && SnapshotSql::quotedName(ctx.cycleTable).isEmpty())
            throw DbException(DbError{LoadText("周期盘点物料表名称无效。"), ctx.cycleTable, {}});
        if (ctx.stampLastCheck || ctx.cycle)
            for (const SqlFragment &stamp : SnapshotSql::lastCheckStamps(ctx))
                run(conn, stamp);
    }
    run(conn, SnapshotSql::clearWorkTable());
    if (ctx.cycle)
        conn.ExecuteRaiseErr(QStringLiteral("DROP TABLE ") + conn.dialect().tempSchema() + QStringLiteral(".temp1"));
    tx.commit();
    m_processId = ctx.processId;
    m_processNumber = ctx.processNumber;
    m_created = created;
    return true;
}

bool ICBackupInv::GetStockBillMaxID(bool limitToDate, const QDate &date)
{
    AppConnection *conn = connection();
    if (!conn)
        return false;
    try {
        captureMaxIds(*conn, limitToDate, date);
        return true;
    } catch (const DbException &e) {
        m_error = e.error();
        return false;
    }
}

void ICBackupInv::captureMaxIds(AppConnection &conn, bool limitToDate, const QDate &date)
{
    QVariantList binds;
    QString sql = maxIdsSql;
    if (limitToDate) {
        sql.replace(QLatin1String("%1"), QStringLiteral(" WHERE FDate < ?"));
        binds = QVariantList(6, Dialect::dateValue(date.addDays(1)));
    } else {
        sql.replace(QLatin1String("%1"), QString());
    }
    Recordset rs = conn.ExecuteRaiseErr(sql, binds);
    MaxIds max;
    max.bill = rs.integer(u"FMaxBillInterID");
    max.mtoChange = rs.integer(u"FMaxMTOInterID");
    max.zp = rs.integer(u"FMaxZpInterID");
    max.po = rs.integer(u"FMaxPOInterID");
    max.stjg = rs.integer(u"FMaxICInterID");
    max.vmi = rs.integer(u"FMaxVMIID");

    // Numbers that editors reserved up to the maxima are used by now.
    const QList<std::pair<const char *, int>> marks{{"ZPStockBill", max.zp},        {"POStockBill", max.po},
                                                    {"ICSTJGBill", max.stjg},       {"ICStockBill", max.bill},
                                                    {"t_MTOChange", max.mtoChange}, {"ICVMIInStock", max.vmi}};
    Transaction tx(conn);
    for (const auto &[table, value] : marks)
        conn.ExecuteRaiseErr(markReservedSql, {QString::fromLatin1(table), value});
    tx.commit();
    m_max = max;
    m_maxCaptured = true;
}

bool ICBackupInv::FetchItem(int itemClass, Recordset &result)
{
    result = Recordset();
    AppConnection *conn = connection();
    if (!conn)
        return false;
    QString table;
    if (itemClass == 5)
        table = QStringLiteral("t_Stock");
    else if (itemClass == 2037)
        table = QStringLiteral("t_ComCategory");
    else if (itemClass == 2038)
        table = QStringLiteral("t_ComBrand");
    SqlFragment from, where;
    if (!table.isEmpty() && shared().components.dataAccess) {
        int userId = GetPropsValue(QStringLiteral("UserID")).toInt();
        if (userId == 0)
            userId = shared().operatorId;
        const QList<DataAccessSetting> settings{
            {table, QStringLiteral("te"), QStringLiteral("FItemID"), QStringLiteral("ti"), QStringLiteral("FItemID")}};
        if (!GetDataAccessSQL(*conn, GetPropsString(), userId, {table}, settings, &from, &where, false))
            return false;
    }
    SqlFragment inner(QStringLiteral("SELECT ti.FNumber FROM t_Item ti"));
    if (!from.isEmpty())
        inner += SqlFragment(QStringLiteral(" ")) + from;
    inner +=
        SqlFragment(QStringLiteral(" WHERE ti.FItemClassID = ? AND ti.FDeleted = 0 AND ti.FDetail = 1"), {itemClass});
    if (!where.isEmpty())
        inner += SqlFragment(QStringLiteral(" AND ")) + where;
    const SqlFragment sql = SqlFragment(fetchItemOuter) + inner + SqlFragment(fetchItemJoin, {itemClass});
    return query(*conn, sql, result);
}

bool ICBackupInv::GetProcList(bool all, bool ascending, const QVariantMap *options, bool recent, Recordset &result)
{
    AppConnection *conn = connection();
    if (!conn) {
        result = Recordset();
        return false;
    }
    return CountProcesses(*conn).GetProcList(all, ascending, options, recent, result);
}
