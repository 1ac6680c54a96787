#include "host/appconnection.h"
#include "testdb.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The connection broker on the engine of this run: bound values, batches as one
// unit, nested transactions, injected failures, dates, and the messages for
// databases that cannot be used.
class TestAppConnection : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;

    AppConnection &conn() { return db->conn(); }

    void makeTable()
    {
        QVERIFY_SQL(conn(),
                    conn().Exec(QStringLiteral("CREATE TABLE t_probe (FID INTEGER, FName %1, FQty %2, FDate %3)")
                                    .arg(conn().dialect().textType(80), conn().dialect().quantityType(),
                                         conn().dialect().dateTimeType())));
    }

    int count() { return conn().Execute(QStringLiteral("SELECT COUNT(*) AS n FROM t_probe")).integer(u"n"); }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }

    void init()
    {
        db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*db);
        makeTable();
    }

    void cleanup() { db.reset(); }

    void boundValuesRoundTrip()
    {
        const QString name = QStringLiteral("it's; DROP TABLE t_probe; --");
        QVERIFY_SQL(conn(),
                    conn().Exec(QStringLiteral("INSERT INTO t_probe (FID, FName, FQty, FDate) VALUES (?, ?, ?, ?)"),
                                {1, name, 2.5, Dialect::dateValue(QDate(2026, 3, 4))}));
        Recordset rs =
            conn().Execute(QStringLiteral("SELECT FID, FName, FQty, FDate FROM t_probe WHERE FName = ?"), {name});
        QVERIFY(rs.isOpen());
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.text(u"fname"), name);
        QCOMPARE(rs.number(u"FQTY"), 2.5);
        QCOMPARE(rs.dateTime(u"FDate"), QDateTime(QDate(2026, 3, 4), QTime(0, 0)));
        Recordset later = conn().Execute(QStringLiteral("SELECT FID FROM t_probe WHERE FDate >= ?"),
                                         {Dialect::dateValue(QDate(2026, 3, 5))});
        QCOMPARE(later.RecordCount(), 0);
    }

    void failureLeavesAClosedRecordsetAndTheMessage()
    {
        Recordset rs = conn().Execute(QStringLiteral("SELECT nope FROM t_probe"));
        QVERIFY(!rs.isOpen());
        QVERIFY(conn().lastError().isError());
        QVERIFY(conn().lastError().statement.contains(QLatin1String("nope")));
        QVERIFY_EXCEPTION_THROWN(conn().ExecuteRaiseErr(QStringLiteral("SELECT nope FROM t_probe")), DbException);
        conn().Execute(QStringLiteral("SELECT 1"));
        QVERIFY(!conn().lastError().isError());
    }

    void batchIsAllOrNothing()
    {
        const QString insert = QStringLiteral("INSERT INTO t_probe (FID) VALUES (?)");
        QVERIFY(!conn().ExecuteBatch(
            {{insert, {1}}, {insert, {2}}, {QStringLiteral("INSERT INTO nowhere VALUES (1)"), {}}}));
        QVERIFY(conn().lastError().message.size() > 0);
        QCOMPARE(count(), 0);
        QVERIFY_SQL(conn(), conn().ExecuteBatch({{insert, {1}}, {insert, {2}}}));
        QCOMPARE(count(), 2);
    }

    void innerFailureDoomsTheOuterTransaction()
    {
        const QString insert = QStringLiteral("INSERT INTO t_probe (FID) VALUES (?)");
        bool threw = false;
        try {
            Transaction outer(conn());
            conn().ExecuteRaiseErr(insert, {1});
            QVERIFY(!conn().ExecuteBatch({{insert, {2}}, {QStringLiteral("bad sql"), {}}}));
            outer.commit(); // must not commit half of the work
        } catch (const DbException &) {
            threw = true;
        }
        QVERIFY(threw);
        QVERIFY(!conn().inTransaction());
        QCOMPARE(count(), 0);
    }

    void hookFailsTheChosenStatement()
    {
        int seen = 0;
        conn().setStatementHook([&seen](const QString &sql, const QVariantList &) {
            return sql.contains(QLatin1String("INSERT")) && ++seen == 2 ? QStringLiteral("injected") : QString();
        });
        const QString insert = QStringLiteral("INSERT INTO t_probe (FID) VALUES (?)");
        QVERIFY(!conn().ExecuteBatch({{insert, {1}}, {insert, {2}}}));
        QCOMPARE(conn().lastError().message, QStringLiteral("injected"));
        conn().setStatementHook({});
        QCOMPARE(count(), 0);
    }

    void unusableDatabasesGiveClearMessages()
    {
        AppConnection c;
        QString error;
        QVERIFY(!c.open(QStringLiteral("mysql://x"), &error));
        QVERIFY(error.contains(QLatin1String("mysql://x")));

        QTemporaryDir dir;
        const QString corrupt = dir.filePath(QStringLiteral("corrupt.db"));
        QFile f(corrupt);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        QVERIFY(!c.open(QStringLiteral("sqlite:") + corrupt, &error));
        QVERIFY2(error.contains(corrupt), qPrintable(error));

        QVERIFY(!c.open(QStringLiteral("postgresql://nobody@127.0.0.1:1/none"), &error));
        QVERIFY2(error.contains(QLatin1String("PostgreSQL")), qPrintable(error));
    }
};

STOCKCHECK_TEST(TestAppConnection)
#include "tst_appconnection.moc"
