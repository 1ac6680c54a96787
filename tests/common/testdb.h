#pragma once

#include "host/appconnection.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A fresh database for one test: SQLite in a temporary directory, or a new schema
// on the PostgreSQL server named by STOCKCHECK_TEST_PG when the program runs with
// STOCKCHECK_TEST_ENGINE=pg. The host tables and the count tables are created;
// no rows are in them. The schema is dropped again when the object goes.
class TestDb
{
public:
    TestDb();
    ~TestDb();

    static bool wantsPostgres();
    // Why the chosen engine cannot run here (empty when it can): tests QSKIP with it.
    static QString unavailableReason();

    bool open(QString *error); // creates the database and the schema
    AppConnection &conn() { return m_conn; }
    QString url() const { return m_url; } // for a second connection to the same database
    bool isPostgres() const { return m_postgres; }

    // Points the shared state at this database with the working stand-ins of the
    // host components (no user interface; tests add a FakeUi themselves).
    void installShared();

private:
    bool m_postgres = false;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_url;
    QString m_schema;
    QString m_adminUrl;
    AppConnection m_conn;
};

// Skips the whole test class when the engine it should run on is not configured.
#define STOCKCHECK_REQUIRE_ENGINE()                                                                                    \
    do {                                                                                                               \
        const QString reason = TestDb::unavailableReason();                                                            \
        if (!reason.isEmpty())                                                                                         \
            QSKIP(qPrintable(reason));                                                                                 \
    } while (false)

// Opens a fresh database into `db` or fails the test with the reason.
#define OPEN_TEST_DB(db)                                                                                               \
    do {                                                                                                               \
        QString openError;                                                                                             \
        QVERIFY2((db).open(&openError), qPrintable(openError));                                                        \
    } while (false)

// Verifies a statement or batch and prints the database's message when it failed.
#define QVERIFY_SQL(conn, expr) QVERIFY2((expr), qPrintable((conn).lastError().detailed()))
