#include "erp/schema.h"
#include "testdb.h"
#include "testmain.h"

#include <QTest>

namespace erp::ddl {
QStringList tableNames();
}

// The host and count tables on the engine of this run: every table is there,
// a second creation changes nothing, and the system rows are seeded once.
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

    void everyTableIsThere()
    {
        QVERIFY(erp::schemaExists(conn()));
        // the tables the count module's statements name
        const QStringList required = {"ICStockCheckProcess",
                                      "ICInvBackup",
                                      "ICInvBackupTemp",
                                      "t_ICItem",
                                      "t_ICItemBase",
                                      "t_ICItemMaterial",
                                      "t_Item",
                                      "t_Stock",
                                      "t_StockPlace",
                                      "t_MeasureUnit",
                                      "t_UnitGroup",
                                      "t_AuxItem",
                                      "t_barcode",
                                      "t_user",
                                      "t_Emp",
                                      "t_Supplier",
                                      "t_SystemProfile",
                                      "t_PeriodDate",
                                      "icbillno",
                                      "IC_MaxNum",
                                      "ICTransactionType",
                                      "ICClassType",
                                      "ICChatBillTitle",
                                      "ICInventory",
                                      "POInventory",
                                      "ICInvBal",
                                      "ICVMIInvBal",
                                      "POInvBal",
                                      "ICStockBill",
                                      "ICStockBillEntry",
                                      "ZPStockBill",
                                      "ZPStockBillEntry",
                                      "POStockBill",
                                      "POStockBillEntry",
                                      "ICSTJGBill",
                                      "ICSTJGBillEntry",
                                      "t_MTOChange",
                                      "t_MTOChangeEntry",
                                      "ICVMIInStock",
                                      "ICVMIInStockEntry",
                                      "T_LS_Retail",
                                      "T_LS_RetailEntry",
                                      "t_LS_InventoryCheck",
                                      "t_LS_InventoryCheckEntry",
                                      "t_LS_ReInventoryCheck",
                                      "t_LS_ReInventoryCheckEntry",
                                      "t_UserDataAccess"};
        const QStringList names = erp::ddl::tableNames();
        for (const QString &name : required)
            QVERIFY2(names.contains(name), qPrintable(name));
        for (const QString &name : names)
            QVERIFY2(count(name) >= 0, qPrintable(name + QLatin1String(": ") + conn().lastError().message));
        QVERIFY_SQL(conn(), conn().Execute(QStringLiteral("SELECT FID, FName, FNumber FROM v_User")).isOpen());
    }

    void secondCreationChangesNothing()
    {
        QMap<QString, int> before;
        for (const QString &name : erp::ddl::tableNames())
            before.insert(name, count(name));
        QString error;
        QVERIFY2(erp::createSchema(conn(), &error), qPrintable(error));
        QVERIFY2(erp::createSchema(conn(), &error), qPrintable(error));
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(count(it.key()), it.value());
        QVERIFY(erp::schemaExists(conn()));
    }

    void systemRowsAreSeeded()
    {
        Recordset place = conn().Execute(QStringLiteral("SELECT FNumber, FName FROM t_StockPlace WHERE FSPID = 0"));
        QCOMPARE(place.RecordCount(), 1);
        QCOMPARE(place.text(u"FName"), QString());
        Recordset counter = conn().Execute(QStringLiteral("SELECT FCurNo FROM icbillno WHERE FBillID = -1"));
        QCOMPARE(counter.integer(u"FCurNo"), 1);
        Recordset types = conn().Execute(QStringLiteral("SELECT FName FROM ICTransactionType WHERE FID = 43"));
        QCOMPARE(types.text(u"FName"), QStringLiteral("盘亏毁损"));
        Recordset mto = conn().Execute(QStringLiteral("SELECT FName_CHT FROM ICClassType WHERE FID = 1107011"));
        QCOMPARE(mto.RecordCount(), 1);
    }

    void missingTableIsNoticed()
    {
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("DROP TABLE ICInvBackupTemp")));
        QVERIFY(!erp::schemaExists(conn()));
        QString error;
        QVERIFY2(erp::createSchema(conn(), &error), qPrintable(error));
        QVERIFY(erp::schemaExists(conn()));
    }

    void lastCheckDateReachesTheItem()
    {
        QVERIFY_SQL(conn(),
                    conn().Exec(QStringLiteral("INSERT INTO t_ICItem (FItemID, FNumber) VALUES (7, '01.001')")));
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("INSERT INTO t_ICItemMaterial (FItemID, FCheckCycle) "
                                                       "VALUES (7, 3)")));
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("UPDATE t_ICItemMaterial SET FLastCheckDate = ? "
                                                       "WHERE FCheckCycle > 0"),
                                        {Dialect::dateValue(QDate(2026, 5, 4))}));
        Recordset item = conn().Execute(QStringLiteral("SELECT FLastCheckDate FROM t_ICItem WHERE FItemID = 7"));
        QCOMPARE(item.dateTime(u"FLastCheckDate").date(), QDate(2026, 5, 4));
    }
};

STOCKCHECK_TEST(TestSchema)
#include "tst_schema.moc"
