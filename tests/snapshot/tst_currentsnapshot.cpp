#include "snapshottest.h"
#include "testmain.h"

#include "snapshot/goodsfilter.h"

namespace {

// A goods filter of one condition, or of two joined by `logic`.
QVariantMap where(const QString &field, const QString &compare, const QString &value, const QString &logic = {},
                  const QString &field2 = {}, const QString &compare2 = {}, const QString &value2 = {})
{
    QList<GoodsCondition> c{{field, compare, value, logic}};
    if (!field2.isEmpty())
        c.append({field2, compare2, value2, {}});
    return {{SnapshotParams::Filter, GoodsFilter::toVariant(c)}};
}

} // namespace

// A snapshot of current stock: one row per stock position of each ledger, the
// process header, the day counter, the last-count stamps and the goods and access
// restrictions.
class TestCurrentSnapshot : public SnapshotTest
{
    Q_OBJECT

    int stockA = 0, stockB = 0, placeA1 = 0, placeA2 = 0, placeB1 = 0;
    int boxes = 0, screw = 0, nut = 0, bolt = 0;
    int brandX = 0, brandY = 0, catP = 0;

    QString key(int item, int stock, int place, const QString &batchAndDate, double qty) const
    {
        return QStringLiteral("%1/%2/%3/%4=%5").arg(item).arg(stock).arg(place).arg(batchAndDate).arg(qty);
    }

    // Three items, two stocks with places; screws are kept in boxes of 10 and have
    // a count cycle, nuts carry a secondary quantity.
    void seed() override
    {
        f->unitGroup("件数", {{"件", 1}, {"盒", 10}});
        boxes = f->unit("盒");
        brandX = f->baseItem(2038, "B01", "品牌X");
        brandY = f->baseItem(2038, "B02", "品牌Y");
        catP = f->baseItem(2037, "C01", "类别P");
        screw = f->item({.number = "1.01.001",
                         .name = "螺丝",
                         .storeUnit = boxes,
                         .brand = brandX,
                         .category = catP,
                         .barcode = "6901",
                         .cycleUnit = 11603,
                         .cycle = 30});
        nut = f->item({.number = "1.01.002", .name = "螺母", .brand = brandY});
        bolt = f->item({.number = "1.02.001", .name = "螺栓 O'Neil", .category = catP});
        stockA = f->stock("01", "原料仓");
        stockB = f->stock("02", "成品仓");
        placeA1 = f->stockPlace(stockA, "A01", "A区01");
        placeA2 = f->stockPlace(stockA, "A02", "A区02");
        placeB1 = f->stockPlace(stockB, "B01", "B区01");
        f->currentStock(screw, stockA, placeA1, 100);
        f->currentStock(screw, stockA, placeA1, 50); // the same position twice: one row of 150
        f->currentStock(screw, stockA, placeA2, 30, {.batch = "L1"});
        f->currentStock(nut, stockA, placeA1, 40, {.secQty = 8});
        f->currentStock(nut, stockA, placeA1, 12, {.secQty = 3, .secondLedger = true});
        f->currentStock(bolt, stockA, 0, 7, {.kfDate = "2026-01-05", .kfPeriod = 90});
        f->currentStock(bolt, stockB, placeB1, 9);
    }

private slots:
    // Rows count in the item's store unit (screws in boxes of 10). The header and
    // every row keep the document maximum, the counter moves on, the work table is
    // left empty, and only items with a count cycle get the count date.
    void rowsHeaderAndStamps()
    {
        const int maxBill = f->document(1, {{.item = nut, .qty = 1, .stock = stockB, .place = placeB1}});
        const int id = snapshot(params({stockA}, QDate(2026, 3, 10)));
        QVERIFY2(id > 0, qPrintable(ui.lastMessage()));
        QStringList expected{key(screw, stockA, placeA1, "//", 150), key(screw, stockA, placeA2, "L1//", 30),
                             key(nut, stockA, placeA1, "//", 40),
                             key(nut, stockA, placeA1, "//", 12), // the second ledger: its own row
                             key(bolt, stockA, 0, "//2026-01-05", 7)};
        expected.sort();
        QCOMPARE(positions(id), expected);
        QCOMPARE(values("SELECT FItemID, FUnitID, FQty, FAuxQty, FSecQty, FMaxBillInterID FROM ICInvBackup"
                        " WHERE FInterID = ? AND FItemID IN (?, ?) ORDER BY FItemID, FQty",
                        {id, screw, nut}),
                 QStringLiteral("%1 %2 30 3 0 %5; %1 %2 150 15 0 %5; %3 %4 12 12 3 %5; %3 %4 40 40 8 %5")
                     .arg(screw)
                     .arg(boxes)
                     .arg(nut)
                     .arg(f->unit("个"))
                     .arg(maxBill));
        QCOMPARE(values("SELECT FBackupType, FOperatorID, FStatus, FMaxBillInterID, FDate,"
                        " (SELECT COUNT(*) FROM ICInvBackupTemp) FROM ICStockCheckProcess WHERE FID = ?",
                        {id}),
                 QStringLiteral("1 %1 0 %2 2026-03-10 0").arg(user).arg(maxBill));
        QCOMPARE(counter(), id + 1);
        QCOMPARE(values("SELECT FLastCheckDate FROM t_ICItemMaterial WHERE FItemID IN (?, ?) ORDER BY FItemID",
                        {screw, nut}),
                 "2026-03-10; NULL");
    }

