#include "snapshottest.h"
#include "testmain.h"

using factory::Entry;
using factory::Header;

// A snapshot as at a cut-off date: the base period's opening balances plus the
// posted documents of both ledgers up to the cut-off day, summed per position.
class TestCutoffSnapshot : public SnapshotTest
{
    Q_OBJECT

    int x = 0, y = 0, w = 0;
    int stockA = 0, stockB = 0, stockZ = 0, stockZ2 = 0, stockC = 0, stockEmpty = 0;
    int pA = 0, pB = 0, pZ = 0, pZ2 = 0;

    static Header on(int month, int day, bool audited = true)
    {
        return {.date = {2026, month, day}, .audited = audited};
    }

    // A document of item x in stock A.
    void xa(int type, double qty, const Header &header)
    {
        f->document(type, {{.item = x, .qty = qty, .stock = stockA, .place = pA}}, header);
    }

    // The first ledger in stocks A and B (current period 3, cut-off 15 March).
    void firstLedger()
    {
        f->balance(2026, 3, x, stockA, pA, 100);
        f->balance(2026, 3, y, stockA, pA, 5, {}, QDate(2026, 3, 20)); // came in after the cut-off
        f->balance(2026, 2, x, stockA, pA, 999);                       // another period
        QVERIFY(exec("INSERT INTO ICVMIInvBal (FYear, FPeriod, FItemID, FStockID, "
                     "FStockPlaceID, FBatchNo, FStockInDate, FBegQty) "
                     "VALUES (2026, 3, ?, ?, ?, 'V', ?, 3)",
                     {x, stockA, pA, Dialect::dateValue(QDate(2026, 2, 1))}));
        xa(1, 10, on(3, 5));
        xa(21, 3, on(3, 6));
        xa(24, 2, on(3, 7));
        f->document(41, {{.item = x, .qty = 5, .stock = stockB, .place = pB, .fromStock = stockA, .fromPlace = pA}},
                    on(3, 8));
        xa(1, 1000, on(3, 9, false));
        xa(1, 1000, {.date = {2026, 3, 9}, .cancelled = true});
        xa(1, 7, {.date = {2026, 3, 9}, .audited = false, .upStockWhenSave = true});
        xa(1, 500, on(3, 20));
        xa(1, 500, on(2, 20));
        xa(1, 300, {.date = {2026, 3, 9}, .poMode = 36681});
        xa(1, 1, on(3, 15));
        f->mtoChange({.item = x, .qty = 4, .stock = stockA, .place = pA}, "M1", on(3, 10));
        f->vmiReceipt({.item = x, .qty = 6, .stock = stockA, .place = pA}, 0, on(3, 11));
        f->vmiReceipt({.item = x, .qty = 2, .stock = stockA, .place = pA}, 0,
                      {.date = {2026, 3, 11}, .cancelled = true});
        // parts that cancel out still give a row
        f->document(1, {{.item = y, .qty = 3, .stock = stockB, .place = pB}}, on(3, 4));
        f->document(21, {{.item = y, .qty = 3, .stock = stockB, .place = pB}}, on(3, 5));
    }

    // The second ledger in stocks Z and Z2, and a receipt carried on into the first.
    void secondLedger()
    {
        f->balance(2026, 3, y, stockZ, pZ, 50, {.secondLedger = true});
        f->balance(2026, 3, x, stockZ, pZ, 0, {.secondLedger = true});               // no opening stock: no part
        const int receipts[][3] = {{6, 20, 2}, {26, 8, 3}, {92, 9, 3}, {137, 4, 4}}; // type, quantity, day
        for (const auto &[type, qty, day] : receipts)
            f->document(type, {{.item = y, .qty = double(qty), .stock = stockZ, .place = pZ}}, on(3, day));
        f->document(74, {{.item = y, .qty = 6, .stock = stockZ2, .place = pZ2, .fromStock = stockZ, .fromPlace = pZ}},
                    on(3, 4));
        const int carried = f->document(6, {{.item = y, .qty = 10, .stock = stockZ, .place = pZ}}, on(3, 3));
        const int other = f->document(10, {{.item = y, .qty = 10, .stock = stockA, .place = pA}}, on(3, 5));
        QVERIFY(exec("UPDATE ICStockBillEntry SET FSourceInterID = ?, "
                     "FSourceEntryID = 1, FSourceTranType = 6 WHERE FInterID = ?",
                     {carried, other}));
    }

    QString key(int item, int stock, int place, double qty, const QString &batchAndMto = "/")
    {
        return QStringLiteral("%1/%2/%3/%4/=%5").arg(item).arg(stock).arg(place).arg(batchAndMto).arg(qty);
    }

    int cutSnapshot(const QList<int> &stocks, const QDate &cut, const QList<GoodsCondition> &conditions = {})
    {
        SnapshotParams p = params(stocks, cut);
        p.setValue(SnapshotParams::IsCutDate, true);
        p.setConditions(conditions);
        return snapshot(p, true, cut);
    }

