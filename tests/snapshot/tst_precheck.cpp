#include "snapshotfixture.h"
#include "testmain.h"

using factory::Entry;
using factory::Header;

namespace {

struct StartRow
{
    bool startKnown, cutOff;
    QDate date;
    bool stockWithRows;
    QString expected;
};

struct RetailRow
{
    bool settled, closed;
    int counter; // a counter (shoppe) of the sale instead of the stock
    bool cutOff;
    QString expected;
};

struct DocumentRow
{
    int type;   // 0: an MTO change
    char entry; // A: in stock A; T: transfer A to B; B: the same with B chosen; V: virtual stock; O: another item
    bool audited, cancelled, cutOff;
    QString expected;
};

} // namespace

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
        QTest::addColumn<StartRow>("row");
        QTest::addRow("start date unknown") << StartRow{false, false, {2026, 3, 15}, true, "refused without a message"};
        QTest::addRow("cut-off before the start")
            << StartRow{true, true, {2025, 12, 31}, true, "截止日期不能小于系统启用日期！"};
        QTest::addRow("cut-off on the start day") << StartRow{true, true, {2026, 1, 1}, true, "passed"};
        QTest::addRow("current stock: stock without rows")
            << StartRow{true, false, {2026, 3, 15}, false, "没有可用的数据，不能备份！"};
        QTest::addRow("cut-off: an empty stock may be rebuilt") << StartRow{true, true, {2026, 3, 15}, false, "passed"};
        QTest::addRow("current stock: fine") << StartRow{true, false, {2026, 3, 15}, true, "passed"};
    }
    void startDateAndStock()
    {
        QFETCH(StartRow, row);
        if (!row.startKnown)
            QVERIFY_SQL(fx.conn(), fx.conn().Exec(QStringLiteral("DELETE FROM t_PeriodDate")));
        SnapshotParams p = fx.params({row.stockWithRows ? stockA : stockB});
        QCOMPARE(refusal(p, row.cutOff, row.date), row.expected);
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
        QTest::addColumn<RetailRow>("row");
        QTest::addRow("not submitted") << RetailRow{false, false, 0, false,
                                                    "以下仓库有未提交的零售单，请提交后再进行备份：\n【A】甲仓 "};
        QTest::addRow("not closed by the day")
            << RetailRow{true, false, 0, false, "以下仓库有未日结的零售单，请日结后再进行备份：\n【A】甲仓 "};
        QTest::addRow("closed") << RetailRow{true, true, 0, false, "passed"};
        QTest::addRow("a counter's sale is not the stock's") << RetailRow{false, false, 5, false, "passed"};
        QTest::addRow("cut-off before the sale") << RetailRow{false, false, 0, true, "passed"};
    }
    void openRetailDocuments()
    {
        QFETCH(RetailRow, row);
        retail(1, stockA, row.settled, row.closed, row.counter);
        retail(2, stockB, false, false); // not a chosen stock
        SnapshotParams p = fx.params({stockA}, QDate(2026, 3, 9));
        p.setValue(SnapshotParams::IsCutDate, row.cutOff);
        QCOMPARE(refusal(p, row.cutOff, QDate(2026, 3, 9)), row.expected);
    }

    // Each document family by the side that touches a chosen stock; second-ledger
    // families count for virtual stocks (types 502/503) only.
    void unauditedDocuments_data()
    {
        QTest::addColumn<DocumentRow>("row");
        const QString head = QStringLiteral("以下仓库(仓位)有未审核的单据，不能备份：\n");
        const QString a = head + QStringLiteral("[甲仓]仓库,[甲位]仓位");
        QTest::addRow("receipt") << DocumentRow{1, 'A', false, false, false, a};
        QTest::addRow("audited receipt") << DocumentRow{1, 'A', true, false, false, "passed"};
        QTest::addRow("cancelled receipt") << DocumentRow{1, 'A', false, true, false, "passed"};
        QTest::addRow("requisition: the issuing stock") << DocumentRow{24, 'A', false, false, false, a};
        QTest::addRow("transfer into a chosen stock: the receiving side")
            << DocumentRow{41, 'B', false, false, false, head + QStringLiteral("[乙仓]仓库,[乙位]仓位")};
        QTest::addRow("transfer out to another stock: the issuing side")
            << DocumentRow{41, 'T', false, false, false, a};
        QTest::addRow("MTO change") << DocumentRow{0, 'A', false, false, false, a};
        QTest::addRow("second-ledger receipt of a virtual stock")
            << DocumentRow{6, 'V', false, false, false, head + QStringLiteral("[虚仓]仓库,[]仓位")};
        QTest::addRow("first-ledger receipt of a virtual stock") << DocumentRow{1, 'V', false, false, false, "passed"};
        QTest::addRow("cut-off before the document") << DocumentRow{1, 'A', false, false, true, "passed"};
        QTest::addRow("document of another item") << DocumentRow{1, 'O', false, false, false, "passed"};
    }
    void unauditedDocuments()
    {
        QFETCH(DocumentRow, row);
        Factories &f = *fx.f;
        const Header header{.date = QDate(2026, 3, 10), .audited = row.audited, .cancelled = row.cancelled};
        Entry e{.item = item, .qty = 1, .stock = stockA, .place = placeA};
        if (row.entry == 'B' || row.entry == 'T')
            e = {.item = item, .qty = 1, .stock = stockB, .place = placeB, .fromStock = stockA, .fromPlace = placeA};
        else if (row.entry == 'V')
            e = {.item = item, .qty = 1, .stock = stockV};
        else if (row.entry == 'O')
            e.item = f.item({.number = QStringLiteral("4.02"), .name = QStringLiteral("他件")});
        row.type ? void(f.document(row.type, {e}, header)) : void(f.mtoChange(e, QStringLiteral("M9"), header));
        SnapshotParams p = fx.params(row.entry == 'B' ? QList<int>{stockA, stockV, stockB} : QList<int>{stockA, stockV},
                                     QDate(2026, 3, 9));
        p.setConditions({{QStringLiteral("物料代码"), QStringLiteral("="), QStringLiteral("4.01"), {}}});
        QCOMPARE(refusal(p, row.cutOff, QDate(2026, 3, 9)), row.expected);
        QCOMPARE(p.isCutDate(), row.cutOff);
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
