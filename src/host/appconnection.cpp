#include "appconnection.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

#include <ctime>
#include <mutex>

namespace {

QAtomicInt connectionCounter;

// Without TZ, every conversion to local time (each timestamp read from
// PostgreSQL) makes the C library look at /etc/localtime again: a third of the
// time of listing a few hundred dated rows. Naming the file once spares that;
// the zone is then the one the process started with. Done before the first
// connection, which every program opens before it starts other threads.
void pinLocalTimeZone()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (qEnvironmentVariableIsEmpty("TZ") && QFileInfo::exists(QStringLiteral("/etc/localtime"))) {
            qputenv("TZ", ":/etc/localtime");
            tzset();
        }
    });
}

QString tr(const char *text)
{
    return QCoreApplication::translate("StockCheck", text);
}

bool traceEnabled()
{
    static const bool on = qEnvironmentVariableIsSet("STOCKCHECK_SQL_TRACE");
    return on;
}

} // namespace

bool DbLocation::parse(const QString &url, DbLocation *out, QString *error)
{
    DbLocation loc;
    const QString text = url.trimmed();
    if (text.startsWith(QLatin1String("sqlite:"), Qt::CaseInsensitive)) {
        loc.engine = Dialect::Engine::SQLite;
        loc.path = text.mid(7);
        if (loc.path.startsWith(QLatin1String("//")))
            loc.path = loc.path.mid(2);
        if (loc.path.isEmpty()) {
            if (error)
                *error = tr("数据库地址缺少文件路径：%1").arg(url);
            return false;
        }
    } else if (text.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
               text.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive)) {
        const QUrl u(text);
        if (!u.isValid()) {
            if (error)
                *error = tr("数据库地址无效：%1").arg(url);
            return false;
        }
        loc.engine = Dialect::Engine::PostgreSQL;
        loc.host = u.host();
        loc.port = u.port(5432);
        loc.user = u.userName();
        loc.password = u.password();
        loc.database = u.path().mid(1);
        const QUrlQuery q(u);
        QStringList options;
        for (const auto &[key, value] : q.queryItems(QUrl::FullyDecoded)) {
            if (key == QLatin1String("schema"))
                loc.schema = value;
            else if (key == QLatin1String("host"))
                loc.host = value; // a socket directory
            else
                options << key + QLatin1Char('=') + value;
        }
        loc.options = options.join(QLatin1Char(';'));
    } else {
        if (error)
            *error = tr("不支持的数据库地址：%1（应为 sqlite:文件 或 postgresql://...）").arg(url);
        return false;
    }
    *out = loc;
    return true;
}

QString DbLocation::display() const
{
    if (engine == Dialect::Engine::SQLite)
        return QStringLiteral("SQLite: ") + QFileInfo(path).absoluteFilePath();
    QString where = host.isEmpty() ? QStringLiteral("localhost") : host;
    if (port != 5432)
        where += QLatin1Char(':') + QString::number(port);
    QString text = QStringLiteral("PostgreSQL: %1/%2").arg(where, database);
    if (!schema.isEmpty())
        text += QLatin1Char('.') + schema;
    return text;
}

