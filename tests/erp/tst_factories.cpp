#include "erp/users.h"
#include "factories.h"
#include "testdb.h"
#include "testmain.h"

#include <QTest>

// The factories write rows that the count module's joins find: an item with its
// units, a stock position in a place of its stock, documents in the tables of
// their types.
class TestFactories : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> db;
    AppConnection &conn() { return db->conn(); }

    int count(const QString &sql, const QVariantList &binds = {})
    {
        Recordset rs = conn().Execute(sql, binds);
        return rs.isOpen() ? Recordset::toNumber(rs.Fields(0)) : -1;
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*db);
    }
    void cleanup() { db.reset(); }

    void positionJoinsLikeTheSheet()
    {
        Factories f(conn());
        const int group =
            f.unitGroup(QStringLiteral("数量组"), {{QStringLiteral("个"), 1}, {QStringLiteral("盒"), 10}});
        const int item = f.item({.number = QStringLiteral("1.01.001"),
                                 .name = QStringLiteral("螺丝"),
                                 .unitGroup = group,
                                 .storeUnit = f.unit(QStringLiteral("盒")),
                                 .batch = true,
                                 .barcode = QStringLiteral("6901234567892")});
        const int stock = f.stock(QStringLiteral("01"), QStringLiteral("原料仓"));
        const int place = f.stockPlace(stock, QStringLiteral("A01"), QStringLiteral("A区01"));
        f.currentStock(item, stock, place, 120, {.batch = QStringLiteral("B1")});
        Recordset rs = conn().Execute(QStringLiteral(
            "SELECT t2.FShortNumber, t3.FName AS FUnitName, t4.FName AS FCUUnitName, t4.FCoefficient, "
            "t5.FSPGroupID AS placeGroup, t12.FSPGroupID AS stockGroup, t12.FIsStockMgr, t14.FBarCode, t1.FQty "
            "FROM ICInventory t1 INNER JOIN t_ICItem t2 ON t1.FItemID = t2.FItemID "
            "INNER JOIN t_MeasureUnit t3 ON t2.FUnitID = t3.FItemID "
            "INNER JOIN t_MeasureUnit t4 ON t2.FStoreUnitID = t4.FMeasureUnitID "
            "INNER JOIN t_StockPlace t5 ON t1.FStockPlaceID = t5.FSPID "
            "INNER JOIN t_Stock t12 ON t1.FStockID = t12.FItemID "
            "LEFT JOIN t_barcode t14 ON t2.FItemID = t14.FItemID AND t14.FCodeType = 0"));
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.text(u"FShortNumber"), QStringLiteral("001"));
        QCOMPARE(rs.text(u"FUnitName"), QStringLiteral("个"));
        QCOMPARE(rs.text(u"FCUUnitName"), QStringLiteral("盒"));
        QCOMPARE(rs.number(u"FCoefficient"), 10.0);
        QCOMPARE(rs.integer(u"placeGroup"), rs.integer(u"stockGroup"));
        QCOMPARE(rs.integer(u"FIsStockMgr"), 1);
        QCOMPARE(rs.text(u"FBarCode"), QStringLiteral("6901234567892"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM t_ICItemMaterial WHERE FItemID = ? AND FBatchManager = 1"),
                       {item}),
                 1);
    }

    void documentsGoToTheTablesOfTheirTypes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("stockColumn");
        QTest::newRow("purchase") << 1 << "ICStockBill"
                                  << "FDCStockID";
        QTest::newRow("requisition") << 24 << "ICStockBill"
                                     << "FSCStockID";
        QTest::newRow("virtual receipt") << 6 << "ZPStockBill"
                                         << "FDCStockID";
        QTest::newRow("processing issue") << 137 << "ICSTJGBill"
                                          << "FSCStockID";
        QTest::newRow("virtual transfer") << 74 << "POStockBill"
                                          << "FDCStockID";
    }

    void documentsGoToTheTablesOfTheirTypes()
    {
        QFETCH(int, type);
        QFETCH(QString, table);
        QFETCH(QString, stockColumn);
        Factories f(conn());
        const int item = f.item({.number = QStringLiteral("1"), .name = QStringLiteral("x")});
        const int stock = f.stock(QStringLiteral("01"), QStringLiteral("仓"));
        const int id = f.document(type, {{.item = item, .qty = 3, .stock = stock}});
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM %1Entry e JOIN %1 b ON b.FInterID = e.FInterID "
                                      "WHERE b.FInterID = ? AND b.FTranType = ? AND e.%2 = ? AND e.FQty = 3")
                           .arg(table, stockColumn),
                       {id, type, stock}),
                 1);
    }

    void unauditedAndOtherDocuments()
    {
        Factories f(conn());
        const int item = f.item({.number = QStringLiteral("1"), .name = QStringLiteral("x")});
        const int stock = f.stock(QStringLiteral("01"), QStringLiteral("仓"));
        f.document(41, {{.item = item, .qty = 2, .stock = stock, .fromStock = stock + 100}}, {.audited = false});
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ICStockBill WHERE FCheckerID IS NULL")), 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ICStockBillEntry WHERE FKFDate IS NULL AND FSCStockID = ?"),
                       {stock + 100}),
                 1);
        f.mtoChange({.item = item, .qty = 1, .stock = stock}, QStringLiteral("MTO1"));
        f.vmiReceipt({.item = item, .qty = 1, .stock = stock});
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM t_MTOChangeEntry WHERE FFromMtoNo = '' AND FToMtoNo = ?"),
                       {QStringLiteral("MTO1")}),
                 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ICVMIInStock WHERE FClassTypeID = 1007601")), 1);
    }

    void usersParametersAndPeriods()
    {
        Factories f(conn());
        const int id = f.user(QStringLiteral("王五"), QStringLiteral("pw"));
        int loggedIn = 0;
        QString error;
        QVERIFY2(erp::checkLogin(conn(), QStringLiteral("王五"), QStringLiteral("pw"), &loggedIn, &error),
                 qPrintable(error));
        QCOMPARE(loggedIn, id);
        f.systemParam(QStringLiteral("IC"), QStringLiteral("UseShortNumber"), QStringLiteral("1"));
        f.systemParam(QStringLiteral("IC"), QStringLiteral("UseShortNumber"), QStringLiteral("0"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM t_SystemProfile WHERE FKey = 'UseShortNumber' "
                                      "AND FValue = '0'")),
                 1);
        f.period(2026, 3, QDate(2026, 3, 1), QDate(2026, 3, 31));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM t_PeriodDate WHERE FStartDate <= ? AND FEndDate >= ?"),
                       {Dialect::dateValue(QDate(2026, 3, 31)), Dialect::dateValue(QDate(2026, 3, 31))}),
                 1);
    }
};

STOCKCHECK_TEST(TestFactories)
#include "tst_factories.moc"
