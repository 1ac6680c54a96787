#include "snapshottest.h"
#include "testmain.h"

#include "erp/retailcounts.h"

#include <QProcess>

// Retail count results: audited counts of the shop replace the counted quantities
// of matching rows and add rows for positions without one, audited re-counts set
// FReCheckQty and FReCheckFlag and have the last word, in one transaction.
class TestRetailResults : public SnapshotTest
{
    Q_OBJECT

    int screw = 0, boxed = 0, loose = 0, shop = 0, place = 0;

    void seed() override
    {
        f->unitGroup("盒组", {{"个", 1}, {"盒", 10}});
        screw = f->item({.number = "1.01", .name = "螺丝", .secUnit = f->unit("盒"), .secCoefficient = 10});
        boxed = f->item({.number = "1.02", .name = "螺母", .unitGroup = 0, .storeUnit = f->unit("盒")});
        loose = f->item({.number = "1.03", .name = "垫片"});
        shop = f->stock("S1", "门店");
        place = f->stockPlace(shop, "A1", "货架");
        // process 1: screw (with a secondary figure typed in), boxed goods, a batch row
        QVERIFY(exec("INSERT INTO ICStockCheckProcess (FID, FProcessID, FDate, FOperatorID) VALUES (1, 'P1', ?, ?)",
                     {Dialect::dateValue(QDate(2026, 3, 1)), user}));
        const QString row = "INSERT INTO ICInvBackup (FInterID, FItemID, FUnitID, FStockID, FStockPlaceID, FBatchNo,"
                            " FQty, FAuxQty, FQtyAct, FAuxQtyAct, FMinus, FSecQty, FSecQtyAct, FAdjQty)"
                            " VALUES (1, ?, ?, ?, ?, ?, ?, ?, NULL, NULL, NULL, ?, ?, ?)";
        QVERIFY(exec(row, {screw, f->unit("个"), shop, place, "", 20, 20, 2, 0, 0}));
        QVERIFY(exec(row, {boxed, f->unit("盒"), shop, place, "", 50, 5, 0, 0, 1}));
        QVERIFY(exec(row, {loose, f->unit("个"), shop, 0, "B1", 8, 8, 4, 3.5, 0})); // typed secondary count
    }

    void document(const char *table, int id, int audit, int cancelled, const QList<QVariantList> &entries)
    {
        QVERIFY(exec(QStringLiteral("INSERT INTO %1 (FID, FBillNo, FDate, FProcessID, FAuditFlag, FCancellation)"
                                    " VALUES (?, ?, ?, 1, ?, ?)")
                         .arg(table),
                     {id, QStringLiteral("R%1").arg(id), Dialect::dateValue(QDate(2026, 3, 2)), audit, cancelled}));
        int n = 0;
        for (const QVariantList &e : entries) // item, place, batch, counted
            QVERIFY(exec(QStringLiteral("INSERT INTO %1Entry (FID, FEntryID, FItemID, FStockID, FStockPlaceID,"
                                        " FBatchNo, FKFDate, FActualQty) VALUES (?, ?, ?, ?, ?, ?, NULL, ?)")
                             .arg(table),
                         {id, ++n, e.at(0), shop, e.at(1), e.at(2), e.at(3)}));
    }
    QString rowsOf()
    {
        return values("SELECT FItemID, FStockPlaceID, FBatchNo, FQty, FQtyAct, FAuxQtyAct, FAuxCheckQty, FCheckQty,"
                      " FReCheckQty, FReCheckFlag, FMinus, FSecQtyAct, FSecMinus FROM ICInvBackup"
                      " WHERE FInterID = 1 ORDER BY FItemID, FStockPlaceID");
    }

private slots:
    void merge()
    {
        // two audited counts of the screw add up; the boxed goods counted in pieces
        document("t_LS_InventoryCheck", 1, 2, 0, {{screw, place, "", 10}, {boxed, place, "", 42}});
        document("t_LS_InventoryCheck", 2, 2, 0, {{screw, place, QVariant(), 8}, {loose, place, "", 6}});
        document("t_LS_InventoryCheck", 3, 1, 0, {{loose, 0, "B1", 99}}); // not audited
        document("t_LS_InventoryCheck", 4, 2, 1, {{loose, 0, "B1", 98}}); // cancelled
        document("t_LS_ReInventoryCheck", 5, 2, 0, {{boxed, place, "", 48}, {screw, 0, "", 1}});
        ICBackupInv engine;
        QVERIFY2(engine.UpdateStockBillDate(1), qPrintable(engine.lastError().detailed()));
        const QString s = QString::number(screw), b = QString::number(boxed), l = QString::number(loose),
                      p = QString::number(place);
        QCOMPARE(rowsOf(),
                 QStringList({
                                 // counted 18 of 20: the secondary figures in the row's ratio
                                 s + " 0  0 1 1 NULL 1 1 1 1 0 0", // re-count of a position without a row
                                 s + " " + p + "  20 18 18 18 18 NULL 0 -2 1.8 -0.2",
                                 // re-counted 48 after 42, less the adjustment of one box
                                 b + " " + p + "  50 48 4.8 4.2 48 4.8 1 -12 0 0",
                                 l + " 0 B1 8 NULL NULL NULL NULL NULL 0 NULL 3.5 0", // untouched, typed count kept
                                 l + " " + p + "  0 6 6 6 6 NULL 0 6 0 0",            // a position without a row
                             })
                     .join("; "));
    }

