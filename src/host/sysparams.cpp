#include "sysparams.h"

#include "appconnection.h"
#include "logging.h"
#include "loginprops.h"
#include "sharedstate.h"
#include "texts.h"

#include <limits>

namespace {

const QString categoryIC = QStringLiteral("IC");

const QString profileValueSql =
    QStringLiteral(R"(SELECT FValue FROM t_SystemProfile WHERE FKey = ? AND FCategory = ?)");
const QString profileValueOrZeroSql =
    QStringLiteral(R"(SELECT COALESCE(FValue, '0') AS FValue FROM t_SystemProfile WHERE FKey = ? AND FCategory = ?)");
const QString updateProfileSql =
    QStringLiteral(R"(UPDATE t_SystemProfile SET FValue = ? WHERE FKey = ? AND FCategory = ?)");
const QString insertAlertSameSql = QStringLiteral(
    R"(INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FReadonly, FDescription, FLevel, FExplanation, FFormat,
                                    FSort, FDescription_cht, FDescription_en)
       VALUES (?, ?, ?, 1, ?, '', '', '', 0, '', ''))");
const QString periodDateSql =
    QStringLiteral(R"(SELECT FStartDate FROM t_PeriodDate WHERE FYear = ? AND FPeriod = ? ORDER BY FStartDate)");
const QString setBackupTypeSql = QStringLiteral(R"(UPDATE ICStockCheckProcess SET FBackupType = ? WHERE FID = ?)");
// A process keeps the highest document id it already has: only a missing one is filled.
const QString fillMaxBillSql = QStringLiteral(
    R"(UPDATE ICStockCheckProcess
          SET FMaxBillInterID = (SELECT MAX(FMaxBillInterID) FROM ICInvBackup WHERE FInterID = ?)
        WHERE FID = ? AND COALESCE(FMaxBillInterID, 0) = 0)");
const QString processSql = QStringLiteral(R"(SELECT * FROM ICStockCheckProcess WHERE FID = ?)");
const QString stockListSelect =
    QStringLiteral(R"(SELECT u2.FFullName AS FName, u1.FItemID, u1.FIsStockMgr FROM t_Stock u1, t_Item u2)");
const QString stockListWhere =
    QStringLiteral(R"( WHERE u1.FItemID = u2.FItemID AND u1.FDeleted <> 1 AND u1.FTypeID IN (500, 20291, 20293))");

const QString alertSameKey = QStringLiteral("AlertSameCheckStockRecord");
// Stored with the trailing blank the host's own row has.
const char *alertSameDescription = "盘点重复添加时给予提示 ";

// The broker, or a DbException a caller that raises database errors can pass on.
AppConnection &requireConnection(const QString &sql)
{
    if (!shared().connection)
        throw DbException(DbError{LoadText("数据库没有连接。"), sql, {}});
    return *shared().connection;
}

// A parameter read as a flag: a number other than 0, or the words true/false.
bool profileFlag(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return Recordset::toNumber(t) != 0;
}

// One "IC" value as a whole number, or false when the row is missing or unreadable.
bool readProfileInt(const QString &key, int *value)
{
    AppConnection *conn = shared().connection;
    if (!conn)
        return false;
    Recordset rs = conn->Execute(profileValueSql, {key, categoryIC});
    if (!rs.isOpen() || rs.isEmpty())
        return false;
    *value = int(Recordset::toNumber(rs.Fields(u"FValue")));
    return true;
}

// Whole days compare; an unknown date counts as the earliest day, as an empty
// date of the host does.
qint64 dayNumber(const QDate &date)
{
    return date.isValid() ? date.toJulianDay() : std::numeric_limits<qint64>::min();
}

} // namespace

QHash<QString, QString> GetSystemProfile(const QString &category, const QStringList &keys)
{
    QHash<QString, QString> values;
    if (keys.isEmpty())
        return values;
    QStringList marks;
    QVariantList binds{category};
    for (const QString &key : keys) {
        marks << QStringLiteral("?");
        binds << key;
    }
    const QString sql = QStringLiteral("SELECT FKey, FValue FROM t_SystemProfile WHERE FCategory = ? AND FKey IN (") +
                        marks.join(QLatin1Char(',')) + QLatin1Char(')');
    Recordset rs = requireConnection(sql).ExecuteRaiseErr(sql, binds);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        values.insert(rs.text(u"FKey").trimmed(), rs.text(u"FValue"));
    return values;
}

