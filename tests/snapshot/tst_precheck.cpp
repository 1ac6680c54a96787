#include "snapshottest.h"
#include "testmain.h"

using factory::Entry;

namespace {

struct StartRow
{
    bool startKnown, cutOff;
    QDate date;
    char stock;    // A: with rows; B: without; V: a virtual stock, second ledger only
    QString place; // a place-number condition, if any
    QString expected;
};

// A document of the item on 10 March; the check is for the 9th.
struct DocumentRow
{
    int type;   // 0: an MTO change; -1: a retail sale (audited: submitted, cancelled: closed by the day)
    char entry; // A: in stock A; T: transfer A to B; B: the same with B chosen; V: virtual stock; O: another item;
                // C: a retail sale of a counter (shoppe) instead of the stock
    bool audited, cancelled, cutOff;
    QString expected;
};

} // namespace

// The checks before a dialog snapshot, in their order, with the messages a
// person sees.
class TestPreCheck : public SnapshotTest
{
    Q_OBJECT

    int item = 0, stockA = 0, stockB = 0, stockV = 0, placeA = 0, placeB = 0;

    QString refusal(SnapshotParams &p, bool cutOff = false, const QDate &date = QDate(2026, 3, 15))
    {
        ICBackupInv engine;
        QString message;
        if (engine.PreCheck(p, cutOff, date, message))
            return "passed";
        return message.isEmpty() ? "refused without a message" : message;
    }

    // A retail sale of the item from `stock`: submitted or not, closed by the day or not.
    void retail(int id, int stock, bool settled, bool closed, int counter = 0)
    {
        QVERIFY(
            exec("INSERT INTO T_LS_Retail (FID, FBillNo, FDate, FisSettle, FDailyBillID) VALUES (?, ?, ?, ?, ?)",
                 {id, QString::number(id), Dialect::dateValue(QDate(2026, 3, 10)), settled ? 1 : 0, closed ? 9 : 0}));
        QVERIFY(exec("INSERT INTO T_LS_RetailEntry (FID, FEntryID, FItemID, FStock, FShoppeID, FQty)"
                     " VALUES (?, 1, ?, ?, ?, 1)",
                     {id, item, stock, counter}));
    }

    void seed() override
    {
        item = f->item({.number = "4.01", .name = "零件"});
        stockA = f->stock("A", "甲仓 ");
        stockB = f->stock("B", "乙仓");
        stockV = f->stock("V", "虚仓", 502);
        placeA = f->stockPlace(stockA, "PA", "甲位");
        placeB = f->stockPlace(stockB, "PB", "乙位");
        f->currentStock(item, stockA, placeA, 5);
        f->currentStock(item, stockV, 0, 5, {.secondLedger = true});
    }

private slots:
    void startDateAndStock_data()
    {
        QTest::addColumn<StartRow>("row");
        const QString noData = "没有可用的数据，不能备份！";
        const QDate day(2026, 3, 15);
        QTest::addRow("start date unknown") << StartRow{false, false, day, 'A', {}, "refused without a message"};
        QTest::addRow("cut-off before the start")
            << StartRow{true, true, {2025, 12, 31}, 'A', {}, "截止日期不能小于系统启用日期！"};
        QTest::addRow("cut-off on the start day") << StartRow{true, true, {2026, 1, 1}, 'A', {}, "passed"};
        QTest::addRow("current stock: stock without rows") << StartRow{true, false, day, 'B', {}, noData};
        QTest::addRow("cut-off: an empty stock may be rebuilt") << StartRow{true, true, day, 'B', {}, "passed"};
        QTest::addRow("condition leaves no row") << StartRow{true, false, day, 'A', "PB", noData};
        QTest::addRow("condition keeps a row") << StartRow{true, false, day, 'A', "PA", "passed"};
        QTest::addRow("second ledger only") << StartRow{true, false, day, 'V', {}, "passed"};
    }
    void startDateAndStock()
    {
        QFETCH(StartRow, row);
        if (!row.startKnown)
            QVERIFY(exec("DELETE FROM t_PeriodDate"));
        SnapshotParams p = params({row.stock == 'A' ? stockA : row.stock == 'B' ? stockB : stockV});
        if (!row.place.isEmpty())
            p.setConditions({{"仓位代码", "=", row.place, {}}});
        QCOMPARE(refusal(p, row.cutOff, row.date), row.expected);
    }

