#include "countprocesses.h"

#include "host/appconnection.h"
#include "host/sqlfragment.h"

#include <QHash>

namespace {

const QString processListSql = QStringLiteral(
    R"(SELECT b.FName AS username, a.*
  FROM ICStockCheckProcess a JOIN t_user b ON a.FOperatorID = b.FUserID
 WHERE 1=1)");

// The columns an advanced filter may name, and its comparisons.
const QHash<QString, QString> &filterColumns()
{
    static const QHash<QString, QString> columns = {{QStringLiteral("fid"), QStringLiteral("a.FID")},
                                                    {QStringLiteral("fprocessid"), QStringLiteral("a.FProcessID")},
                                                    {QStringLiteral("fdate"), QStringLiteral("a.FDate")},
                                                    {QStringLiteral("foperatorid"), QStringLiteral("a.FOperatorID")},
                                                    {QStringLiteral("fstatus"), QStringLiteral("a.FStatus")},
                                                    {QStringLiteral("fremark"), QStringLiteral("a.FRemark")},
                                                    {QStringLiteral("fbackuptype"), QStringLiteral("a.FBackupType")},
                                                    {QStringLiteral("username"), QStringLiteral("b.FName")}};
    return columns;
}

// "AdvancedFilter": a list of conditions, each a map with "Field" (a column of the
// list), "Compare" (= <> < > <= >= like) and "Value", all of which must hold.
// Conditions that name anything else are refused as a whole.
bool advancedFilter(const QVariant &option, const Dialect &dialect, SqlFragment *out)
{
    static const QStringList comparisons = {QStringLiteral("="),   QStringLiteral("<>"), QStringLiteral("<"),
                                            QStringLiteral(">"),   QStringLiteral("<="), QStringLiteral(">="),
                                            QStringLiteral("like")};
    SqlFragment sql;
    for (const QVariant &entry : option.toList()) {
        const QVariantMap c = entry.toMap();
        const QString column = filterColumns().value(c.value(QStringLiteral("Field")).toString().toLower());
        const QString compare = c.value(QStringLiteral("Compare")).toString().trimmed().toLower();
        if (column.isEmpty() || !comparisons.contains(compare))
            return false;
        const QString op = compare == QLatin1String("like") ? dialect.likeOperator() : compare;
        sql += SqlFragment(QStringLiteral(" AND ") + column + QLatin1Char(' ') + op + QStringLiteral(" ?"),
                           {c.value(QStringLiteral("Value"))});
    }
    *out = sql;
    return true;
}

} // namespace

bool CountProcesses::GetProcList(bool all, bool ascending, const QVariantMap *options, bool recent, Recordset &result)
{
    result = Recordset();
    AppConnection *conn = &m_connection;
    SqlFragment sql(processListSql);
    if (!all)
        sql += SqlFragment(QStringLiteral(" AND a.FStatus = 0"));
    if (options) {
        SqlFragment filter;
        if (!advancedFilter(options->value(QStringLiteral("AdvancedFilter")), conn->dialect(), &filter))
            return false;
        sql += filter;
    } else if (recent) {
        sql += SqlFragment(QStringLiteral(" AND ") +
                           conn->dialect().dayDiff(QStringLiteral("a.FDate"), conn->dialect().now()) +
                           QStringLiteral(" < 8"));
    }
    sql += SqlFragment(ascending ? QStringLiteral(" ORDER BY a.FID ASC") : QStringLiteral(" ORDER BY a.FID DESC"));
    result = conn->Execute(sql.sql, sql.binds);
    return result.isOpen();
}
