#include "snapshotfixture.h"
#include "testmain.h"

#include "snapshot/goodsfilter.h"

using factory::Position;

// A snapshot of current stock: one row per stock position of each ledger, the
// process header, the day counter, the last-count stamps and the goods and access
// restrictions.
class TestCurrentSnapshot : public QObject
{
    Q_OBJECT

    SnapshotFixture fx;
    int stockA = 0, stockB = 0, placeA1 = 0, placeA2 = 0, placeB1 = 0;
    int boxes = 0, screw = 0, nut = 0, bolt = 0;
    int brandX = 0, brandY = 0, catP = 0;

    // Three items, two stocks with places; screws are kept in boxes of 10 and have
    // a count cycle, nuts carry a secondary quantity.
    void seed()
    {
        Factories &f = *fx.f;
        f.unitGroup(QStringLiteral("件数"), {{QStringLiteral("件"), 1}, {QStringLiteral("盒"), 10}});
        boxes = f.unit(QStringLiteral("盒"));
        brandX = f.baseItem(2038, QStringLiteral("B01"), QStringLiteral("品牌X"));
        brandY = f.baseItem(2038, QStringLiteral("B02"), QStringLiteral("品牌Y"));
        catP = f.baseItem(2037, QStringLiteral("C01"), QStringLiteral("类别P"));
        screw = f.item({.number = QStringLiteral("1.01.001"),
                        .name = QStringLiteral("螺丝"),
                        .brand = brandX,
                        .category = catP,
                        .barcode = QStringLiteral("6901"),
                        .cycleUnit = 11603,
                        .cycle = 30});
        nut = f.item({.number = QStringLiteral("1.01.002"), .name = QStringLiteral("螺母"), .brand = brandY});
        bolt = f.item({.number = QStringLiteral("1.02.001"), .name = QStringLiteral("螺栓 O'Neil"), .category = catP});
        stockA = f.stock(QStringLiteral("01"), QStringLiteral("原料仓"));
        stockB = f.stock(QStringLiteral("02"), QStringLiteral("成品仓"));
        placeA1 = f.stockPlace(stockA, QStringLiteral("A01"), QStringLiteral("A区01"));
        placeA2 = f.stockPlace(stockA, QStringLiteral("A02"), QStringLiteral("A区02"));
        placeB1 = f.stockPlace(stockB, QStringLiteral("B01"), QStringLiteral("B区01"));

        f.currentStock(screw, stockA, placeA1, 100);
        f.currentStock(screw, stockA, placeA1, 50); // the same position twice: one row of 150
        f.currentStock(screw, stockA, placeA2, 30, {.batch = QStringLiteral("L1")});
        f.currentStock(nut, stockA, placeA1, 40, {.secQty = 8});
        f.currentStock(nut, stockA, placeA1, 12, {.secQty = 3, .secondLedger = true});
        f.currentStock(bolt, stockA, 0, 7, {.kfDate = QStringLiteral("2026-01-05"), .kfPeriod = 90});
        f.currentStock(bolt, stockB, placeB1, 9);
    }

    // Items of the rows of a process, sorted.
    QList<int> items(int processId)
    {
        QList<int> out;
        for (const CountRow &r : countRows(fx.conn(), processId))
            out << r.item;
        std::sort(out.begin(), out.end());
        return out;
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        QVERIFY(fx.setUp());
        seed();
    }
    void cleanup() { fx.tearDown(); }