    // Open retail sales of a chosen stock; each document family by the side that
    // touches a chosen stock; second-ledger families count for virtual stocks
    // (types 502/503) only.
    void openDocuments_data()
    {
        QTest::addColumn<DocumentRow>("row");
        QTest::addRow("retail not submitted")
            << DocumentRow{-1, 'A', false, false, false, "以下仓库有未提交的零售单，请提交后再进行备份：\n【A】甲仓 "};
        QTest::addRow("retail not closed by the day")
            << DocumentRow{-1, 'A', true, false, false, "以下仓库有未日结的零售单，请日结后再进行备份：\n【A】甲仓 "};
        QTest::addRow("retail closed") << DocumentRow{-1, 'A', true, true, false, "passed"};
        QTest::addRow("retail of a counter") << DocumentRow{-1, 'C', false, false, false, "passed"};
        QTest::addRow("cut-off before the sale") << DocumentRow{-1, 'A', false, false, true, "passed"};
        const QString head = "以下仓库(仓位)有未审核的单据，不能备份：\n";
        const QString a = head + "[甲仓]仓库,[甲位]仓位";
        QTest::addRow("receipt") << DocumentRow{1, 'A', false, false, false, a};
        QTest::addRow("audited receipt") << DocumentRow{1, 'A', true, false, false, "passed"};
        QTest::addRow("cancelled receipt") << DocumentRow{1, 'A', false, true, false, "passed"};
        QTest::addRow("transfer into a chosen stock: the receiving side")
            << DocumentRow{41, 'B', false, false, false, head + "[乙仓]仓库,[乙位]仓位"};
        QTest::addRow("transfer out to another stock: the issuing side")
            << DocumentRow{41, 'T', false, false, false, a};
        QTest::addRow("MTO change") << DocumentRow{0, 'A', false, false, false, a};
        QTest::addRow("second-ledger receipt of a virtual stock")
            << DocumentRow{6, 'V', false, false, false, head + "[虚仓]仓库,[]仓位"};
        QTest::addRow("first-ledger receipt of a virtual stock") << DocumentRow{1, 'V', false, false, false, "passed"};
        QTest::addRow("cut-off before the document") << DocumentRow{1, 'A', false, false, true, "passed"};
        QTest::addRow("document of another item") << DocumentRow{1, 'O', false, false, false, "passed"};
    }
    void openDocuments()
    {
        QFETCH(DocumentRow, row);
        if (row.type < 0) {
            retail(1, stockA, row.audited, row.cancelled, row.entry == 'C' ? 5 : 0);
            retail(2, stockB, false, false); // not a chosen stock
        }
        const factory::Header header{.date = QDate(2026, 3, 10), .audited = row.audited, .cancelled = row.cancelled};
        Entry e{.item = item, .qty = 1, .stock = stockA, .place = placeA};
        if (row.entry == 'B' || row.entry == 'T')
            e = {.item = item, .qty = 1, .stock = stockB, .place = placeB, .fromStock = stockA, .fromPlace = placeA};
        else if (row.entry == 'V')
            e = {.item = item, .qty = 1, .stock = stockV};
        else if (row.entry == 'O')
            e.item = f->item({.number = "4.02", .name = "他件"});
        if (row.type > 0)
            f->document(row.type, {e}, header);
        else if (row.type == 0)
            f->mtoChange(e, "M9", header);
        SnapshotParams p = params(row.entry == 'B' ? QList<int>{stockA, stockV, stockB} : QList<int>{stockA, stockV},
                                  QDate(2026, 3, 9));
        p.setConditions({{"物料代码", "=", "4.01", {}}});
        if (row.type < 0)
            p.setValue(SnapshotParams::IsCutDate, row.cutOff); // the retail check reads the mode from the dictionary
        QCOMPARE(refusal(p, row.cutOff, QDate(2026, 3, 9)), row.expected);
        QCOMPARE(p.isCutDate(), row.cutOff); // the snapshot reads the checked mode from the dictionary
    }

    // Only the reserved number of a user up to the maximum is used by now.
    void reservedNumbersAreMarked()
    {
        const int bill = f->document(1, {{.item = item, .qty = 1, .stock = stockA}}, {.date = QDate(2026, 3, 1)});
        const QVariantList reserved[] = {
            {"ICStockBill", bill, 7}, {"ICStockBill", bill + 1, 7}, {"ICStockBill", bill, 0}, {"POStockBill", 1, 7}};
        for (const QVariantList &binds : reserved)
            QVERIFY(exec("INSERT INTO IC_MaxNum (FTableName, FNumber, FUserID, FFlag) VALUES (?, ?, ?, 0)", binds));
        ICBackupInv engine;
        QVERIFY(engine.GetStockBillMaxID(false, {}));
        QCOMPARE(engine.capturedMaxIds().bill, bill);
        QCOMPARE(engine.capturedMaxIds().po, 0);
        QCOMPARE(values("SELECT FNumber FROM IC_MaxNum WHERE FFlag = 1"), QString::number(bill));
        QVERIFY(engine.GetStockBillMaxID(true, QDate(2026, 2, 28)));
        QCOMPARE(engine.capturedMaxIds().bill, 0);
    }

    // A group without entries is left out; an access rule keeps the groups above.
    void fetchItemAddsTheGroupsAbove()
    {
        const int group = f->baseItem(2038, "01", "品牌组", 0, false);
        const int a = f->baseItem(2038, "01.01", "品牌甲", group), b = f->baseItem(2038, "01.02", "品牌乙", group);
        f->baseItem(2038, "02", "空组", 0, false);
        const auto fetched = [] {
            ICBackupInv engine;
            Recordset rs;
            QList<int> ids;
            for (engine.FetchItem(2038, rs), rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
                ids << rs.integer(u"FItemID");
            return ids;
        };
        QCOMPARE(fetched(), (QList<int>{group, a, b}));
        f->accessRule(user, "t_ComBrand", b);
        QCOMPARE(fetched(), (QList<int>{group, b}));
    }
};

STOCKCHECK_TEST(TestPreCheck)
#include "tst_precheck.moc"
