#include "testdb.h"

#include "erp/schema.h"
#include "erp/standins.h"
#include "host/sharedstate.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QUrl>
#include <QUrlQuery>

namespace {
QAtomicInt counter;

// The schema is made once per program into a template file and copied for each
// test: creating eighty tables for every test function would dominate the run.
QString sqliteTemplate(QString *error)
{
    static QTemporaryDir dir;
    static QString path;
    static QString failure;
    if (path.isEmpty() && failure.isEmpty()) {
        const QString file = dir.filePath(QStringLiteral("template.db"));
        AppConnection c;
        if (!c.open(QStringLiteral("sqlite:") + file, &failure) || !erp::createSchema(c, &failure)) {
            if (failure.isEmpty())
                failure = QStringLiteral("could not create the template database");
        } else {
            c.Exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
            c.close();
            path = file;
        }
    }
    if (error)
        *error = failure;
    return path;
}

QString withQuery(const QString &url, const QString &key, const QString &value)
{
    QUrl u(url);
    QUrlQuery q(u);
    q.removeAllQueryItems(key);
    q.addQueryItem(key, value);
    u.setQuery(q);
    return u.toString();
}
} // namespace

TestDb::TestDb()
    : m_postgres(wantsPostgres())
{}

TestDb::~TestDb()
{
    if (shared().connection == &m_conn)
        shared().connection = nullptr;
    m_conn.close();
    if (m_postgres && !m_schema.isEmpty()) {
        AppConnection admin;
        QString ignored;
        if (admin.open(m_adminUrl, &ignored))
            admin.Exec(QStringLiteral("DROP SCHEMA IF EXISTS \"%1\" CASCADE").arg(m_schema));
    }
}

bool TestDb::wantsPostgres()
{
    return qgetenv("STOCKCHECK_TEST_ENGINE").toLower() == "pg";
}

QString TestDb::unavailableReason()
{
    if (wantsPostgres() && qEnvironmentVariableIsEmpty("STOCKCHECK_TEST_PG"))
        return QStringLiteral("PostgreSQL run: STOCKCHECK_TEST_PG is not set");
    return {};
}

bool TestDb::open(QString *error)
{
    if (!m_postgres) {
        QString templateError;
        const QString source = sqliteTemplate(&templateError);
        if (source.isEmpty()) {
            *error = templateError;
            return false;
        }
        m_dir = std::make_unique<QTemporaryDir>();
        const QString file = m_dir->filePath(QStringLiteral("test.db"));
        if (!QFile::copy(source, file)) {
            *error = QStringLiteral("cannot copy the template database");
            return false;
        }
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        m_url = QStringLiteral("sqlite:") + file;
        return m_conn.open(m_url, error);
    }
    m_adminUrl = QString::fromLocal8Bit(qgetenv("STOCKCHECK_TEST_PG"));
    m_schema = QStringLiteral("t_%1_%2_%3")
                   .arg(QCoreApplication::applicationPid())
                   .arg(counter.fetchAndAddRelaxed(1))
                   .arg(QRandomGenerator::global()->bounded(1000000));
    {
        AppConnection admin;
        if (!admin.open(m_adminUrl, error))
            return false;
        if (!admin.Exec(QStringLiteral("CREATE SCHEMA \"%1\"").arg(m_schema))) {
            *error = admin.lastError().detailed();
            return false;
        }
    }
    m_url = withQuery(m_adminUrl, QStringLiteral("schema"), m_schema);
    if (!m_conn.open(m_url, error))
        return false;
    return erp::createSchema(m_conn, error);
}

void TestDb::installShared()
{
    SharedState &s = shared();
    s.reset();
    s.connection = &m_conn;
    erp::installStandIns(s.components, m_conn);
}