    void rowsPerPositionOfEachLedger()
    {
        // a change of the store unit makes the item's rows count in boxes
        QVERIFY_SQL(fx.conn(), fx.conn().Exec(QStringLiteral("UPDATE t_ICItem SET FStoreUnitID = ? WHERE FItemID = ?"),
                                              {boxes, screw}));
        const int id = fx.snapshot(fx.params({stockA}));
        QVERIFY2(id > 0, qPrintable(fx.ui.lastMessage()));
        const QList<CountRow> rows = countRows(fx.conn(), id);
        const QStringList expected{
            QStringLiteral("%1/%2/%3///=150").arg(screw).arg(stockA).arg(placeA1),
            QStringLiteral("%1/%2/%3/L1//=30").arg(screw).arg(stockA).arg(placeA2),
            QStringLiteral("%1/%2/%3///=40").arg(nut).arg(stockA).arg(placeA1),
            QStringLiteral("%1/%2/%3///=12").arg(nut).arg(stockA).arg(placeA1), // the second ledger: its own row
            QStringLiteral("%1/%2/0///2026-01-05=7").arg(bolt).arg(stockA),
        };
        QStringList want = expected;
        want.sort();
        QCOMPARE(quantities(rows), want);
        for (const CountRow &r : rows) {
            const double coefficient = r.item == screw ? 10 : 1;
            QCOMPARE(r.auxQty, r.qty / coefficient);
        }
        // the rows carry the process, the item's units and the book's secondary quantity
        Recordset rs = fx.conn().Execute(
            QStringLiteral("SELECT FUnitID, FSecQty, FKFPeriod, FDateBackup FROM ICInvBackup WHERE FInterID = ? AND "
                           "FItemID = ? ORDER BY FSecQty"),
            {id, nut});
        QCOMPARE(rs.RecordCount(), 2);
        QCOMPARE(rs.number(u"FSecQty"), 3.0);
        QVERIFY(rs.dateTime(u"FDateBackup").isValid());
        QCOMPARE(fx.scalar(QStringLiteral("SELECT FUnitID FROM ICInvBackup WHERE FInterID = ? AND FItemID = ?"),
                           {id, screw}),
                 boxes);
    }

    void headerCounterAndStamps()
    {
        const int maxBill = fx.f->document(1, {{.item = nut, .qty = 1, .stock = stockB, .place = placeB1}});
        const int id = fx.snapshot(fx.params({stockA}, QDate(2026, 3, 10)));
        QVERIFY2(id > 0, qPrintable(fx.ui.lastMessage()));
        Recordset h = fx.conn().Execute(QStringLiteral("SELECT * FROM ICStockCheckProcess WHERE FID = ?"), {id});
        QCOMPARE(h.RecordCount(), 1);
        QCOMPARE(h.integer(u"FBackupType"), 1);
        QCOMPARE(h.integer(u"FOperatorID"), fx.user);
        QCOMPARE(h.integer(u"FStatus"), 0);
        QCOMPARE(h.integer(u"FMaxBillInterID"), maxBill);
        QCOMPARE(h.dateTime(u"FDate").date(), QDate(2026, 3, 10));
        QCOMPARE(
            fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInvBackup WHERE FInterID = ? AND FMaxBillInterID = ?"),
                      {id, maxBill}),
            fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInvBackup WHERE FInterID = ?"), {id}));
        QCOMPARE(fx.counter(), id + 1);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInvBackupTemp")), 0);

        // only items with a count cycle get the count date
        Recordset stamps = fx.conn().Execute(
            QStringLiteral(
                "SELECT FItemID, FLastCheckDate FROM t_ICItemMaterial WHERE FItemID IN (?, ?) ORDER BY FItemID"),
            {screw, nut});
        QCOMPARE(stamps.dateTime(u"FLastCheckDate").date(), QDate(2026, 3, 10));
        stamps.MoveNext();
        QVERIFY(stamps.Fields(u"FLastCheckDate").isNull());
    }

