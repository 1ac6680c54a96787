#include "dataaccess.h"

#include "host/appconnection.h"

#include <QRegularExpression>

namespace erp {

namespace {

const QString userRulesSql = QStringLiteral(R"(SELECT COUNT(*) AS FCount FROM t_UserDataAccess WHERE FUserID = ?)");
const QString tableRulesSql = QStringLiteral(
    R"(SELECT COUNT(*) AS FCount FROM t_UserDataAccess WHERE FUserID = ? AND LOWER(FTableName) = LOWER(?))");
// The allowed ids as a derived table; the alias and the column name are the
// caller's identifiers, checked before they are placed in the text.
const QString allowedIdsSql = QStringLiteral(
    R"(, (SELECT DISTINCT FItemID AS %1 FROM t_UserDataAccess WHERE FUserID = ? AND LOWER(FTableName) = LOWER(?)) %2)");

bool isIdentifier(const QString &name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return re.match(name).hasMatch();
}

bool isUsable(const DataAccessSetting &s)
{
    return !s.dataTable.isEmpty() && isIdentifier(s.dataTableAs) && isIdentifier(s.dataCol) &&
           isIdentifier(s.billTableAs) && isIdentifier(s.billCol);
}

} // namespace

// A rule table that cannot be read must not read as "no rules": that would lift
// every restriction. The failure is thrown and the caller refuses to go on.
bool UserDataAccess::IsUsed(AppConnection &connection, const QString &, int userId)
{
    Recordset rs = connection.ExecuteRaiseErr(userRulesSql, {userId});
    return rs.integer(u"FCount") > 0;
}

void UserDataAccess::GetRowAccessInfo(const QStringList &)
{
    // the rules are read per setting when the fragments are built
}

void UserDataAccess::GetAccessDataSQL(AppConnection &connection, int userId, const QList<DataAccessSetting> &settings,
                                      SqlFragment *from, SqlFragment *where, bool)
{
    const auto hasRules = [&](const QString &table) {
        return connection.ExecuteRaiseErr(tableRulesSql, {userId, table}).integer(u"FCount") > 0;
    };
    SqlFragment joined, condition;
    for (const DataAccessSetting &s : settings) {
        if (!isUsable(s) || !hasRules(s.dataTable))
            continue;
        joined += SqlFragment(allowedIdsSql.arg(s.dataCol, s.dataTableAs), {userId, s.dataTable});
        if (!condition.isEmpty())
            condition.sql += QStringLiteral(" AND ");
        condition.sql += QStringLiteral("%1.%2 = %3.%4").arg(s.dataTableAs, s.dataCol, s.billTableAs, s.billCol);
    }
    if (from)
        *from = joined;
    if (where)
        *where = condition;
}

} // namespace erp
