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
        if (!db->open(&error)) {
            qWarning("%s", qPrintable(error));
            return nullptr;
        }
        erp::DemoOptions options;
        options.size = size;
        options.today = today;
        options.seed = seed;
        if (!erp::fillDemoData(db->conn(), options, &error)) {
            qWarning("%s", qPrintable(error));
            return nullptr;
        }
        return db;
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

    void positionsFollowTheSize_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("tiny") << 20;
        QTest::newRow("default") << 300;
        QTest::newRow("larger") << 3000;
    }

    void positionsFollowTheSize()
    {
        QFETCH(int, size);
        auto db = filled(size);
        QVERIFY(db);
        AppConnection &c = db->conn();
        const double ic = scalar(c, QStringLiteral("SELECT COUNT(*) FROM ICInventory"));
        const double po = scalar(c, QStringLiteral("SELECT COUNT(*) FROM POInventory"));
        QCOMPARE(ic + po, double(size));
        QVERIFY(scalar(c, QStringLiteral("SELECT COUNT(*) FROM t_ICItem")) >= size / 4);
        QVERIFY(scalar(c, QStringLiteral("SELECT COUNT(*) FROM ICStockBill")) > 0);
        // a stock position is one row: no two rows share their identity
        QCOMPARE(scalar(c, QStringLiteral("SELECT COUNT(*) FROM (SELECT FItemID FROM ICInventory GROUP BY FItemID, "
                                          "FStockID, FStockPlaceID, FBatchNo, FMtoNo, FAuxPropID, FKFDate, FKFPeriod "
                                          "HAVING COUNT(*) > 1) d")),
                 0.0);
    }

    void rowsReferToExistingMasterData()
    {
        auto db = filled(600);
        QVERIFY(db);
        AppConnection &c = db->conn();
        const QStringList orphans = {
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
            "t.FUnitGroupID OR u.FUnitGroupID IS NULL OR u.FUnitGroupID <> t.FUnitGroupID OR b.FStandard <> 1",
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
    }

    // Today's book stock of the first ledger is the opening balance of the period plus
    // the posted movements of the period: what a reconstruction as at today finds.
    void bookStockFollowsBalancesAndDocuments()
    {
        auto db = filled(1500);
        QVERIFY(db);
        AppConnection &c = db->conn();
        const QVariantList period = {today.year(), today.month()};
        const double stock = scalar(c, QStringLiteral("SELECT SUM(FQty) FROM ICInventory"));
        const double opening = scalar(c,
                                      QStringLiteral("SELECT SUM(FBegQty) FROM ICInvBal WHERE FYear = ? AND "
                                                     "FPeriod = ?"),
                                      period) +
                               scalar(c,
                                      QStringLiteral("SELECT SUM(FBegQty) FROM ICVMIInvBal WHERE FYear = ? AND "
                                                     "FPeriod = ?"),
                                      period);
        const QString posted = QStringLiteral(" AND (b.FCheckerID <> 0 OR b.FUpStockWhenSave = 1) AND b.FDate >= ?");
        const QVariantList since = {Dialect::dateValue(QDate(today.year(), today.month(), 1))};
        const double moved =
            scalar(c,
                   QStringLiteral("SELECT SUM(CASE WHEN b.FTranType IN (1,2,5,10,40) THEN e.FQty "
                                  "WHEN b.FTranType IN (21,24,28,29,43) THEN -e.FQty ELSE 0 END) "
                                  "FROM ICStockBillEntry e JOIN ICStockBill b ON b.FInterID = e.FInterID "
                                  "WHERE b.FCancellation = 0 AND COALESCE(b.FPOMode, 0) <> 36681") +
                       posted,
                   since) +
            scalar(c,
                   QStringLiteral("SELECT COALESCE(SUM(e.FQty), 0) FROM ICVMIInStockEntry e JOIN ICVMIInStock b "
                                  "ON b.FID = e.FID WHERE 1 = 1") +
                       posted,
                   since);
        QVERIFY2(qAbs(opening + moved - stock) < 1e-6 * qMax(1.0, qAbs(stock)),
                 qPrintable(QStringLiteral("opening %1 + moved %2 <> stock %3").arg(opening).arg(moved).arg(stock)));
        // the balances of the previous period close where the current ones open
        const double previousEnd =
            scalar(c, QStringLiteral("SELECT SUM(FEndQty) FROM ICInvBal WHERE FYear = ? AND FPeriod = ?"),
                   {QDate(today.year(), today.month(), 1).addDays(-1).year(),
                    QDate(today.year(), today.month(), 1).addDays(-1).month()});
        const double currentBegin =
            scalar(c, QStringLiteral("SELECT SUM(FBegQty) FROM ICInvBal WHERE FYear = ? AND FPeriod = ?"), period);
        QVERIFY(qAbs(previousEnd - currentBegin) < 1e-6 * qMax(1.0, qAbs(currentBegin)));
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
        QVERIFY(erp::checkLogin(c, QStringLiteral("张三"), QStringLiteral("123456"), &id, &error));
        // documents without an audit sit in one stock only, so snapshots elsewhere go ahead
        QCOMPARE(scalar(c, QStringLiteral("SELECT COUNT(DISTINCT e.FDCStockID + e.FSCStockID) FROM ICStockBillEntry e "
                                          "JOIN ICStockBill b ON b.FInterID = e.FInterID WHERE b.FCheckerID IS NULL")),
                 1.0);
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