AppConnection::AppConnection()
    : m_name(QStringLiteral("stockcheck-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{}

AppConnection::~AppConnection()
{
    close();
}

bool AppConnection::open(const QString &url, QString *error)
{
    DbLocation location;
    if (!DbLocation::parse(url, &location, error))
        return false;
    if (!open(location, error))
        return false;
    m_url = url;
    return true;
}

bool AppConnection::open(const DbLocation &location, QString *error)
{
    pinLocalTimeZone();
    close();
    m_location = location;
    m_dialect = Dialect(location.engine);
    // The openers keep their database handles and queries to themselves, so that
    // a refused database is closed with nothing of it still in use.
    const QString problem = location.engine == Dialect::Engine::SQLite ? openSqlite(location) : openPostgres(location);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        close();
        return false;
    }
    if (location.engine == Dialect::Engine::SQLite)
        m_url = QStringLiteral("sqlite:") + location.path;
    return true;
}

QString AppConnection::openSqlite(const DbLocation &location)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    if (!db.isValid())
        return tr("找不到 SQLite 数据库驱动。");
    const QFileInfo info(location.path);
    if (!info.absoluteDir().exists())
        return tr("数据库文件所在的目录不存在：%1").arg(info.absolutePath());
    db.setDatabaseName(location.path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
    if (!db.open())
        return tr("无法打开数据库文件 %1：%2").arg(location.path, db.lastError().text());
    // A damaged file opens without complaint and fails at the first read.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return tr("数据库文件 %1 已损坏或不是数据库文件：%2").arg(location.path, probe.lastError().text());
    probe.finish();
    if (!probe.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return tr("数据库文件 %1 是只读的或被占用，不能写入：%2").arg(location.path, probe.lastError().text());
    probe.exec(QStringLiteral("ROLLBACK"));
    // a page cache of 64 MB (the default is 2 MB): a lookup that joins a large
    // table to another, such as a row's documents, otherwise rereads its pages
    for (const char *pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL", "PRAGMA temp_store=MEMORY",
                               "PRAGMA cache_size=-65536"}) {
        probe.exec(QString::fromLatin1(pragma));
        probe.finish();
    }
    return {};
}

QString AppConnection::openPostgres(const DbLocation &location)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
    if (!db.isValid())
        return tr("找不到 PostgreSQL 数据库驱动。");
    db.setHostName(location.host);
    db.setPort(location.port);
    db.setUserName(location.user);
    db.setPassword(location.password);
    db.setDatabaseName(location.database);
    QString options = QStringLiteral("connect_timeout=10");
    if (!location.options.isEmpty())
        options += QLatin1Char(';') + location.options;
    db.setConnectOptions(options);
    db.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!db.open())
        return tr("无法连接 PostgreSQL 数据库 %1：%2").arg(location.display(), db.lastError().text());
    QSqlQuery setup(db);
    // The server compiles a statement it estimates as large (a pass over a
    // 100,000-row count) to machine code first; that takes longer than running
    // it does, for every such statement of this program. Servers before 11
    // have no such setting and ignore the failed SET.
    for (const char *setting : {"SET client_min_messages TO WARNING", "SET datestyle TO ISO, YMD", "SET jit TO off"})
        setup.exec(QString::fromLatin1(setting));
    // plan_cache_mode exists from PostgreSQL 12 on; older servers plan kept
    // queries as they always did
    m_planMode = setup.exec(QStringLiteral("SET plan_cache_mode TO auto")) ? PlanMode::PerCall : PlanMode::Unsupported;
    if (!location.schema.isEmpty()) {
        const QString schema = location.schema;
        if (schema.contains(QLatin1Char('"')))
            return tr("模式名称无效：%1").arg(schema);
        if (!setup.exec(QStringLiteral("SET search_path TO \"%1\"").arg(schema)))
            return tr("无法使用模式 %1：%2").arg(schema, setup.lastError().text());
    }
    return {};
}