    void startingQuantities_data()
    {
        QTest::addColumn<QString>("setting"); // IsInputStockDate; null: no row
        QTest::addColumn<QString>("expected");
        QTest::addRow("no setting: start at zero") << QString() << "40 0 0 40 0 0 8 0 0 -40 -8 0 0";
        QTest::addRow("1: start at the book") << QStringLiteral("1") << "40 40 40 40 40 40 8 8 8 NULL 0 0 0";
    }
    void startingQuantities()
    {
        QFETCH(QString, setting);
        QFETCH(QString, expected);
        if (!setting.isNull())
            f->systemParam("RTSTOCK", "IsInputStockDate", setting);
        const int id = snapshot(params({stockA}));
        QCOMPARE(values("SELECT FQty, FQtyAct, FCheckQty, FAuxQty, FAuxQtyAct, FAuxCheckQty, FSecQty, FSecQtyAct,"
                        " FSecCheckQty, FMinus, FSecMinus, FAdj, FAdjQty FROM ICInvBackup"
                        " WHERE FInterID = ? AND FItemID = ? AND FQty = 40",
                        {id, nut}),
                 expected);
    }

    // Typed values are only ever compared: quotes and SQL find nothing and break nothing.
    void goodsRestriction_data()
    {
        QTest::addColumn<QVariantMap>("extra");
        QTest::addColumn<QStringList>("names"); // of the new rows; none: no process
        const QString screws = "螺丝", nuts = "螺母", bolts = "螺栓 O'Neil";
        const auto brands = [](const QString &list) { return QVariantMap{{SnapshotParams::CommBrand, list}}; };
        QTest::addRow("none: every item of the stock")
            << QVariantMap() << QStringList{screws, screws, nuts, nuts, bolts};
        QTest::addRow("brand 0: items without a brand") << brands("0") << QStringList{bolts};
        QTest::addRow("brand list") << brands(QStringLiteral("%1, %2").arg(brandX).arg(brandY))
                                    << QStringList{screws, screws, nuts, nuts};
        QTest::addRow("category") << QVariantMap{{SnapshotParams::CommCategory, QString::number(catP)}}
                                  << QStringList{screws, screws, bolts};
        QTest::addRow("brand list with SQL") << brands("1 OR 1=1") << QStringList();
        QTest::addRow("item number equal") << where("物料代码", "=", "1.01.002") << QStringList{nuts, nuts};
        QTest::addRow("name like, or place name")
            << where("物料名称", "like", "O'Nei", "or", "仓位名称", "=", "A区02") << QStringList{screws, bolts};
        QTest::addRow("place number not like and barcode")
            << where("仓位代码", "not like", "02", "and", "条形码", "=", "6901") << QStringList{screws};
        QVariantMap both = where("物料代码", ">=", "1.02");
        both.insert(SnapshotParams::CommBrand, "-5");
        QTest::addRow("conditions win over brands") << both << QStringList{bolts};
        QTest::addRow("statement in a value")
            << where("物料代码", "like", "'); DELETE FROM ICInventory; --") << QStringList();
    }
    void goodsRestriction()
    {
        QFETCH(QVariantMap, extra);
        QFETCH(QStringList, names);
        names.sort();
        SnapshotParams p = params({stockA});
        for (auto it = extra.cbegin(); it != extra.cend(); ++it)
            p.setValue(it.key(), it.value());
        const int id = snapshot(p);
        QCOMPARE(id > 0, !names.isEmpty());
        QCOMPARE(this->names(id), names);
        QCOMPARE(scalar("SELECT COUNT(*) FROM ICInventory"), 6);
    }

    // The operator may see stock B and screws and bolts only.
    void accessRulesOfTheOperator()
    {
        f->accessRule(user, "t_Stock", stockB);
        f->accessRule(user, "t_ICItem", screw);
        f->accessRule(user, "t_ICItem", bolt);
        QCOMPARE(snapshot(params({stockA})), 0); // nothing visible: no process
        const int id = snapshot(params({stockA, stockB}));
        QCOMPARE(values("SELECT FItemID, FStockID FROM ICInvBackup WHERE FInterID = ?", {id}),
                 QStringLiteral("%1 %2").arg(bolt).arg(stockB));
    }

    // '' and NULL are one position; the ledgers stay apart.
    void nullProductionDateIsEmptyText()
    {
        QVERIFY(exec("UPDATE ICInventory SET FKFDate = NULL WHERE FItemID = ?", {nut}));
        f->currentStock(nut, stockA, placeA1, 5);
        QCOMPARE(values("SELECT '[' || FKFDate || ']', FQty FROM ICInvBackup WHERE FInterID = ? AND FItemID = ?"
                        " ORDER BY FQty",
                        {snapshot(params({stockA})), nut}),
                 "[] 12; [] 45");
    }

    // A unit whose coefficient is 0 leaves the quantity in that unit empty and
    // stops nothing, on either engine.
    void unitWithoutCoefficient()
    {
        QVERIFY(exec("UPDATE t_MeasureUnit SET FCoefficient = 0 WHERE FMeasureUnitID = ?", {boxes}));
        const int id = snapshot(params({stockA}));
        QVERIFY(id > 0);
        QCOMPARE(values("SELECT FQty, FAuxQty FROM ICInvBackup WHERE FInterID = ? AND FItemID = ? ORDER BY FQty",
                        {id, screw}),
                 "30 NULL; 150 NULL");
    }
};

STOCKCHECK_TEST(TestCurrentSnapshot)
#include "tst_currentsnapshot.moc"