QString SystemValue(const QString &category, const QString &key, const QString &fallback)
{
    AppConnection *conn = shared().connection;
    if (!conn)
        return fallback;
    Recordset rs = conn->Execute(profileValueSql, {key, category});
    if (!rs.isOpen() || rs.isEmpty())
        return fallback;
    return rs.text(u"FValue");
}

bool GetConnection()
{
    Recordset rs = requireConnection(profileValueSql)
                       .ExecuteRaiseErr(profileValueSql, {QStringLiteral("UseShortNumber"), categoryIC});
    const bool full = !rs.isEmpty() && Recordset::toNumber(rs.Fields(u"FValue")) != 1;
    shared().useFullNumber = full;
    return full;
}

int ReadEnableMtoPlanMode()
{
    int mode = 0;
    return readProfileInt(QStringLiteral("EnableMtoPlanMode"), &mode) ? mode : 0;
}

bool ReadShowFilterBeforeCheck()
{
    return profileFlag(SystemValue(categoryIC, QStringLiteral("ShowFilterBeforeCheck"), QStringLiteral("0")));
}

bool GetCurPeriodDates(QDate *first, QDate *second)
{
    int period = 0;
    if (!readProfileInt(QStringLiteral("CurrentPeriod"), &period))
        return false;
    shared().currentPeriod = period;
    int year = 0;
    readProfileInt(QStringLiteral("CurrentYear"), &year);
    ListServer *server = shared().components.listServer.get();
    if (!server)
        return false;
    QDate start, end;
    server->GetCurPeriod(GetPropsString(), year, period, &start, &end);
    shared().periodFirstDate = start;
    shared().periodSecondDate = end;
    if (first)
        *first = start;
    if (second)
        *second = end;
    return true;
}

QDateTime GetServerDateTime()
{
    AppConnection *conn = shared().connection;
    if (!conn)
        return {};
    Recordset rs = conn->Execute(QStringLiteral("SELECT ") + conn->dialect().now() + QStringLiteral(" AS FNow"));
    if (!rs.isOpen() || rs.isEmpty())
        return {};
    return rs.dateTime(u"FNow");
}

QDate GetServerDate()
{
    return GetServerDateTime().date();
}

bool IsAfterPeriodStart()
{
    QDate first, second;
    GetCurPeriodDates(&first, &second);
    return dayNumber(GetServerDate()) >= dayNumber(first);
}

bool CheckDate()
{
    LogBracket log(QStringLiteral("N5StockCheck.PubVariant.CheckDate"));
    QDate first, second;
    GetCurPeriodDates(&first, &second);
    const bool result = dayNumber(GetServerDate()) >= dayNumber(second);
    log.end();
    return result;
}

QDate GetStartDate()
{
    LogBracket log(QStringLiteral("N5StockCheck.PubVariant.GetStartDate    获取系统启用日期"));
    // The start year and period are read first: comparing a text parameter with
    // the integer columns inside the statement would not run on every engine.
    QDate start;
    int year = 0, period = 0;
    if (readProfileInt(QStringLiteral("StartYear"), &year) && readProfileInt(QStringLiteral("StartPeriod"), &period)) {
        Recordset rs = shared().connection->Execute(periodDateSql, {year, period});
        if (!rs.isOpen())
            return {};
        if (!rs.isEmpty())
            start = rs.dateTime(u"FStartDate").date();
    }
    log.end();
    return start;
}

bool GetAlertSameRecord(bool *flag)
{
    if (flag)
        *flag = false;
    AppConnection *conn = shared().connection;
    if (!conn)
        return false;
    Recordset rs = conn->Execute(profileValueOrZeroSql, {alertSameKey, categoryIC});
    if (!rs.isOpen())
        return false;
    if (flag && !rs.isEmpty())
        *flag = rs.text(u"FValue").trimmed() == QLatin1String("1");
    return true;
}

