#include "snapshotfixture.h"
#include "testmain.h"

using factory::Entry;
using factory::Header;

// The checks before a dialog snapshot, in their order, with the messages a
// person sees.
class TestPreCheck : public QObject
{
    Q_OBJECT

    SnapshotFixture fx;
    int item = 0, stockA = 0, stockB = 0, stockV = 0, placeA = 0, placeB = 0;

    QString refusal(SnapshotParams &p, bool cutOff = false, const QDate &date = QDate(2026, 3, 15))
    {
        ICBackupInv engine;
        QString message;
        const bool passed = engine.PreCheck(p, cutOff, date, message);
        if (passed)
            return QStringLiteral("passed");
        return message.isEmpty() ? QStringLiteral("refused without a message") : message;
    }

    // A retail sale of the item from `stock`: submitted or not, closed by the day or not.
    void retail(int id, int stock, bool settled, bool closed, int counter = 0, const QDate &date = QDate(2026, 3, 10))
    {
        QVERIFY_SQL(fx.conn(), fx.conn().Exec(QStringLiteral("INSERT INTO T_LS_Retail (FID, FBillNo, FDate, FisSettle, "
                                                             "FDailyBillID) VALUES (?, ?, ?, ?, ?)"),
                                              {id, QStringLiteral("LS%1").arg(id), Dialect::dateValue(date),
                                               settled ? 1 : 0, closed ? 9 : 0}));
        QVERIFY_SQL(fx.conn(), fx.conn().Exec(QStringLiteral("INSERT INTO T_LS_RetailEntry (FID, FEntryID, FItemID, "
                                                             "FStock, FShoppeID, FQty) VALUES (?, 1, ?, ?, ?, 1)"),
                                              {id, item, stock, counter}));
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        QVERIFY(fx.setUp());
        Factories &f = *fx.f;
        item = f.item({.number = QStringLiteral("4.01"), .name = QStringLiteral("零件")});
        stockA = f.stock(QStringLiteral("A"), QStringLiteral("甲仓 "));
        stockB = f.stock(QStringLiteral("B"), QStringLiteral("乙仓"));
        stockV = f.stock(QStringLiteral("V"), QStringLiteral("虚仓"), 502);
        placeA = f.stockPlace(stockA, QStringLiteral("PA"), QStringLiteral("甲位"));
        placeB = f.stockPlace(stockB, QStringLiteral("PB"), QStringLiteral("乙位"));
        f.currentStock(item, stockA, placeA, 5);
        f.currentStock(item, stockV, 0, 5, {.secondLedger = true});
    }
    void cleanup() { fx.tearDown(); }

    void startDateAndStock_data()
    {
        QTest::addColumn<bool>("startKnown");
        QTest::addColumn<bool>("cutOff");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("stockIndex"); // 0: A with stock, 1: B without
        QTest::addColumn<QString>("expected");
        QTest::addRow("start date unknown") << false << false << QDate(2026, 3, 15) << 0 << "refused without a message";
        QTest::addRow("cut-off before the start")
            << true << true << QDate(2025, 12, 31) << 0 << "截止日期不能小于系统启用日期！";
        QTest::addRow("cut-off on the start day") << true << true << QDate(2026, 1, 1) << 0 << "passed";
        QTest::addRow("current stock: stock without rows")
            << true << false << QDate(2026, 3, 15) << 1 << "没有可用的数据，不能备份！";
        QTest::addRow("cut-off: an empty stock may be rebuilt") << true << true << QDate(2026, 3, 15) << 1 << "passed";
        QTest::addRow("current stock: fine") << true << false << QDate(2026, 3, 15) << 0 << "passed";
    }
    void startDateAndStock()
    {
        QFETCH(bool, startKnown);
        QFETCH(bool, cutOff);
        QFETCH(QDate, date);
        QFETCH(int, stockIndex);
        QFETCH(QString, expected);
        if (!startKnown)
            QVERIFY_SQL(fx.conn(), fx.conn().Exec(QStringLiteral("DELETE FROM t_PeriodDate")));
        SnapshotParams p = fx.params({stockIndex == 0 ? stockA : stockB});
        QCOMPARE(refusal(p, cutOff, date), expected);
    }