    void startingQuantities_data()
    {
        QTest::addColumn<QString>("setting"); // IsInputStockDate; empty: no row
        QTest::addColumn<bool>("fromBook");
        QTest::addRow("no setting: start at zero") << QString() << false;
        QTest::addRow("0: start at zero") << QStringLiteral("0") << false;
        QTest::addRow("1: start at the book") << QStringLiteral("1") << true;
    }
    void startingQuantities()
    {
        QFETCH(QString, setting);
        QFETCH(bool, fromBook);
        if (!setting.isEmpty())
            fx.f->systemParam(QStringLiteral("RTSTOCK"), QStringLiteral("IsInputStockDate"), setting);
        const int id = fx.snapshot(fx.params({stockA}));
        QVERIFY(id > 0);
        Recordset rs = fx.conn().Execute(QStringLiteral("SELECT * FROM ICInvBackup WHERE FInterID = ?"), {id});
        QVERIFY(rs.RecordCount() > 0);
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            const double qty = rs.number(u"FQty"), aux = rs.number(u"FAuxQty"), sec = rs.number(u"FSecQty");
            const QString row = QStringLiteral("item %1 qty %2").arg(rs.integer(u"FItemID")).arg(qty);
            QVERIFY2(qFuzzyCompare(1 + rs.number(u"FQtyAct"), 1 + (fromBook ? qty : 0)), qPrintable(row));
            QVERIFY2(qFuzzyCompare(1 + rs.number(u"FCheckQty"), 1 + (fromBook ? qty : 0)), qPrintable(row));
            QVERIFY2(qFuzzyCompare(1 + rs.number(u"FAuxQtyAct"), 1 + (fromBook ? aux : 0)), qPrintable(row));
            QVERIFY2(qFuzzyCompare(1 + rs.number(u"FAuxCheckQty"), 1 + (fromBook ? aux : 0)), qPrintable(row));
            QVERIFY2(qFuzzyCompare(1 + rs.number(u"FSecQtyAct"), 1 + (fromBook ? sec : 0)), qPrintable(row));
            QVERIFY2(qFuzzyCompare(1 + rs.number(u"FSecCheckQty"), 1 + (fromBook ? sec : 0)), qPrintable(row));
            if (!fromBook) {
                QVERIFY2(qFuzzyCompare(1 + rs.number(u"FMinus"), 1 - qty), qPrintable(row));
                QVERIFY2(qFuzzyCompare(1 + rs.number(u"FSecMinus"), 1 - sec), qPrintable(row));
            } else {
                QCOMPARE(rs.number(u"FSecMinus"), 0.0);
            }
            QCOMPARE(rs.integer(u"FAdj"), 0);
            QCOMPARE(rs.number(u"FAdjQty"), 0.0);
        }
    }

    void goodsRestriction_data()
    {
        QTest::addColumn<QVariantMap>("extra");
        QTest::addColumn<QStringList>("expectedItems"); // names, sorted by item id
        const auto rows = [](const QList<GoodsCondition> &c) { return GoodsFilter::toVariant(c); };
        QTest::addRow("none: every item of the stock")
            << QVariantMap()
            << QStringList{QStringLiteral("螺丝"), QStringLiteral("螺丝"), QStringLiteral("螺母"),
                           QStringLiteral("螺母"), QStringLiteral("螺栓 O'Neil")};
        QTest::addRow("brand 0: items without a brand") << QVariantMap{{SnapshotParams::CommBrand, QStringLiteral("0")}}
                                                        << QStringList{QStringLiteral("螺栓 O'Neil")};
        QTest::addRow("category") << QVariantMap{{SnapshotParams::CommCategory, QStringLiteral("-1")}} << QStringList();
        QTest::addRow("item number equal")
            << QVariantMap{{SnapshotParams::Filter,
                            rows({{QStringLiteral("物料代码"), QStringLiteral("="), QStringLiteral("1.01.002"), {}}})}}
            << QStringList{QStringLiteral("螺母"), QStringLiteral("螺母")};
        QTest::addRow("name like, or place name")
            << QVariantMap{{SnapshotParams::Filter,
                            rows({{QStringLiteral("物料名称"), QStringLiteral("like"), QStringLiteral("O'Nei"),
                                   QStringLiteral("or")},
                                  {QStringLiteral("仓位名称"), QStringLiteral("="), QStringLiteral("A区02"), {}}})}}
            << QStringList{QStringLiteral("螺丝"), QStringLiteral("螺栓 O'Neil")};
        QTest::addRow("place number not like and barcode")
            << QVariantMap{{SnapshotParams::Filter,
                            rows({{QStringLiteral("仓位代码"), QStringLiteral("not like"), QStringLiteral("02"),
                                   QStringLiteral("and")},
                                  {QStringLiteral("条形码"), QStringLiteral("="), QStringLiteral("6901"), {}}})}}
            << QStringList{QStringLiteral("螺丝")};
        QTest::addRow("conditions win over brands")
            << QVariantMap{{SnapshotParams::CommBrand, QString::number(-5)},
                           {SnapshotParams::Filter,
                            rows({{QStringLiteral("物料代码"), QStringLiteral(">="), QStringLiteral("1.02"), {}}})}}
            << QStringList{QStringLiteral("螺栓 O'Neil")};
        // typed values are only ever compared: quotes and SQL find nothing and break nothing
        QTest::addRow("quote in a value") << QVariantMap{{SnapshotParams::Filter, rows({{QStringLiteral("物料名称"),
                                                                                         QStringLiteral("="),
                                                                                         QStringLiteral("x' OR '1'='1"),
                                                                                         {}}})}}
                                          << QStringList();
        QTest::addRow("statement in a value")
            << QVariantMap{{SnapshotParams::Filter, rows({{QStringLiteral("物料代码"),
                                                           QStringLiteral("like"),
                                                           QStringLiteral("'); DELETE FROM ICInventory; --"),
                                                           {}}})}}
            << QStringList();
    }
    void goodsRestriction()
    {
        QFETCH(QVariantMap, extra);
        QFETCH(QStringList, expectedItems);
        SnapshotParams p = fx.params({stockA});
        for (auto it = extra.cbegin(); it != extra.cend(); ++it)
            p.setValue(it.key(), it.value());
        const int inventory = fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInventory"));
        const int id = fx.snapshot(p);
        QStringList names;
        if (id > 0) {
            Recordset rs = fx.conn().Execute(QStringLiteral("SELECT t4.FName FROM ICInvBackup b JOIN t_ICItem t4 ON "
                                                            "t4.FItemID = b.FItemID WHERE b.FInterID = ? ORDER BY "
                                                            "b.FItemID, b.FQty"),
                                             {id});
            for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
                names << rs.text(u"FName");
        }
        QCOMPARE(names, expectedItems);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInventory")), inventory);
        QCOMPARE(id > 0, !expectedItems.isEmpty()); // no rows, no process
    }

    void brandAndCategoryLists()
    {
        SnapshotParams byBrand = fx.params({stockA, stockB});
        byBrand.setValue(SnapshotParams::CommBrand, QStringLiteral("%1, %2").arg(brandX).arg(brandY));
        QCOMPARE(items(fx.snapshot(byBrand)), (QList<int>{screw, screw, nut, nut}));
        SnapshotParams byCategory = fx.params({stockA, stockB});
        byCategory.setValue(SnapshotParams::CommCategory, QString::number(catP));
        QCOMPARE(items(fx.snapshot(byCategory)), (QList<int>{screw, screw, bolt, bolt}));
        SnapshotParams bad = fx.params({stockA});
        bad.setValue(SnapshotParams::CommBrand, QStringLiteral("1 OR 1=1"));
        QCOMPARE(fx.snapshot(bad), 0);
        QCOMPARE(fx.processes(), 2);
    }

    void accessRulesOfTheOperator()
    {
        // the operator may see stock B and screws and bolts only
        fx.f->accessRule(fx.user, QStringLiteral("t_Stock"), stockB);
        fx.f->accessRule(fx.user, QStringLiteral("t_ICItem"), screw);
        fx.f->accessRule(fx.user, QStringLiteral("t_ICItem"), bolt);
        QCOMPARE(fx.snapshot(fx.params({stockA})), 0); // nothing visible: no process
        const int id = fx.snapshot(fx.params({stockA, stockB}));
        QCOMPARE(items(id), (QList<int>{bolt}));
        QCOMPARE(fx.scalar(QStringLiteral("SELECT FStockID FROM ICInvBackup WHERE FInterID = ?"), {id}), stockB);
    }

    void nullProductionDateIsEmptyText()
    {
        QVERIFY_SQL(fx.conn(),
                    fx.conn().Exec(QStringLiteral("UPDATE ICInventory SET FKFDate = NULL WHERE FItemID = ?"), {nut}));
        fx.f->currentStock(nut, stockA, placeA1, 5); // '' and NULL are one position
        const int id = fx.snapshot(fx.params({stockA}));
        Recordset rs = fx.conn().Execute(
            QStringLiteral("SELECT FKFDate, FQty FROM ICInvBackup WHERE FInterID = ? AND FItemID = ? ORDER BY FQty"),
            {id, nut});
        QCOMPARE(rs.RecordCount(), 2); // the ledgers stay apart
        QCOMPARE(rs.text(u"FKFDate"), QString());
        QVERIFY(!rs.Fields(u"FKFDate").isNull());
        rs.MoveNext();
        QCOMPARE(rs.number(u"FQty"), 45.0);
    }
};

STOCKCHECK_TEST(TestCurrentSnapshot)
#include "tst_currentsnapshot.moc"