void AppConnection::close()
{
    m_kept.clear(); // before the database they were prepared on goes
    m_planMode = PlanMode::Unsupported;
    m_memo.clear();
    m_depth = 0;
    m_rollbackOnly = false;
    if (QSqlDatabase::contains(m_name)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
}

bool AppConnection::isOpen() const
{
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase AppConnection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

bool AppConnection::run(const QString &sql, const QVariantList &binds, Recordset *result, int *rowsAffected, bool keep,
                        bool planOnce)
{
    ++m_statements;
    m_lastError = {};
    if (traceEnabled()) {
        DbError trace;
        trace.binds = binds;
        qInfo("SQL: %s %s", qPrintable(sql.simplified()), qPrintable(trace.detailed()));
    }
    if (m_hook) {
        const QString injected = m_hook(sql, binds);
        if (!injected.isEmpty()) {
            m_lastError = {injected, sql, binds};
            return false;
        }
    }
    if (!isOpen()) {
        m_lastError = {tr("数据库没有连接。"), sql, binds};
        return false;
    }
    // Only the kept queries that ask for it are planned once for all values; the
    // session switches back lazily, before the next statement that does not, so
    // a run of them costs one switch.
    usePlanMode(keep && planOnce && !binds.isEmpty() ? PlanMode::Once : PlanMode::PerCall);
    if (keep && !binds.isEmpty()) {
        auto kept = m_kept.find(sql);
        bool ok = true;
        if (kept == m_kept.end()) {
            QSqlQuery prepared(database());
            prepared.setForwardOnly(true);
            ok = prepared.prepare(sql);
            if (ok)
                kept = m_kept.insert(sql, prepared);
            else
                m_lastError = {prepared.lastError().text().trimmed(), sql, binds};
        }
        if (ok) {
            QSqlQuery &query = kept.value();
            for (int i = 0; i < binds.size(); ++i)
                query.bindValue(i, binds.at(i));
            ok = query.exec();
            if (!ok) {
                const QSqlError e = query.lastError();
                m_lastError = {e.databaseText().trimmed().isEmpty() ? e.text().trimmed() : e.databaseText().trimmed(),
                               sql, binds};
                m_kept.erase(kept); // prepared anew next time (the server may have dropped it)
                return false;
            }
            if (rowsAffected)
                *rowsAffected = query.numRowsAffected();
            if (result)
                *result = query.isSelect() ? Recordset::fromQuery(query, m_dialect.isSQLite()) : Recordset();
            query.finish(); // the rows are read: the statement stays prepared, holding nothing
            return true;
        }
        return false;
    }
    QSqlQuery query(database());
    query.setForwardOnly(true);
    bool ok;
    if (binds.isEmpty()) {
        ok = query.exec(sql);
    } else {
        ok = query.prepare(sql);
        if (ok) {
            for (const QVariant &v : binds)
                query.addBindValue(v);
            ok = query.exec();
        }
    }
    if (!ok) {
        const QSqlError e = query.lastError();
        QString message = e.databaseText().trimmed();
        if (message.isEmpty())
            message = e.text().trimmed();
        m_lastError = {message, sql, binds};
        return false;
    }
    if (rowsAffected)
        *rowsAffected = query.numRowsAffected();
    if (result)
        *result = query.isSelect() ? Recordset::fromQuery(query, m_dialect.isSQLite()) : Recordset();
    return true;
}

void AppConnection::usePlanMode(PlanMode mode)
{
    if (m_planMode == PlanMode::Unsupported || m_planMode == mode)
        return;
    QSqlQuery set(database());
    if (set.exec(mode == PlanMode::Once ? QStringLiteral("SET plan_cache_mode TO force_generic_plan")
                                        : QStringLiteral("SET plan_cache_mode TO auto")))
        m_planMode = mode;
}

Recordset AppConnection::Execute(const QString &sql, const QVariantList &binds)
{
    Recordset rs;
    run(sql, binds, &rs, nullptr);
    return rs;
}

Recordset AppConnection::ExecuteKept(const QString &sql, const QVariantList &binds, bool planOnce)
{
    Recordset rs;
    run(sql, binds, &rs, nullptr, true, planOnce);
    return rs;
}

Recordset AppConnection::ExecuteRaiseErr(const QString &sql, const QVariantList &binds)
{
    Recordset rs;
    if (!run(sql, binds, &rs, nullptr))
        throw DbException(m_lastError);
    return rs;
}

bool AppConnection::Exec(const QString &sql, const QVariantList &binds, int *rowsAffected)
{
    return run(sql, binds, nullptr, rowsAffected);
}

bool AppConnection::Exec(const SqlStatement &s, int *rowsAffected)
{
    return run(s.sql, s.binds, nullptr, rowsAffected, s.keep);
}

bool AppConnection::ExecuteBatch(const QList<SqlStatement> &batch, QList<int> *rowsAffected)
{
    if (rowsAffected)
        rowsAffected->clear();
    try {
        Transaction tx(*this);
        for (const SqlStatement &s : batch) {
            int rows = 0;
            if (!Exec(s, &rows))
                throw DbException(m_lastError);
            if (rowsAffected)
                rowsAffected->append(rows);
        }
        tx.commit();
        return true;
    } catch (const DbException &e) {
        m_lastError = e.error();
        return false;
    }
}

void AppConnection::begin(bool exclusive)
{
    if (m_depth++ > 0)
        return;
    const QString sql = exclusive ? m_dialect.beginExclusive() : QStringLiteral("BEGIN");
    if (!run(sql, {}, nullptr, nullptr)) {
        m_depth = 0;
        throw DbException(m_lastError);
    }
}

void AppConnection::commit()
{
    if (m_depth == 0)
        return;
    if (--m_depth > 0)
        return;
    if (m_rollbackOnly) {
        // an inner unit failed: the whole transaction goes
        m_depth = 1;
        rollback();
        throw DbException(m_rollbackError);
    }
    if (!run(QStringLiteral("COMMIT"), {}, nullptr, nullptr)) {
        const DbError error = m_lastError;
        run(QStringLiteral("ROLLBACK"), {}, nullptr, nullptr);
        m_lastError = error;
        throw DbException(error);
    }
}

void AppConnection::rollback()
{
    if (m_depth == 0)
        return;
    if (m_depth > 1) {
        --m_depth;
        if (!m_rollbackOnly)
            m_rollbackError = m_lastError;
        m_rollbackOnly = true;
        return;
    }
    m_depth = 0;
    m_rollbackOnly = false;
    const DbError error = m_lastError;                         // keep the reason of the failure for the caller
    const StatementHook hook = std::exchange(m_hook, nullptr); // a rollback must not be failed on purpose
    run(QStringLiteral("ROLLBACK"), {}, nullptr, nullptr);
    if (m_planMode != PlanMode::Unsupported)
        m_planMode = PlanMode::Unknown;
    m_hook = hook;
    m_lastError = error;
}

Transaction::Transaction(AppConnection &connection, Mode mode, int lockKey)
    : m_connection(connection)
{
    const bool outermost = !connection.inTransaction();
    connection.begin(mode != Normal);
    if (mode == Exclusive && outermost) {
        try {
            for (const QString &sql : connection.dialect().exclusiveLockStatements(lockKey))
                connection.ExecuteRaiseErr(sql);
        } catch (...) {
            connection.rollback();
            throw;
        }
    }
}

Transaction::~Transaction()
{
    if (!m_done)
        m_connection.rollback();
}

void Transaction::commit()
{
    m_done = true;
    m_connection.commit();
}
