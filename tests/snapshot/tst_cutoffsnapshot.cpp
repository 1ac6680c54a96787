#include "snapshotfixture.h"
#include "testmain.h"

using factory::Entry;
using factory::Header;
using factory::Position;

// A snapshot as at a cut-off date: the base period's opening balances plus the
// posted documents of both ledgers up to the cut-off day, summed per position.
class TestCutoffSnapshot : public QObject
{
    Q_OBJECT

    SnapshotFixture fx;
    int x = 0, y = 0, w = 0;
    int stockA = 0, stockB = 0, stockZ = 0, stockZ2 = 0, stockC = 0, stockEmpty = 0;
    int pA = 0, pB = 0, pZ = 0, pZ2 = 0;

    static Header on(int month, int day, bool audited = true)
    {
        return Header{.date = QDate(2026, month, day), .audited = audited};
    }

    // The first ledger in stocks A and B (current period 3, cut-off 15 March).
    void firstLedger()
    {
        Factories &f = *fx.f;
        f.balance(2026, 3, x, stockA, pA, 100);
        f.balance(2026, 3, y, stockA, pA, 5, {}, QDate(2026, 3, 20)); // came in after the cut-off
        f.balance(2026, 2, x, stockA, pA, 999);                       // another period
        QVERIFY_SQL(fx.conn(),
                    fx.conn().Exec(QStringLiteral("INSERT INTO ICVMIInvBal (FYear, FPeriod, FItemID, FStockID, "
                                                  "FStockPlaceID, FBatchNo, FStockInDate, FBegQty) "
                                                  "VALUES (2026, 3, ?, ?, ?, 'V', ?, 3)"),
                                   {x, stockA, pA, Dialect::dateValue(QDate(2026, 2, 1))}));
        const Entry inA{.item = x, .qty = 10, .stock = stockA, .place = pA};
        f.document(1, {inA}, on(3, 5));
        f.document(21, {{.item = x, .qty = 3, .stock = stockA, .place = pA}}, on(3, 6));
        f.document(24, {{.item = x, .qty = 2, .stock = stockA, .place = pA}}, on(3, 7));
        f.document(41, {{.item = x, .qty = 5, .stock = stockB, .place = pB, .fromStock = stockA, .fromPlace = pA}},
                   on(3, 8));
        f.document(1, {{.item = x, .qty = 1000, .stock = stockA, .place = pA}}, on(3, 9, false));
        f.document(1, {{.item = x, .qty = 1000, .stock = stockA, .place = pA}},
                   Header{.date = QDate(2026, 3, 9), .cancelled = true});
        f.document(1, {{.item = x, .qty = 7, .stock = stockA, .place = pA}},
                   Header{.date = QDate(2026, 3, 9), .audited = false, .upStockWhenSave = true});
        f.document(1, {{.item = x, .qty = 500, .stock = stockA, .place = pA}}, on(3, 20));
        f.document(1, {{.item = x, .qty = 500, .stock = stockA, .place = pA}}, on(2, 20));
        f.document(1, {{.item = x, .qty = 300, .stock = stockA, .place = pA}},
                   Header{.date = QDate(2026, 3, 9), .poMode = 36681});
        f.document(1, {{.item = x, .qty = 1, .stock = stockA, .place = pA}}, on(3, 15));
        f.mtoChange({.item = x, .qty = 4, .stock = stockA, .place = pA}, QStringLiteral("M1"), on(3, 10));
        f.vmiReceipt({.item = x, .qty = 6, .stock = stockA, .place = pA}, 0, on(3, 11));
        f.vmiReceipt({.item = x, .qty = 2, .stock = stockA, .place = pA}, 0,
                     Header{.date = QDate(2026, 3, 11), .cancelled = true});
        // parts that cancel out still give a row
        f.document(1, {{.item = y, .qty = 3, .stock = stockB, .place = pB}}, on(3, 4));
        f.document(21, {{.item = y, .qty = 3, .stock = stockB, .place = pB}}, on(3, 5));
    }

