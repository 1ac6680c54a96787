#include "snapshotfixture.h"
#include "testmain.h"

#include "snapshot/goodsfilter.h"

namespace {

GoodsCondition where(const char *field, const char *compare, const QString &value, const char *logic = "")
{
    return {QString::fromUtf8(field), QString::fromUtf8(compare), value, QString::fromLatin1(logic)};
}

} // namespace

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

    QString key(int item, int stock, int place, const QString &batchAndDate, double qty) const
    {
        return QStringLiteral("%1/%2/%3/%4=%5").arg(item).arg(stock).arg(place).arg(batchAndDate).arg(qty);
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    // Three items, two stocks with places; screws are kept in boxes of 10 and have
    // a count cycle, nuts carry a secondary quantity.
    void init()
    {
        QVERIFY(fx.setUp());
        Factories &f = *fx.f;
        f.unitGroup(QStringLiteral("件数"), {{QStringLiteral("件"), 1}, {QStringLiteral("盒"), 10}});
        boxes = f.unit(QStringLiteral("盒"));
        brandX = f.baseItem(2038, QStringLiteral("B01"), QStringLiteral("品牌X"));
        brandY = f.baseItem(2038, QStringLiteral("B02"), QStringLiteral("品牌Y"));
        catP = f.baseItem(2037, QStringLiteral("C01"), QStringLiteral("类别P"));
        screw = f.item({.number = "1.01.001",
                        .name = "螺丝",
                        .brand = brandX,
                        .category = catP,
                        .barcode = "6901",
                        .cycleUnit = 11603,
                        .cycle = 30});
        nut = f.item({.number = "1.01.002", .name = "螺母", .brand = brandY});
        bolt = f.item({.number = "1.02.001", .name = "螺栓 O'Neil", .category = catP});
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
    void cleanup() { fx.tearDown(); }

    // The rows count in the item's store unit (screws changed to boxes of 10).
    void rowsPerPositionOfEachLedger()
    {
        QVERIFY_SQL(fx.conn(), fx.conn().Exec(QStringLiteral("UPDATE t_ICItem SET FStoreUnitID = ? WHERE FItemID = ?"),
                                              {boxes, screw}));
        const int id = fx.snapshot(fx.params({stockA}));
        QVERIFY2(id > 0, qPrintable(fx.ui.lastMessage()));
        QStringList expected{key(screw, stockA, placeA1, "//", 150), key(screw, stockA, placeA2, "L1//", 30),
                             key(nut, stockA, placeA1, "//", 40),
                             key(nut, stockA, placeA1, "//", 12), // the second ledger: its own row
                             key(bolt, stockA, 0, "//2026-01-05", 7)};
        expected.sort();
        QCOMPARE(quantities(countRows(fx.conn(), id)), expected);
        QCOMPARE(fx.values(QStringLiteral("SELECT FItemID, FUnitID, FQty, FAuxQty, FSecQty FROM ICInvBackup WHERE"
                                          " FInterID = ? AND FItemID IN (?, ?) ORDER BY FItemID, FQty"),
                           {id, screw, nut}),
                 QStringLiteral("%1 %2 30 3 0; %1 %2 150 15 0; %3 %4 12 12 3; %3 %4 40 40 8")
                     .arg(screw)
                     .arg(boxes)
                     .arg(nut)
                     .arg(fx.f->unit(QStringLiteral("个"))));
    }

    // The header, every row's document maximum, the counter, an empty work table,
    // and the count date on items with a count cycle only.
    void headerCounterAndStamps()
    {
        const int maxBill = fx.f->document(1, {{.item = nut, .qty = 1, .stock = stockB, .place = placeB1}});
        const int id = fx.snapshot(fx.params({stockA}, QDate(2026, 3, 10)));
        QVERIFY2(id > 0, qPrintable(fx.ui.lastMessage()));
        QCOMPARE(fx.values(QStringLiteral("SELECT FBackupType, FOperatorID, FStatus, FMaxBillInterID, FDate FROM"
                                          " ICStockCheckProcess WHERE FID = ?"),
                           {id}),
                 QStringLiteral("1 %1 0 %2 2026-03-10").arg(fx.user).arg(maxBill));
        QCOMPARE(fx.values(QStringLiteral("SELECT DISTINCT FMaxBillInterID FROM ICInvBackup WHERE FInterID = ?"), {id}),
                 QString::number(maxBill));
        QCOMPARE(fx.counter(), id + 1);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInvBackupTemp")), 0);
        QCOMPARE(fx.values(QStringLiteral("SELECT FLastCheckDate FROM t_ICItemMaterial WHERE FItemID IN (?, ?)"
                                          " ORDER BY FItemID"),
                           {screw, nut}),
                 QStringLiteral("2026-03-10; NULL"));
    }

    void startingQuantities_data()
    {
        QTest::addColumn<QString>("setting"); // IsInputStockDate; null: no row
        QTest::addColumn<QString>("expected");
        const QString zero = QStringLiteral("40 0 0 40 0 0 8 0 0 -40 -8 0 0");
        QTest::addRow("no setting: start at zero") << QString() << zero;
        QTest::addRow("0: start at zero") << QStringLiteral("0") << zero;
        QTest::addRow("1: start at the book")
            << QStringLiteral("1") << QStringLiteral("40 40 40 40 40 40 8 8 8 NULL 0 0 0");
    }
    void startingQuantities()
    {
        QFETCH(QString, setting);
        QFETCH(QString, expected);
        if (!setting.isNull())
            fx.f->systemParam(QStringLiteral("RTSTOCK"), QStringLiteral("IsInputStockDate"), setting);
        const int id = fx.snapshot(fx.params({stockA}));
        QCOMPARE(fx.values(QStringLiteral("SELECT FQty, FQtyAct, FCheckQty, FAuxQty, FAuxQtyAct, FAuxCheckQty, FSecQty,"
                                          " FSecQtyAct, FSecCheckQty, FMinus, FSecMinus, FAdj, FAdjQty FROM ICInvBackup"
                                          " WHERE FInterID = ? AND FItemID = ? AND FQty = 40"),
                           {id, nut}),
                 expected);
    }

    // Typed values are only ever compared: quotes and SQL find nothing and break nothing.
    void goodsRestriction_data()
    {
        QTest::addColumn<QVariantMap>("extra");
        QTest::addColumn<QStringList>("names"); // of the new rows, sorted
        const auto rows = [](const QList<GoodsCondition> &c) {
            return QVariantMap{{SnapshotParams::Filter, GoodsFilter::toVariant(c)}};
        };
        const QString screws = QStringLiteral("螺丝"), nuts = QStringLiteral("螺母"),
                      bolts = QStringLiteral("螺栓 O'Neil");
        QTest::addRow("none: every item of the stock")
            << QVariantMap() << QStringList{screws, screws, nuts, nuts, bolts};
        QTest::addRow("brand 0: items without a brand")
            << QVariantMap{{SnapshotParams::CommBrand, QStringLiteral("0")}} << QStringList{bolts};
        QTest::addRow("no such category")
            << QVariantMap{{SnapshotParams::CommCategory, QStringLiteral("-1")}} << QStringList();
        QTest::addRow("item number equal") << rows({where("物料代码", "=", "1.01.002")}) << QStringList{nuts, nuts};
        QTest::addRow("name like, or place name")
            << rows({where("物料名称", "like", "O'Nei", "or"), where("仓位名称", "=", "A区02")})
            << QStringList{screws, bolts};
        QTest::addRow("place number not like and barcode")
            << rows({where("仓位代码", "not like", "02", "and"), where("条形码", "=", "6901")}) << QStringList{screws};
        QVariantMap both = rows({where("物料代码", ">=", "1.02")});
        both.insert(SnapshotParams::CommBrand, QString::number(-5));
        QTest::addRow("conditions win over brands") << both << QStringList{bolts};
        QTest::addRow("quote in a value") << rows({where("物料名称", "=", "x' OR '1'='1")}) << QStringList();
        QTest::addRow("statement in a value")
            << rows({where("物料代码", "like", "'); DELETE FROM ICInventory; --")}) << QStringList();
    }
    void goodsRestriction()
    {
        QFETCH(QVariantMap, extra);
        QFETCH(QStringList, names);
        names.sort();
        SnapshotParams p = fx.params({stockA});
        for (auto it = extra.cbegin(); it != extra.cend(); ++it)
            p.setValue(it.key(), it.value());
        const int id = fx.snapshot(p);
        QCOMPARE(id > 0, !names.isEmpty()); // no rows, no process
        QCOMPARE(fx.names(id), names);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInventory")), 6);
    }

    void brandAndCategoryLists()
    {
        SnapshotParams byBrand = fx.params({stockA, stockB});
        byBrand.setValue(SnapshotParams::CommBrand, QStringLiteral("%1, %2").arg(brandX).arg(brandY));
        QCOMPARE(fx.names(fx.snapshot(byBrand)), (QStringList{"螺丝", "螺丝", "螺母", "螺母"}));
        SnapshotParams byCategory = fx.params({stockA, stockB});
        byCategory.setValue(SnapshotParams::CommCategory, QString::number(catP));
        QCOMPARE(fx.names(fx.snapshot(byCategory)), (QStringList{"螺丝", "螺丝", "螺栓 O'Neil", "螺栓 O'Neil"}));
        SnapshotParams bad = fx.params({stockA});
        bad.setValue(SnapshotParams::CommBrand, QStringLiteral("1 OR 1=1"));
        QCOMPARE(fx.snapshot(bad), 0);
        QCOMPARE(fx.processes(), 2);
    }

    // The operator may see stock B and screws and bolts only.
    void accessRulesOfTheOperator()
    {
        fx.f->accessRule(fx.user, QStringLiteral("t_Stock"), stockB);
        fx.f->accessRule(fx.user, QStringLiteral("t_ICItem"), screw);
        fx.f->accessRule(fx.user, QStringLiteral("t_ICItem"), bolt);
        QCOMPARE(fx.snapshot(fx.params({stockA})), 0); // nothing visible: no process
        const int id = fx.snapshot(fx.params({stockA, stockB}));
        QCOMPARE(fx.values(QStringLiteral("SELECT FItemID, FStockID FROM ICInvBackup WHERE FInterID = ?"), {id}),
                 QStringLiteral("%1 %2").arg(bolt).arg(stockB));
    }

    // '' and NULL are one position; the ledgers stay apart.
    void nullProductionDateIsEmptyText()
    {
        QVERIFY_SQL(fx.conn(),
                    fx.conn().Exec(QStringLiteral("UPDATE ICInventory SET FKFDate = NULL WHERE FItemID = ?"), {nut}));
        fx.f->currentStock(nut, stockA, placeA1, 5);
        const int id = fx.snapshot(fx.params({stockA}));
        QCOMPARE(fx.values(QStringLiteral("SELECT '[' || FKFDate || ']', FQty FROM ICInvBackup WHERE FInterID = ? AND"
                                          " FItemID = ? ORDER BY FQty"),
                           {id, nut}),
                 QStringLiteral("[] 12; [] 45"));
    }
};

STOCKCHECK_TEST(TestCurrentSnapshot)
#include "tst_currentsnapshot.moc"
