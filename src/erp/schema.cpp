#include "schema.h"

#include "schemaddl.h"
#include "seeds.h"

#include "host/appconnection.h"
#include "host/texts.h"

#include <QRegularExpression>
#include <QSet>

namespace erp {

namespace ddl {

QString expand(const QString &statement, const Dialect &dialect)
{
    static const QRegularExpression textToken(QStringLiteral("\\{T:(\\d+)\\}"));
    QString out = statement;
    out.replace(QLatin1String("{Q}"), dialect.quantityType());
    out.replace(QLatin1String("{D}"), dialect.dateTimeType());
    // Rows that are written again and again (every count, every link to a
    // document) keep room on their page on PostgreSQL, so an update of a column
    // without an index stays on the page and touches no index.
    out.replace(QLatin1String("{UPDATED_ROWS}"),
                dialect.isSQLite() ? QString() : QStringLiteral(" WITH (fillfactor = 80)"));
    QRegularExpressionMatch m;
    while ((m = textToken.match(out)).hasMatch())
        out.replace(m.capturedStart(), m.capturedLength(), dialect.textType(m.captured(1).toInt()));
    return out.trimmed();
}

QStringList viewsAndTriggers(const Dialect &dialect)
{
    // Users as the process list's user list reads them.
    const QString userView = QStringLiteral("v_User AS SELECT FUserID AS FID, FName, FNumber FROM t_user");
    // The snapshot stamps the last count date into t_ICItemMaterial; the cycle
    // schedule reads it from t_ICItem. The trigger keeps the two equal.
    if (dialect.isSQLite()) {
        return {QStringLiteral("CREATE VIEW IF NOT EXISTS ") + userView,
                QStringLiteral("CREATE TRIGGER IF NOT EXISTS tr_t_ICItemMaterial_lastcheck "
                               "AFTER UPDATE OF FLastCheckDate ON t_ICItemMaterial FOR EACH ROW BEGIN "
                               "UPDATE t_ICItem SET FLastCheckDate = NEW.FLastCheckDate WHERE FItemID = NEW.FItemID; "
                               "END")};
    }
    return {QStringLiteral("CREATE OR REPLACE VIEW ") + userView,
            QStringLiteral("CREATE OR REPLACE FUNCTION erp_copy_lastcheckdate() RETURNS trigger LANGUAGE plpgsql AS $$ "
                           "BEGIN UPDATE t_ICItem SET FLastCheckDate = NEW.FLastCheckDate "
                           "WHERE FItemID = NEW.FItemID; RETURN NEW; END $$"),
            QStringLiteral("CREATE OR REPLACE TRIGGER tr_t_ICItemMaterial_lastcheck "
                           "AFTER UPDATE OF FLastCheckDate ON t_ICItemMaterial FOR EACH ROW "
                           "EXECUTE FUNCTION erp_copy_lastcheckdate()")};
}

namespace {
QStringList allTableStatements()
{
    return masterDataTables() + systemTables() + stockTables() + documentTables() + countTables();
}
} // namespace

QStringList tableNames()
{
    static const QRegularExpression create(QStringLiteral("^\\s*CREATE TABLE IF NOT EXISTS (\\w+)"));
    QStringList names;
    for (const QString &statement : allTableStatements()) {
        const QRegularExpressionMatch m = create.match(statement);
        if (m.hasMatch())
            names << m.captured(1);
    }
    return names;
}

} // namespace ddl

namespace {

// Names (lower case) of the tables and views of the connection's schema.
QSet<QString> existingTables(AppConnection &connection)
{
    const QString sql = connection.dialect().isSQLite()
                            ? QStringLiteral("SELECT lower(name) AS name FROM sqlite_master "
                                             "WHERE type IN ('table', 'view')")
                            : QStringLiteral("SELECT lower(table_name) AS name FROM information_schema.tables "
                                             "WHERE table_schema = current_schema()");
    Recordset rs = connection.Execute(sql);
    QSet<QString> names;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        names.insert(rs.text(u"name"));
    return names;
}

} // namespace

bool createSchema(AppConnection &connection, QString *error)
{
    const Dialect &dialect = connection.dialect();
    QStringList statements = ddl::allTableStatements() + ddl::viewsAndTriggers(dialect);
    try {
        Transaction tx(connection);
        for (const QString &statement : std::as_const(statements))
            connection.ExecuteRaiseErr(ddl::expand(statement, dialect));
        seedSystemRows(connection);
        seedColumnDefinitions(connection);
        tx.commit();
        return true;
    } catch (const DbException &e) {
        if (error)
            *error = LoadText("创建数据库表失败：") + e.error().message;
        return false;
    }
}

bool schemaExists(AppConnection &connection)
{
    const QSet<QString> existing = existingTables(connection);
    if (existing.isEmpty())
        return false;
    for (const QString &name : ddl::tableNames())
        if (!existing.contains(name.toLower()))
            return false;
    return existing.contains(QStringLiteral("v_user"));
}

} // namespace erp