    // The second ledger in stocks Z and Z2, and a receipt carried on into the first.
    void secondLedger()
    {
        Factories &f = *fx.f;
        const Position second{.secondLedger = true};
        f.balance(2026, 3, y, stockZ, pZ, 50, second);
        f.balance(2026, 3, x, stockZ, pZ, 0, second); // no opening stock: no part
        f.document(6, {{.item = y, .qty = 20, .stock = stockZ, .place = pZ}}, on(3, 2));
        f.document(26, {{.item = y, .qty = 8, .stock = stockZ, .place = pZ}}, on(3, 3));
        f.document(92, {{.item = y, .qty = 9, .stock = stockZ, .place = pZ}}, on(3, 3));
        f.document(137, {{.item = y, .qty = 4, .stock = stockZ, .place = pZ}}, on(3, 4));
        f.document(74, {{.item = y, .qty = 6, .stock = stockZ2, .place = pZ2, .fromStock = stockZ, .fromPlace = pZ}},
                   on(3, 4));
        const int carried = f.document(6, {{.item = y, .qty = 10, .stock = stockZ, .place = pZ}}, on(3, 3));
        const int other = f.document(10, {{.item = y, .qty = 10, .stock = stockA, .place = pA}}, on(3, 5));
        QVERIFY_SQL(fx.conn(),
                    fx.conn().Exec(QStringLiteral("UPDATE ICStockBillEntry SET FSourceInterID = ?, "
                                                  "FSourceEntryID = 1, FSourceTranType = 6 WHERE FInterID = ?"),
                                   {carried, other}));
    }

    QString key(int item, int stock, int place, const QString &batch = {}, const QString &mto = {}, double qty = 0)
    {
        return QStringLiteral("%1/%2/%3/%4/%5/=%6").arg(item).arg(stock).arg(place).arg(batch, mto).arg(qty);
    }

    SnapshotParams cutParams(const QList<int> &stocks, const QDate &cut)
    {
        SnapshotParams p = fx.params(stocks, cut);
        p.setValue(SnapshotParams::IsCutDate, true);
        return p;
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        QVERIFY(fx.setUp());
        Factories &f = *fx.f;
        x = f.item({.number = QStringLiteral("2.01"), .name = QStringLiteral("甲"), .cycleUnit = 11603, .cycle = 7});
        y = f.item({.number = QStringLiteral("2.02"), .name = QStringLiteral("乙")});
        w = f.item({.number = QStringLiteral("2.03"), .name = QStringLiteral("丙")});
        stockA = f.stock(QStringLiteral("A"), QStringLiteral("甲仓"));
        stockB = f.stock(QStringLiteral("B"), QStringLiteral("乙仓"));
        stockZ = f.stock(QStringLiteral("Z"), QStringLiteral("虚仓"), 502);
        stockZ2 = f.stock(QStringLiteral("Z2"), QStringLiteral("虚仓二"), 503);
        stockC = f.stock(QStringLiteral("C"), QStringLiteral("丙仓"));
        stockEmpty = f.stock(QStringLiteral("E"), QStringLiteral("空仓"));
        pA = f.stockPlace(stockA, QStringLiteral("PA"), QStringLiteral("甲位"));
        pB = f.stockPlace(stockB, QStringLiteral("PB"), QStringLiteral("乙位"));
        pZ = f.stockPlace(stockZ, QStringLiteral("PZ"), QStringLiteral("虚位"));
        pZ2 = f.stockPlace(stockZ2, QStringLiteral("PZ2"), QStringLiteral("虚位二"));
    }
    void cleanup() { fx.tearDown(); }

    void rebuildsEveryMovement()
    {
        firstLedger();
        secondLedger();
        SnapshotParams p = cutParams({stockA, stockB, stockZ, stockZ2}, QDate(2026, 3, 15));
        ICBackupInv engine;
        QString table;
        bool ok = false;
        engine.BackUpData(p, true, QDate(2026, 3, 15), false, true, false, false, table, ok);
        QVERIFY2(ok && engine.processCreated(), qPrintable(fx.ui.lastMessage()));
        const int id = engine.processId();
        QStringList expected{
            key(x, stockA, pA, {}, {}, 100 + 10 - 3 - 2 - 5 - 4 + 7 + 1 + 6 + 2),
            key(x, stockA, pA, {}, QStringLiteral("M1"), 4),
            key(x, stockA, pA, QStringLiteral("V"), {}, 3),
            key(x, stockB, pB, {}, {}, 5),
            key(y, stockA, pA, {}, {}, 10),
            key(y, stockB, pB, {}, {}, 0),
            key(y, stockZ, pZ, {}, {}, 50 + 20 - 8 + 9 - 4 - 6 + 10 - 10),
            key(y, stockZ2, pZ2, {}, {}, 6),
        };
        expected.sort();
        QCOMPARE(quantities(countRows(fx.conn(), id)), expected);
        QCOMPARE(p.text(SnapshotParams::CurProcID), engine.processNumber());

        QCOMPARE(fx.values(QStringLiteral("SELECT FBackupType, FDate FROM ICStockCheckProcess WHERE FID = ?"), {id}),
                 QStringLiteral("2 2026-03-15"));
        QCOMPARE(
            fx.values(QStringLiteral("SELECT DISTINCT FBrNo, FDateBackup FROM ICInvBackup WHERE FInterID = ?"), {id}),
            QStringLiteral("0 2026-03-15"));
        QCOMPARE(fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInvBackupTemp")), 0);
        QCOMPARE(fx.counter(), id + 1);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT COUNT(*) FROM t_ICItemMaterial WHERE FLastCheckDate IS NOT NULL")),
                 1);
    }