    void seed() override
    {
        x = f->item({.number = "2.01", .name = "甲", .cycleUnit = 11603, .cycle = 7});
        y = f->item({.number = "2.02", .name = "乙"});
        w = f->item({.number = "2.03", .name = "丙"});
        stockA = f->stock("A", "甲仓");
        stockB = f->stock("B", "乙仓");
        stockZ = f->stock("Z", "虚仓", 502);
        stockZ2 = f->stock("Z2", "虚仓二", 503);
        stockC = f->stock("C", "丙仓");
        stockEmpty = f->stock("E", "空仓");
        pA = f->stockPlace(stockA, "PA", "甲位");
        pB = f->stockPlace(stockB, "PB", "乙位");
        pZ = f->stockPlace(stockZ, "PZ", "虚位");
        pZ2 = f->stockPlace(stockZ2, "PZ2", "虚位二");
    }

private slots:
    // Every part of the rebuild, summed per position; every part takes the goods
    // conditions, and only as bound values.
    void rebuildsEveryMovement()
    {
        firstLedger();
        secondLedger();
        const QList<int> stocks{stockA, stockB, stockZ, stockZ2};
        const int id = cutSnapshot(stocks, QDate(2026, 3, 15));
        QVERIFY2(id > 0, qPrintable(ui.lastMessage()));
        QStringList expected{
            key(x, stockA, pA, 100 + 10 - 3 - 2 - 5 - 4 + 7 + 1 + 6 + 2),
            key(x, stockA, pA, 4, "/M1"),
            key(x, stockA, pA, 3, "V/"),
            key(x, stockB, pB, 5),
            key(y, stockA, pA, 10),
            key(y, stockB, pB, 0),
            key(y, stockZ, pZ, 50 + 20 - 8 + 9 - 4 - 6 + 10 - 10),
            key(y, stockZ2, pZ2, 6),
        };
        expected.sort();
        QCOMPARE(positions(id), expected);
        QCOMPARE(values("SELECT DISTINCT p.FBackupType, p.FDate, b.FBrNo, b.FDateBackup,"
                        " (SELECT COUNT(*) FROM ICInvBackupTemp) FROM ICStockCheckProcess p"
                        " JOIN ICInvBackup b ON b.FInterID = p.FID WHERE p.FID = ?",
                        {id}),
                 "2 2026-03-15 0 2026-03-15 0");
        QCOMPARE(counter(), id + 1);
        QCOMPARE(scalar("SELECT COUNT(*) FROM t_ICItemMaterial WHERE FLastCheckDate IS NOT NULL"), 1);

        const int filtered = cutSnapshot(stocks, QDate(2026, 3, 15), {{"物料代码", "=", "2.02", {}}});
        expected =
            QStringList{key(y, stockA, pA, 10), key(y, stockB, pB, 0), key(y, stockZ, pZ, 61), key(y, stockZ2, pZ2, 6)};
        expected.sort();
        QCOMPARE(positions(filtered), expected);
        QCOMPARE(cutSnapshot(stocks, QDate(2026, 3, 15), {{"物料名称", "=", "甲' OR ''='", {}}}), 0);
        QCOMPARE(ui.lastMessage(), "没有可用的数据，不能备份！");
    }

    // The base period's balance plus the documents from its start; cut-off days
    // outside every period and stocks without anything are told, and nothing is
    // taken or counted.
    void basePeriod_data()
    {
        QTest::addColumn<QDate>("cut");
        QTest::addColumn<bool>("emptyStock");
        QTest::addColumn<QString>("expected"); // the quantity, or the message
        const QString outside = "截止日期超出已定义的会计期间范围，不能备份！";
        QTest::addRow("closed earlier period: its own balance") << QDate(2026, 2, 10) << false << "45";
        QTest::addRow("current period") << QDate(2026, 3, 10) << false << "77";
        QTest::addRow("later period: from the current balance") << QDate(2026, 4, 10) << false << "85";
        QTest::addRow("before every period") << QDate(2025, 12, 31) << false << outside;
        QTest::addRow("after every period") << QDate(2027, 1, 1) << false << outside;
        QTest::addRow("nothing in stock") << QDate(2026, 3, 10) << true << "没有可用的数据，不能备份！";
    }
    void basePeriod()
    {
        QFETCH(QDate, cut);
        QFETCH(bool, emptyStock);
        QFETCH(QString, expected);
        f->balance(2026, 2, w, stockC, 0, 40);
        f->balance(2026, 3, w, stockC, 0, 70);
        const int receipts[][3] = {{5, 2, 5}, {6, 2, 25}, {7, 3, 5}, {8, 4, 5}}; // quantity, month, day
        for (const auto &[qty, month, day] : receipts)
            f->document(1, {{.item = w, .qty = double(qty), .stock = stockC}}, on(month, day));
        const int id = cutSnapshot({emptyStock ? stockEmpty : stockC}, cut);
        if (expected.toInt() > 0) {
            QVERIFY2(id > 0, qPrintable(ui.lastMessage()));
            QCOMPARE(positions(id), QStringList{key(w, stockC, 0, expected.toInt())});
            return;
        }
        QCOMPARE(id, 0);
        QCOMPARE(ui.messageTexts(), QStringList{expected});
        QCOMPARE(values("SELECT (SELECT COUNT(*) FROM ICStockCheckProcess), (SELECT COUNT(*) FROM ICInvBackup),"
                        " (SELECT COUNT(*) FROM ICInvBackupTemp), FCurNo FROM icbillno WHERE FBillID = -1"),
                 "0 0 0 1");
    }
};

STOCKCHECK_TEST(TestCutoffSnapshot)
#include "tst_cutoffsnapshot.moc"