    void failureLeavesTheRows()
    {
        document("t_LS_InventoryCheck", 1, 2, 0, {{screw, place, "", 10}, {loose, place, "", 6}});
        const QString before = rowsOf();
        conn().setStatementHook([](const QString &sql, const QVariantList &) {
            return sql.contains("FReCheckQty") && sql.startsWith("INSERT") ? QStringLiteral("injected") : QString();
        });
        ICBackupInv engine;
        QVERIFY(!engine.UpdateStockBillDate(1));
        conn().setStatementHook({});
        QCOMPARE(rowsOf(), before);
        QVERIFY(engine.UpdateStockBillDate(1)); // and it runs again afterwards
    }

    void commandLine()
    {
        document("t_LS_InventoryCheck", 1, 2, 0, {{screw, place, "", 10}});
        document("t_LS_InventoryCheck", 2, 1, 0, {{loose, place, "", 6}});
        QProcess p;
        p.start(QStringLiteral(STOCKCHECK_CLI),
                {"retail-results", "--db", db->url(), "--user", QString::number(user), "--process", "1"});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), "1\t3\t1\t0\n"); // FID, rows, counted, re-counted
        QCOMPARE(QString::fromUtf8(p.readAllStandardError()).trimmed(),
                 "该盘点方案还有未审核的零售盘点单，只计入已审核的。");
    }

    // The stand-in's demo documents give the merge something of each kind.
    void demoDocuments()
    {
        for (int i = 0; i < 9; ++i) // twelve rows in the shop, and goods it has no row of
            QVERIFY(exec("INSERT INTO ICInvBackup (FInterID, FItemID, FUnitID, FStockID, FBatchNo, FQty)"
                         " VALUES (1, ?, 1, ?, ?, 5)",
                         {loose, shop, QStringLiteral("L%1").arg(i)}));
        f->item({.number = "1.04", .name = "铆钉"});
        QCOMPARE(erp::writeRetailCounts(conn(), 1, QDate(2026, 3, 2)),
                 QStringList({"LSPD000001", "LSFP000001", "LSPD000002"}));
        ICBackupInv engine;
        QVERIFY(engine.isHaveUnCheckBill(1));
        QVERIFY(engine.UpdateStockBillDate(1));
        QCOMPARE(
            values("SELECT COUNT(*), SUM(FReCheckFlag) FROM ICInvBackup WHERE FInterID = 1 AND FQtyAct IS NOT NULL"),
            "13 2"); // all twelve (the one not audited was re-counted) and the new position
    }
};

STOCKCHECK_TEST(TestRetailResults)
#include "tst_retailresults.moc"