    void basePeriod_data()
    {
        QTest::addColumn<QDate>("cut");
        QTest::addColumn<double>("expected");
        QTest::addRow("closed earlier period: its own balance") << QDate(2026, 2, 10) << 40.0 + 5;
        QTest::addRow("current period") << QDate(2026, 3, 10) << 70.0 + 7;
        QTest::addRow("last day of the current period") << QDate(2026, 3, 31) << 70.0 + 7;
        QTest::addRow("later period: from the current balance") << QDate(2026, 4, 10) << 70.0 + 7 + 8;
    }
    void basePeriod()
    {
        QFETCH(QDate, cut);
        QFETCH(double, expected);
        Factories &f = *fx.f;
        f.balance(2026, 2, w, stockC, 0, 40);
        f.balance(2026, 3, w, stockC, 0, 70);
        const auto receipt = [&](double qty, const QDate &date) {
            f.document(1, {{.item = w, .qty = qty, .stock = stockC}}, Header{.date = date});
        };
        receipt(5, QDate(2026, 2, 5));
        receipt(6, QDate(2026, 2, 25));
        receipt(7, QDate(2026, 3, 5));
        receipt(8, QDate(2026, 4, 5));
        const int id = fx.snapshot(cutParams({stockC}, cut), true, cut);
        QVERIFY2(id > 0, qPrintable(fx.ui.lastMessage() +
                                    (fx.ui.messages.isEmpty() ? QString() : fx.ui.messages.last().details)));
        QCOMPARE(quantities(countRows(fx.conn(), id)), QStringList{key(w, stockC, 0, {}, {}, expected)});
    }

    // The "NoData" paths: told, and nothing taken or counted.
    void nothingToTake_data()
    {
        QTest::addColumn<bool>("emptyStock");
        QTest::addColumn<QDate>("cut");
        QTest::addColumn<QString>("message");
        const QString outside = QStringLiteral("截止日期超出已定义的会计期间范围，不能备份！");
        QTest::addRow("before every period") << false << QDate(2025, 12, 31) << outside;
        QTest::addRow("after every period") << false << QDate(2027, 1, 1) << outside;
        QTest::addRow("nothing in stock") << true << QDate(2026, 3, 10) << QStringLiteral("没有可用的数据，不能备份！");
    }
    void nothingToTake()
    {
        QFETCH(bool, emptyStock);
        QFETCH(QDate, cut);
        QFETCH(QString, message);
        fx.f->balance(2026, 3, w, stockC, 0, 70);
        QCOMPARE(fx.snapshot(cutParams({emptyStock ? stockEmpty : stockC}, cut), true, cut), 0);
        QCOMPARE(fx.ui.messageTexts(), QStringList{message});
        QCOMPARE(fx.values(QStringLiteral("SELECT (SELECT COUNT(*) FROM ICStockCheckProcess), (SELECT COUNT(*) FROM"
                                          " ICInvBackup), (SELECT COUNT(*) FROM ICInvBackupTemp), FCurNo FROM icbillno"
                                          " WHERE FBillID = -1")),
                 QStringLiteral("0 0 0 1"));
    }

    void goodsFilterAppliesToEveryPart()
    {
        firstLedger();
        secondLedger();
        SnapshotParams p = cutParams({stockA, stockB, stockZ, stockZ2}, QDate(2026, 3, 15));
        p.setConditions({{QStringLiteral("物料代码"), QStringLiteral("="), QStringLiteral("2.02"), {}}});
        const int id = fx.snapshot(p, true, QDate(2026, 3, 15));
        QStringList expected{key(y, stockA, pA, {}, {}, 10), key(y, stockB, pB, {}, {}, 0),
                             key(y, stockZ, pZ, {}, {}, 61), key(y, stockZ2, pZ2, {}, {}, 6)};
        expected.sort();
        QCOMPARE(quantities(countRows(fx.conn(), id)), expected);

        p.setConditions({{QStringLiteral("物料名称"), QStringLiteral("="), QStringLiteral("甲' OR ''='"), {}}});
        fx.ui.clear();
        QCOMPARE(fx.snapshot(p, true, QDate(2026, 3, 15)), 0);
        QCOMPARE(fx.ui.messageTexts(), QStringList{QStringLiteral("没有可用的数据，不能备份！")});
    }
};

STOCKCHECK_TEST(TestCutoffSnapshot)
#include "tst_cutoffsnapshot.moc"