    void goodsFilterOfTheStockCheck()
    {
        SnapshotParams p = fx.params({stockA});
        p.setConditions({{QStringLiteral("仓位代码"), QStringLiteral("="), QStringLiteral("PB"), {}}});
        QCOMPARE(refusal(p), QStringLiteral("没有可用的数据，不能备份！"));
        p.setConditions({{QStringLiteral("仓位代码"), QStringLiteral("="), QStringLiteral("PA"), {}}});
        QCOMPARE(refusal(p), QStringLiteral("passed"));
        // the second ledger counts too
        SnapshotParams virtualStock = fx.params({stockV});
        QCOMPARE(refusal(virtualStock), QStringLiteral("passed"));
    }

    void openRetailDocuments_data()
    {
        QTest::addColumn<bool>("settled");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("counter");
        QTest::addColumn<bool>("cutOff");
        QTest::addColumn<QString>("expected");
        QTest::addRow("not submitted") << false << false << 0 << false
                                       << "以下仓库有未提交的零售单，请提交后再进行备份：\n【A】甲仓 ";
        QTest::addRow("not closed by the day")
            << true << false << 0 << false << "以下仓库有未日结的零售单，请日结后再进行备份：\n【A】甲仓 ";
        QTest::addRow("closed") << true << true << 0 << false << "passed";
        QTest::addRow("a counter's sale is not the stock's") << false << false << 5 << false << "passed";
        QTest::addRow("cut-off before the sale") << false << false << 0 << true << "passed";
    }
    void openRetailDocuments()
    {
        QFETCH(bool, settled);
        QFETCH(bool, closed);
        QFETCH(int, counter);
        QFETCH(bool, cutOff);
        QFETCH(QString, expected);
        retail(1, stockA, settled, closed, counter, QDate(2026, 3, 10));
        retail(2, stockB, false, false); // not a chosen stock
        SnapshotParams p = fx.params({stockA}, QDate(2026, 3, 9));
        p.setValue(SnapshotParams::IsCutDate, cutOff);
        QCOMPARE(refusal(p, cutOff, QDate(2026, 3, 9)), expected);
    }

    void unauditedDocuments_data()
    {
        QTest::addColumn<int>("scenario");
        QTest::addColumn<QString>("expected");
        const QString head = QStringLiteral("以下仓库(仓位)有未审核的单据，不能备份：\n");
        QTest::addRow("receipt") << 0 << head + "[甲仓]仓库,[甲位]仓位";
        QTest::addRow("audited receipt") << 1 << "passed";
        QTest::addRow("cancelled receipt") << 2 << "passed";
        QTest::addRow("requisition: the issuing stock") << 3 << head + "[甲仓]仓库,[甲位]仓位";
        QTest::addRow("transfer into a chosen stock: the receiving side") << 4 << head + "[乙仓]仓库,[乙位]仓位";
        QTest::addRow("transfer out to another stock: the issuing side") << 5 << head + "[甲仓]仓库,[甲位]仓位";
        QTest::addRow("MTO change") << 6 << head + "[甲仓]仓库,[甲位]仓位";
        QTest::addRow("second-ledger receipt of a virtual stock") << 7 << head + "[虚仓]仓库,[]仓位";
        QTest::addRow("first-ledger receipt of a virtual stock") << 8 << "passed";
        QTest::addRow("cut-off before the document") << 9 << "passed";
        QTest::addRow("document of another item") << 10 << "passed";
    }
    void unauditedDocuments()
    {
        QFETCH(int, scenario);
        QFETCH(QString, expected);
        Factories &f = *fx.f;
        const Header open{.date = QDate(2026, 3, 10), .audited = false};
        const Entry inA{.item = item, .qty = 1, .stock = stockA, .place = placeA};
        QList<int> stocks{stockA, stockV};
        bool cutOff = false;
        switch (scenario) {
        case 0:
            f.document(1, {inA}, open);
            break;
        case 1:
            f.document(1, {inA}, {.date = QDate(2026, 3, 10)});
            break;
        case 2:
            f.document(1, {inA}, {.date = QDate(2026, 3, 10), .audited = false, .cancelled = true});
            break;
        case 3:
            f.document(24, {inA}, open);
            break;
        case 4:
            stocks << stockB;
            f.document(
                41,
                {{.item = item, .qty = 1, .stock = stockB, .place = placeB, .fromStock = stockA, .fromPlace = placeA}},
                open);
            break;
        case 5:
            f.document(
                41,
                {{.item = item, .qty = 1, .stock = stockB, .place = placeB, .fromStock = stockA, .fromPlace = placeA}},
                open);
            break;
        case 6:
            f.mtoChange(inA, QStringLiteral("M9"), open);
            break;
        case 7:
            f.document(6, {{.item = item, .qty = 1, .stock = stockV}}, open);
            break;
        case 8:
            f.document(1, {{.item = item, .qty = 1, .stock = stockV}}, open);
            break;
        case 9:
            cutOff = true;
            f.document(1, {inA}, open);
            break;
        case 10: {
            const int other = f.item({.number = QStringLiteral("4.02"), .name = QStringLiteral("他件")});
            f.document(1, {{.item = other, .qty = 1, .stock = stockA, .place = placeA}}, open);
            break;
        }
        }
        SnapshotParams p = fx.params(stocks, QDate(2026, 3, 9));
        p.setConditions({{QStringLiteral("物料代码"), QStringLiteral("="), QStringLiteral("4.01"), {}}});
        QCOMPARE(refusal(p, cutOff, QDate(2026, 3, 9)), expected);
        QCOMPARE(p.isCutDate(), cutOff);
        QCOMPARE(p.cutDate(), QDate(2026, 3, 9));
    }

