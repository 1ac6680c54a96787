#include "loginlogic.h"

#include "erp/demodata.h"
#include "erp/schema.h"
#include "erp/users.h"
#include "host/hostcomponents.h"
#include "host/texts.h"

#include <QFileInfo>

namespace {

const QString section = QStringLiteral("Login");

QString engineName(Dialect::Engine engine)
{
    return engine == Dialect::Engine::PostgreSQL ? QStringLiteral("postgresql") : QStringLiteral("sqlite");
}

// A property value that ParseProps reads back whole.
QString propValue(const QString &value)
{
    return value.contains(QLatin1Char(';')) ? QLatin1Char('{') + value + QLatin1Char('}') : value;
}

} // namespace

LoginLogic::LoginLogic(SettingsStore &settings)
    : m_settings(settings)
{}

LoginChoice LoginLogic::remembered() const
{
    LoginChoice c;
    c.user = m_settings.value(section, QStringLiteral("User")).toString();
    const QString language = m_settings.value(section, QStringLiteral("Language")).toString();
    if (LoginChoice::languages().contains(language))
        c.language = language;
    const bool pg = m_settings.value(section, QStringLiteral("Engine")).toString() == QLatin1String("postgresql");
    c.database.engine = pg ? Dialect::Engine::PostgreSQL : Dialect::Engine::SQLite;
    c.database.path = m_settings.value(section, QStringLiteral("SqlitePath")).toString();
    c.database.host = m_settings.value(section, QStringLiteral("PgHost"), QStringLiteral("localhost")).toString();
    c.database.port = m_settings.value(section, QStringLiteral("PgPort"), 5432).toInt();
    c.database.database = m_settings.value(section, QStringLiteral("PgDatabase")).toString();
    c.database.user = m_settings.value(section, QStringLiteral("PgUser")).toString();
    c.database.schema = m_settings.value(section, QStringLiteral("PgSchema")).toString();
    return c;
}

void LoginLogic::remember(const LoginChoice &choice)
{
    const DbLocation &db = choice.database;
    m_settings.setValue(section, QStringLiteral("User"), choice.user);
    m_settings.setValue(section, QStringLiteral("Language"), choice.language);
    m_settings.setValue(section, QStringLiteral("Engine"), engineName(db.engine));
    if (db.engine == Dialect::Engine::SQLite) {
        m_settings.setValue(section, QStringLiteral("SqlitePath"), QFileInfo(db.path).absoluteFilePath());
        return;
    }
    m_settings.setValue(section, QStringLiteral("PgHost"), db.host);
    m_settings.setValue(section, QStringLiteral("PgPort"), db.port);
    m_settings.setValue(section, QStringLiteral("PgDatabase"), db.database);
    m_settings.setValue(section, QStringLiteral("PgUser"), db.user);
    m_settings.setValue(section, QStringLiteral("PgSchema"), db.schema);
}

bool LoginLogic::openDatabase(const LoginChoice &choice, bool createDemo, AppConnection &connection,
                              QString *error) const
{
    const DbLocation &db = choice.database;
    if (db.engine == Dialect::Engine::SQLite) {
        if (db.path.trimmed().isEmpty()) {
            *error = LoadText("请选择数据库文件。");
            return false;
        }
        // opening would create an empty file where a typing error points
        if (!createDemo && !QFileInfo::exists(db.path)) {
            *error = FormatText("数据库文件不存在：%1", {db.path});
            return false;
        }
    } else if (db.database.trimmed().isEmpty()) {
        *error = LoadText("请填写 PostgreSQL 数据库的名称。");
        return false;
    }
    if (!connection.open(db, error))
        return false;
    if (!erp::schemaExists(connection)) {
        if (!createDemo) {
            *error = LoadText("数据库还没有初始化，请先运行 stockcheck-cli init。");
            return false;
        }
        if (!erp::createSchema(connection, error))
            return false;
    }
    if (createDemo && !erp::hasData(connection) && !erp::fillDemoData(connection, erp::DemoOptions(), error))
        return false;
    return true;
}

bool LoginLogic::login(const LoginChoice &choice, bool createDemo, AppConnection &connection, LoginResult *result,
                       QString *error) const
{
    if (choice.user.trimmed().isEmpty()) {
        *error = LoadText("请输入用户名。");
        return false;
    }
    if (!openDatabase(choice, createDemo, connection, error)) {
        connection.close();
        return false;
    }
    int userId = 0;
    if (!erp::checkLogin(connection, choice.user.trimmed(), choice.password, &userId, error)) {
        connection.close();
        return false;
    }
    result->userId = userId;
    result->userName = choice.user.trimmed();
    result->language = choice.language;
    result->database = choice.database;
    return true;
}

QStringList LoginLogic::userNames(const DbLocation &database)
{
    if (database.engine == Dialect::Engine::SQLite && !QFileInfo::exists(database.path))
        return {};
    AppConnection connection;
    QString error;
    if (!connection.open(database, &error) || !erp::schemaExists(connection))
        return {};
    return erp::userNames(connection);
}

QString LoginLogic::propsString(const LoginResult &result)
{
    const bool pg = result.database.engine == Dialect::Engine::PostgreSQL;
    const QList<QPair<QString, QString>> entries = {
        {QStringLiteral("UserID"), QString::number(result.userId)},
        {QStringLiteral("UserName"), result.userName},
        {QStringLiteral("LANGUAGE"), result.language},
        {QStringLiteral("SubID"), QStringLiteral("IC")},
        {QStringLiteral("DBType"), pg ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite")},
        {QStringLiteral("DBName"), result.database.display()},
    };
    QString text;
    for (const auto &[key, value] : entries)
        text += key + QLatin1Char('=') + propValue(value) + QLatin1Char(';');
    return text;
}