void SetAlertSameRecord(bool flag)
{
    AppConnection *conn = shared().connection;
    if (!conn)
        return;
    const QString value = flag ? QStringLiteral("1") : QStringLiteral("0");
    try {
        Transaction tx(*conn);
        int updated = 0;
        if (!conn->Exec(updateProfileSql, {value, alertSameKey, categoryIC}, &updated))
            throw DbException(conn->lastError());
        if (updated == 0 &&
            !conn->Exec(insertAlertSameSql, {categoryIC, alertSameKey, value, QString::fromUtf8(alertSameDescription)}))
            throw DbException(conn->lastError());
        tx.commit();
    } catch (const DbException &) {
        // the reason stays in the connection's lastError() for a caller that asks
    }
}

bool GetComplexQtyFlag()
{
    return profileFlag(SystemValue(categoryIC, QStringLiteral("ISComplexQty"), QStringLiteral("0")));
}

bool SetBackupType(int processId, int backupType, QHash<QString, QVariant> &cache)
{
    LogBracket log(QStringLiteral("N5StockCheck.PubVariant.SetBackupType"));
    AppConnection *conn = shared().connection;
    if (!conn)
        return false;
    if (!conn->ExecuteBatch({{setBackupTypeSql, {backupType, processId}}, {fillMaxBillSql, {processId, processId}}}))
        return false;
    Recordset rs = conn->Execute(processSql, {processId});
    if (!rs.isOpen())
        return false;
    if (!rs.isEmpty()) {
        const QString id = QString::number(processId);
        cache.insert(id + QStringLiteral("|BackupType"), backupType);
        cache.insert(id + QStringLiteral("|MaxInterID"), rs.Fields(u"FMaxBillInterID"));
    }
    log.end();
    return true;
}

bool GetDataAccessSQL(const QString &propsString, int userId, const QStringList &tableNames,
                      const QList<DataAccessSetting> &settings, SqlFragment *from, SqlFragment *where,
                      bool useFirstVariant)
{
    AppConnection *conn = shared().connection;
    if (!conn) {
        if (from)
            *from = {};
        if (where)
            *where = {};
        return false;
    }
    return GetDataAccessSQL(*conn, propsString, userId, tableNames, settings, from, where, useFirstVariant);
}

bool GetDataAccessSQL(AppConnection &connection, const QString &propsString, int userId, const QStringList &tableNames,
                      const QList<DataAccessSetting> &settings, SqlFragment *from, SqlFragment *where,
                      bool useFirstVariant)
{
    SqlFragment joined, condition;
    if (from)
        *from = {};
    if (where)
        *where = {};
    DataAccess *access = shared().components.dataAccess.get();
    if (!access)
        return false;
    try {
        if (!access->IsUsed(connection, propsString, userId))
            return true;
        if (!tableNames.isEmpty())
            access->GetRowAccessInfo(tableNames);
        if (!settings.isEmpty())
            access->GetAccessDataSQL(connection, userId, settings, &joined, &condition, useFirstVariant);
    } catch (const std::exception &) {
        return false;
    }
    if (from)
        *from = joined;
    if (where)
        *where = condition;
    return true;
}

Recordset GetStockList(const QString &number)
{
    AppConnection *conn = shared().connection;
    if (!conn)
        return {};
    const QList<DataAccessSetting> settings{{QStringLiteral("t_Stock"), QStringLiteral("te"), QStringLiteral("FItemID"),
                                             QStringLiteral("u1"), QStringLiteral("FItemID")}};
    SqlFragment from, where;
    if (!GetDataAccessSQL(GetPropsString(), GetUserId(), {QStringLiteral("t_Stock")}, settings, &from, &where, false))
        return {};

    SqlFragment sql(stockListSelect);
    if (!from.isEmpty()) {
        if (!from.sql.trimmed().startsWith(QLatin1Char(',')))
            sql.sql += QLatin1Char(',');
        sql += from;
    }
    sql += SqlFragment(stockListWhere);
    if (!number.isEmpty()) {
        const QString column =
            shared().useFullNumber ? QStringLiteral("u1.FNumber") : QStringLiteral("u1.FShortNumber");
        sql += SqlFragment(QStringLiteral(" AND (") + column + QStringLiteral(" = ?)"), {number});
    }
    if (!where.isEmpty())
        sql += SqlFragment(QStringLiteral(" AND ")) + where;
    sql += SqlFragment(QStringLiteral(" ORDER BY u1.FNumber"));
    return conn->Execute(sql.sql, sql.binds);
}