    void reservedNumbersAreMarked()
    {
        const int bill = fx.f->document(1, {{.item = item, .qty = 1, .stock = stockA, .place = placeA}},
                                        {.date = QDate(2026, 3, 1)});
        for (const auto &[table, number, user] :
             {std::tuple{"ICStockBill", bill, 7}, std::tuple{"ICStockBill", bill + 1, 7},
              std::tuple{"ICStockBill", bill, 0}, std::tuple{"POStockBill", 1, 7}})
            QVERIFY_SQL(fx.conn(), fx.conn().Exec(QStringLiteral("INSERT INTO IC_MaxNum (FTableName, FNumber, FUserID, "
                                                                 "FFlag) VALUES (?, ?, ?, 0)"),
                                                  {QString::fromLatin1(table), number, user}));
        ICBackupInv engine;
        QVERIFY(engine.GetStockBillMaxID(false, {}));
        QCOMPARE(engine.capturedMaxIds().bill, bill);
        QCOMPARE(engine.capturedMaxIds().po, 0);
        // only the reserved number of a user up to the maximum is used by now
        QCOMPARE(fx.scalar(QStringLiteral("SELECT COUNT(*) FROM IC_MaxNum WHERE FFlag = 1")), 1);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT FNumber FROM IC_MaxNum WHERE FFlag = 1")), bill);
        QVERIFY(engine.GetStockBillMaxID(true, QDate(2026, 2, 28)));
        QCOMPARE(engine.capturedMaxIds().bill, 0);
    }

    void fetchItemAddsTheGroupsAbove()
    {
        Factories &f = *fx.f;
        const int group = f.baseItem(2038, QStringLiteral("01"), QStringLiteral("品牌组"), 0, false);
        const int a = f.baseItem(2038, QStringLiteral("01.01"), QStringLiteral("品牌甲"), group);
        const int b = f.baseItem(2038, QStringLiteral("01.02"), QStringLiteral("品牌乙"), group);
        f.baseItem(2038, QStringLiteral("02"), QStringLiteral("空组"), 0, false);
        ICBackupInv engine;
        Recordset rs;
        QVERIFY(engine.FetchItem(2038, rs));
        QList<int> ids;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            ids << rs.integer(u"FItemID");
        QCOMPARE(ids, (QList<int>{group, a, b})); // a group without entries is left out

        fx.f->accessRule(fx.user, QStringLiteral("t_ComBrand"), b);
        QVERIFY(engine.FetchItem(2038, rs));
        ids.clear();
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            ids << rs.integer(u"FItemID");
        QCOMPARE(ids, (QList<int>{group, b}));
    }
};

STOCKCHECK_TEST(TestPreCheck)
#include "tst_precheck.moc"
