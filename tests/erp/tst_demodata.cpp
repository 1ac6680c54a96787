#include "erp/demodata.h"
#include "erp/users.h"
#include "testdb.h"
#include "testmain.h"

#include <QTest>

// The demo data generator: reproducible from its seed, sized as asked, every row
// pointing at existing master data, and book stock that follows from the opening
// balances and the posted documents.
class TestDemoData : public QObject
{
    Q_OBJECT

    const QDate today{2026, 3, 18};

    std::unique_ptr<TestDb> filled(int size, quint32 seed = 7)
    {
        auto db = std::make_unique<TestDb>();
        QString error;
        if (db->open(&error) && erp::fillDemoData(db->conn(), erp::DemoOptions{size, today, seed}, &error))
            return db;
        qWarning("%s", qPrintable(error));
        return nullptr;
    }

    static double scalar(AppConnection &c, const QString &sql, const QVariantList &binds = {})
    {
        Recordset rs = c.Execute(sql, binds);
        if (!rs.isOpen())
            qWarning("%s", qPrintable(c.lastError().detailed()));
        return rs.isOpen() ? Recordset::toNumber(rs.Fields(0)) : -1;
    }

    // Every row of the table as text, in a fixed order.
    static QStringList dump(AppConnection &c, const QString &table, const QString &order)
    {
        Recordset rs = c.Execute(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(table, order));
        QStringList rows;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            QStringList cells;
            for (int f = 0; f < rs.fieldCount(); ++f)
                cells << rs.Fields(f).toString();
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }

    void sameSeedSameRows()
    {
        auto a = filled(200);
        auto b = filled(200);
        auto c = filled(200, 8);
        QVERIFY(a && b && c);
        const QList<QPair<QString, QString>> tables = {
            {"t_ICItem", "FItemID"},
            {"ICInventory", "FItemID, FStockID, FStockPlaceID, FBatchNo, FMtoNo, FAuxPropID, FKFDate"},
            {"ICStockBillEntry", "FInterID, FEntryID"},
            {"ICInvBal", "FYear, FPeriod, FItemID, FStockID, FStockPlaceID, FBatchNo, FMtoNo, FAuxPropID, FKFDate"},
            {"t_user", "FUserID"}};
        for (const auto &[table, order] : tables) {
            const QStringList rowsA = dump(a->conn(), table, order);
            QVERIFY2(!rowsA.isEmpty(), qPrintable(table));
            QCOMPARE(dump(b->conn(), table, order), rowsA);
        }
        QVERIFY(dump(c->conn(), QStringLiteral("ICInventory"), QStringLiteral("FItemID, FStockID, FQty")) !=
                dump(a->conn(), QStringLiteral("ICInventory"), QStringLiteral("FItemID, FStockID, FQty")));
    }

