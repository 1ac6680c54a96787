#include "erp/schema.h"
#include "testdb.h"
#include "testmain.h"

#include <QTest>

namespace erp::ddl {
QStringList tableNames();
}

// The host and count tables on the engine of this run: every table is there,
// creation repairs a missing table and changes nothing else, and the rows the
// joins rely on are seeded once.
class TestSchema : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    AppConnection &conn() { return db->conn(); }

    int count(const QString &table)
    {
        Recordset rs = conn().Execute(QStringLiteral("SELECT COUNT(*) AS n FROM ") + table);
        return rs.isOpen() ? rs.integer(u"n") : -1;
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*db);
    }
    void cleanup() { db.reset(); }

    void creationIsIdempotentAndRepairs()
    {
        QVERIFY(erp::schemaExists(conn()));
        QMap<QString, int> before;
        for (const QString &name : erp::ddl::tableNames()) {
            before.insert(name, count(name));
            QVERIFY2(before.value(name) >= 0, qPrintable(name + QLatin1String(": ") + conn().lastError().message));
        }
        QVERIFY_SQL(conn(), conn().Execute(QStringLiteral("SELECT FID, FName, FNumber FROM v_User")).isOpen());
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("DROP TABLE ICInvBackupTemp")));
        QVERIFY(!erp::schemaExists(conn()));
        QString error;
        QVERIFY2(erp::createSchema(conn(), &error), qPrintable(error));
        QVERIFY2(erp::createSchema(conn(), &error), qPrintable(error));
        QVERIFY(erp::schemaExists(conn()));
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(count(it.key()), it.value());
    }

    // The empty stock place joins positions without one; the process counter starts at 1.
    void systemRowsAreSeeded()
    {
        Recordset place = conn().Execute(QStringLiteral("SELECT FName FROM t_StockPlace WHERE FSPID = 0"));
        QCOMPARE(place.RecordCount(), 1);
        QCOMPARE(place.text(u"FName"), QString());
        Recordset counter = conn().Execute(QStringLiteral("SELECT FCurNo FROM icbillno WHERE FBillID = -1"));
        QCOMPARE(counter.integer(u"FCurNo"), 1);
    }

    // A trigger copies the count date the snapshot stamps to where the cycle schedule reads it.
    void lastCheckDateReachesTheItem()
    {
        QVERIFY_SQL(conn(),
                    conn().ExecuteBatch(
                        {{QStringLiteral("INSERT INTO t_ICItem (FItemID, FNumber) VALUES (7, '01.001')"), {}},
                         {QStringLiteral("INSERT INTO t_ICItemMaterial (FItemID, FCheckCycle) VALUES (7, 3)"), {}},
                         {QStringLiteral("UPDATE t_ICItemMaterial SET FLastCheckDate = ? WHERE FCheckCycle > 0"),
                          {Dialect::dateValue(QDate(2026, 5, 4))}}}));
        Recordset item = conn().Execute(QStringLiteral("SELECT FLastCheckDate FROM t_ICItem WHERE FItemID = 7"));
        QCOMPARE(item.dateTime(u"FLastCheckDate").date(), QDate(2026, 5, 4));
    }
};

STOCKCHECK_TEST(TestSchema)
#include "tst_schema.moc"
