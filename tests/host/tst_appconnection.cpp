#include "hostrows.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The connection broker on the engine of this run: bound values, batches as one
// unit, nested transactions, injected failures, dates, and the messages for
// databases that cannot be used.
class TestAppConnection : public HostDbTest
{
    Q_OBJECT

    const QString insert = QStringLiteral("INSERT INTO t_probe (FID) VALUES (?)");
    int count() { return conn().Execute(QStringLiteral("SELECT COUNT(*) AS n FROM t_probe")).integer(u"n"); }

private slots:
    void init()
    {
        HostDbTest::init();
        const Dialect &d = conn().dialect();
        QVERIFY_SQL(conn(),
                    conn().Exec(QStringLiteral("CREATE TABLE t_probe (FID INTEGER, FName %1, FQty %2, FDate %3)")
                                    .arg(d.textType(80), d.quantityType(), d.dateTimeType())));
    }

    void boundValuesRoundTrip()
    {
        const QString name = QStringLiteral("it's; DROP TABLE t_probe; --");
        QVERIFY_SQL(conn(),
                    conn().Exec(QStringLiteral("INSERT INTO t_probe (FID, FName, FQty, FDate) VALUES (?, ?, ?, ?)"),
                                {1, name, 2.5, Dialect::dateValue(QDate(2026, 3, 4))}));
        Recordset rs =
            conn().Execute(QStringLiteral("SELECT FID, FName, FQty, FDate FROM t_probe WHERE FName = ?"), {name});
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.text(u"fname"), name);
        QCOMPARE(rs.number(u"FQTY"), 2.5);
        QCOMPARE(rs.dateTime(u"FDate"), QDateTime(QDate(2026, 3, 4), QTime(0, 0)));
        Recordset later = conn().Execute(QStringLiteral("SELECT FID FROM t_probe WHERE FDate >= ?"),
                                         {Dialect::dateValue(QDate(2026, 3, 5))});
        QCOMPARE(later.RecordCount(), 0);
    }

    // A kept query answers each call with its own values, also more often than a
    // server plans it afresh, and sees rows written between the calls; one that
    // fails is prepared anew.
    void keptQueryRunsWithEachCallsValues()
    {
        const QString select = QStringLiteral("SELECT COUNT(*) AS n FROM t_probe WHERE FID >= ?");
        for (int id = 1; id <= 8; ++id) {
            QVERIFY_SQL(conn(), conn().Exec(insert, {id}));
            QCOMPARE(conn().ExecuteKept(select, {1}).integer(u"n"), id);
            QCOMPARE(conn().ExecuteKept(select, {id}).integer(u"n"), 1);
        }
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("DROP TABLE t_probe")));
        QVERIFY(!conn().ExecuteKept(select, {1}).isOpen());
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("CREATE TABLE t_probe (FID INTEGER)")));
        QVERIFY_SQL(conn(), conn().Exec(insert, {5}));
        QCOMPARE(conn().ExecuteKept(select, {1}).integer(u"n"), 1);
    }

    // On PostgreSQL a kept query that asks for it is planned once for all values,
    // every other statement with its own; a rollback that undoes the switch is noticed.
    void onlyQueriesThatAskArePlannedOnce()
    {
        if (!conn().dialect().isPostgres())
            QSKIP("plan caching is PostgreSQL's");
        const QString mode = QStringLiteral("SELECT current_setting('plan_cache_mode') AS m");
        const QString kept = QStringLiteral("SELECT current_setting('plan_cache_mode') AS m WHERE 1 = ?");
        QCOMPARE(conn().ExecuteKept(kept, {1}, true).text(u"m"), QStringLiteral("force_generic_plan"));
        QCOMPARE(conn().ExecuteKept(kept, {1}).text(u"m"), QStringLiteral("auto"));
        QCOMPARE(conn().ExecuteKept(kept, {1}, true).text(u"m"), QStringLiteral("force_generic_plan"));
        QCOMPARE(conn().Execute(mode).text(u"m"), QStringLiteral("auto"));
        {
            Transaction tx(conn());
            QCOMPARE(conn().ExecuteKept(kept, {1}, true).text(u"m"), QStringLiteral("force_generic_plan"));
        } // rolled back: the server is back to auto
        QCOMPARE(conn().ExecuteKept(kept, {1}, true).text(u"m"), QStringLiteral("force_generic_plan"));
        QCOMPARE(conn().Execute(mode).text(u"m"), QStringLiteral("auto"));
    }

    void failureLeavesAClosedRecordsetAndTheMessage()
    {
        Recordset rs = conn().Execute(QStringLiteral("SELECT nope FROM t_probe"));
        QVERIFY(!rs.isOpen());
        QVERIFY(conn().lastError().statement.contains(QLatin1String("nope")));
        QVERIFY_EXCEPTION_THROWN(conn().ExecuteRaiseErr(QStringLiteral("SELECT nope FROM t_probe")), DbException);
        conn().Execute(QStringLiteral("SELECT 1"));
        QVERIFY(!conn().lastError().isError());
    }

    void batchIsAllOrNothing_data()
    {
        QTest::addColumn<bool>("injected");
        QTest::addRow("failing statement") << false;
        QTest::addRow("injected failure") << true;
    }
    void batchIsAllOrNothing()
    {
        QFETCH(bool, injected);
        if (injected)
            conn().setStatementHook([](const QString &, const QVariantList &binds) {
                return binds.value(0) == 3 ? QStringLiteral("injected") : QString();
            });
        const QString third = injected ? insert : QStringLiteral("INSERT INTO nowhere VALUES (?)");
        QVERIFY(!conn().ExecuteBatch({{insert, {1}}, {insert, {2}}, {third, {3}}}));
        QVERIFY(injected ? conn().lastError().message == QLatin1String("injected")
                         : !conn().lastError().message.isEmpty());
        conn().setStatementHook({});
        QCOMPARE(count(), 0);
        QVERIFY_SQL(conn(), conn().ExecuteBatch({{insert, {1}}, {insert, {2}}}));
        QCOMPARE(count(), 2);
    }

    void innerFailureDoomsTheOuterTransaction()
    {
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

    void unusableDatabasesGiveClearMessages()
    {
        AppConnection c;
        QString error;
        QVERIFY(!c.open(QStringLiteral("mysql://x"), &error));
        QVERIFY(error.contains(QLatin1String("mysql://x")));
        QTemporaryDir dir;
        QFile corrupt(dir.filePath(QStringLiteral("corrupt.db")));
        QVERIFY(corrupt.open(QIODevice::WriteOnly) && corrupt.write(QByteArray(4096, 'x')) == 4096);
        corrupt.close();
        QVERIFY(!c.open(QStringLiteral("sqlite:") + corrupt.fileName(), &error));
        QVERIFY2(error.contains(corrupt.fileName()), qPrintable(error));
        QVERIFY(!c.open(QStringLiteral("postgresql://nobody@127.0.0.1:1/none"), &error));
        QVERIFY2(error.contains(QLatin1String("PostgreSQL")), qPrintable(error));
    }
};

STOCKCHECK_TEST(TestAppConnection)
#include "tst_appconnection.moc"