    // Sized as asked, every row pointing at existing master data, and today's book
    // stock the opening balance of the period plus its posted movements: what a
    // reconstruction as at today finds.
    void invariantsAtEverySize_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("tiny") << 20;
        QTest::newRow("default") << 300;
    }
    void invariantsAtEverySize()
    {
        QFETCH(int, size);
        auto db = filled(size);
        QVERIFY(db);
        AppConnection &c = db->conn();
        QCOMPARE(scalar(c, QStringLiteral("SELECT COUNT(*) FROM ICInventory")) +
                     scalar(c, QStringLiteral("SELECT COUNT(*) FROM POInventory")),
                 double(size));
        QVERIFY(scalar(c, QStringLiteral("SELECT COUNT(*) FROM t_ICItem")) >= size / 4);
        const QStringList orphans = {
            // a stock position is one row: no two rows share their identity
            "SELECT COUNT(*) FROM (SELECT FItemID FROM ICInventory GROUP BY FItemID, FStockID, FStockPlaceID, "
            "FBatchNo, FMtoNo, FAuxPropID, FKFDate, FKFPeriod HAVING COUNT(*) > 1) d",
            // current stock: item, stock, and a stock place of the stock's own place group (or none)
            "SELECT COUNT(*) FROM ICInventory i LEFT JOIN t_ICItem t ON t.FItemID = i.FItemID "
            "LEFT JOIN t_Stock s ON s.FItemID = i.FStockID WHERE t.FItemID IS NULL OR s.FItemID IS NULL",
            "SELECT COUNT(*) FROM POInventory i LEFT JOIN t_ICItem t ON t.FItemID = i.FItemID "
            "LEFT JOIN t_Stock s ON s.FItemID = i.FStockID WHERE t.FItemID IS NULL OR s.FItemID IS NULL",
            "SELECT COUNT(*) FROM ICInventory i JOIN t_Stock s ON s.FItemID = i.FStockID "
            "LEFT JOIN t_StockPlace p ON p.FSPID = i.FStockPlaceID "
            "WHERE p.FSPID IS NULL OR (i.FStockPlaceID <> 0 AND p.FSPGroupID <> s.FSPGroupID) "
            "OR (s.FIsStockMgr = 1 AND i.FStockPlaceID = 0)",
            // units of items belong to the item's group; secondary units exist
            "SELECT COUNT(*) FROM t_ICItem t LEFT JOIN t_MeasureUnit b ON b.FMeasureUnitID = t.FUnitID "
            "LEFT JOIN t_MeasureUnit s ON s.FItemID = t.FStoreUnitID LEFT JOIN t_MeasureUnit u ON u.FItemID = "
            "t.FCUUnitID WHERE b.FUnitGroupID IS NULL OR b.FUnitGroupID <> t.FUnitGroupID OR s.FUnitGroupID <> "
            "t.FUnitGroupID OR u.FUnitGroupID IS NULL OR u.FUnitGroupID <> t.FUnitGroupID OR b.FStandard <> 1 OR "
            "b.FCoefficient <> 1 "
            "OR s.FCoefficient <= 0 OR u.FCoefficient <= 0",
            "SELECT COUNT(*) FROM t_ICItem t LEFT JOIN t_MeasureUnit s ON s.FItemID = t.FSecUnitID "
            "WHERE t.FSecUnitID <> 0 AND (s.FItemID IS NULL OR t.FSecCoefficient <= 0)",
            // the item's other tables and its t_Item row
            "SELECT COUNT(*) FROM t_ICItem t LEFT JOIN t_ICItemBase b ON b.FItemID = t.FItemID "
            "LEFT JOIN t_ICItemMaterial m ON m.FItemID = t.FItemID LEFT JOIN t_Item i ON i.FItemID = t.FItemID "
            "AND i.FItemClassID = 4 WHERE b.FItemID IS NULL OR m.FItemID IS NULL OR i.FItemID IS NULL "
            "OR b.FQtyDecimal <> t.FQtyDecimal",
            "SELECT COUNT(*) FROM t_Stock s LEFT JOIN t_Item i ON i.FItemID = s.FItemID AND i.FItemClassID = 5 "
            "WHERE i.FItemID IS NULL",
            // management flags are honoured by the positions
            "SELECT COUNT(*) FROM ICInventory i JOIN t_ICItem t ON t.FItemID = i.FItemID "
            "WHERE (t.FBatchManager = 1) <> (i.FBatchNo <> '') OR (t.FISKFPeriod = 1) <> (i.FKFDate <> '') "
            "OR (t.FAuxClassID <> 0) <> (i.FAuxPropID <> 0)",
            // document entries belong to headers; transfers name both sides
            "SELECT COUNT(*) FROM ICStockBillEntry e LEFT JOIN ICStockBill b ON b.FInterID = e.FInterID "
            "WHERE b.FInterID IS NULL",
            "SELECT COUNT(*) FROM ICStockBillEntry e JOIN ICStockBill b ON b.FInterID = e.FInterID "
            "WHERE b.FTranType = 41 AND (e.FDCStockID = 0 OR e.FSCStockID = 0)",
            "SELECT COUNT(*) FROM t_MTOChangeEntry e WHERE e.FFromMtoNo = e.FToMtoNo",
        };
        for (const QString &sql : orphans)
            QVERIFY2(scalar(c, sql) == 0, qPrintable(sql));

        const QVariantList period = {today.year(), today.month()};
        const QString opening =
            QStringLiteral("SELECT COALESCE(SUM(FBegQty), 0) FROM %1 WHERE FYear = ? AND FPeriod = ?");
        const QString posted = QStringLiteral(" AND (b.FCheckerID <> 0 OR b.FUpStockWhenSave = 1) AND b.FDate >= ?");
        const QVariantList since = {Dialect::dateValue(QDate(today.year(), today.month(), 1))};
        const double stock = scalar(c, QStringLiteral("SELECT COALESCE(SUM(FQty), 0) FROM ICInventory"));
        const double begin = scalar(c, opening.arg(QLatin1String("ICInvBal")), period);
        const double moved =
            scalar(c,
                   QStringLiteral("SELECT COALESCE(SUM(CASE WHEN b.FTranType IN (1,2,5,10,40) THEN e.FQty "
                                  "WHEN b.FTranType IN (21,24,28,29,43) THEN -e.FQty ELSE 0 END), 0) "
                                  "FROM ICStockBillEntry e JOIN ICStockBill b ON b.FInterID = e.FInterID "
                                  "WHERE b.FCancellation = 0 AND COALESCE(b.FPOMode, 0) <> 36681") +
                       posted,
                   since) +
            scalar(c,
                   QStringLiteral("SELECT COALESCE(SUM(e.FQty), 0) FROM ICVMIInStockEntry e JOIN ICVMIInStock b "
                                  "ON b.FID = e.FID WHERE 1 = 1") +
                       posted,
                   since);
        const double total = begin + scalar(c, opening.arg(QLatin1String("ICVMIInvBal")), period) + moved;
        QVERIFY2(qAbs(total - stock) < 1e-6 * qMax(1.0, qAbs(stock)),
                 qPrintable(QStringLiteral("opening and movements %1 <> stock %2").arg(total).arg(stock)));
        // the balances of the previous period close where the current ones open
        const QDate previous = QDate(today.year(), today.month(), 1).addDays(-1);
        const double previousEnd =
            scalar(c, QStringLiteral("SELECT COALESCE(SUM(FEndQty), 0) FROM ICInvBal WHERE FYear = ? AND FPeriod = ?"),
                   {previous.year(), previous.month()});
        QVERIFY(qAbs(previousEnd - begin) < 1e-6 * qMax(1.0, qAbs(begin)));
    }

    void settingsUsersAndRefusals()
    {
        auto db = filled(100);
        QVERIFY(db);
        AppConnection &c = db->conn();
        Recordset p =
            c.Execute(QStringLiteral("SELECT FValue FROM t_SystemProfile WHERE FCategory = 'IC' AND FKey = ?"),
                      {QStringLiteral("CurrentPeriod")});
        QCOMPARE(p.text(u"FValue"), QStringLiteral("3"));
        QCOMPARE(scalar(c, QStringLiteral("SELECT COUNT(*) FROM t_PeriodDate WHERE FStartDate <= ? AND FEndDate >= ?"),
                        {Dialect::dateValue(today), Dialect::dateValue(today)}),
                 1.0);
        int id = 0;
        QString error;
        QVERIFY2(erp::checkLogin(c, QStringLiteral("demo"), QString(), &id, &error), qPrintable(error));
        QCOMPARE(id, 16394);
        // the users and passwords `init` announces
        for (const auto &[name, password] :
             {std::pair{"张三", "123456"}, {"李四", "654321"}, {"administrator", "admin"}})
            QVERIFY2(erp::checkLogin(c, QString::fromUtf8(name), QString::fromUtf8(password), &id, &error),
                     qPrintable(error));
        // documents without an audit sit in one stock only, so snapshots elsewhere go ahead
        QCOMPARE(scalar(c, QStringLiteral("SELECT COUNT(DISTINCT e.FDCStockID + e.FSCStockID) FROM ICStockBillEntry e "
                                          "JOIN ICStockBill b ON b.FInterID = e.FInterID WHERE b.FCheckerID IS NULL")),
                 1.0);
        // posted documents of the last days: a snapshot a few days back finds later ones
        QVERIFY(scalar(c, QStringLiteral("SELECT COUNT(*) FROM ICStockBill WHERE FDate >= ? AND FCheckerID <> 0"),
                       {Dialect::dateValue(today.addDays(-3))}) > 0);
        // a second fill is refused and adds nothing
        const double items = scalar(c, QStringLiteral("SELECT COUNT(*) FROM t_ICItem"));
        erp::DemoOptions again;
        again.today = today;
        QVERIFY(!erp::fillDemoData(c, again, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(scalar(c, QStringLiteral("SELECT COUNT(*) FROM t_ICItem")), items);
    }
};

STOCKCHECK_TEST(TestDemoData)
#include "tst_demodata.moc"
