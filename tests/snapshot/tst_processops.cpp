#include "snapshottest.h"
#include "testmain.h"

#include "erp/gldata.h"

// The operations on one count process: renaming, flags and status, the
// delete with its releases, and the host's rights and business log.
class TestProcessOps : public SnapshotTest
{
    Q_OBJECT

    int item = 0, stock = 0, other = 0;

    void seed() override
    {
        item = f->item({.number = "1.01", .name = "螺丝"});
        stock = f->stock("S1", "一仓");
        other = f->stock("S2", "二仓");
        f->currentStock(item, stock, 0, 10);
    }

    // A process with one count row in `stockId`.
    void process(int id, const QString &name, int status = 0, const QDate &date = QDate(2026, 3, 15), int stockId = 0)
    {
        QVERIFY(exec("INSERT INTO ICStockCheckProcess (FID, FProcessID, FDate, FOperatorID, FStatus, FBackupType)"
                     " VALUES (?, ?, ?, ?, ?, 1)",
                     {id, name, Dialect::dateValue(date), user, status}));
        QVERIFY(exec("INSERT INTO ICInvBackup (FInterID, FItemID, FUnitID, FStockID, FQty) VALUES (?, ?, 1, ?, 10)",
                     {id, item, stockId ? stockId : stock}));
    }
    QString state()
    {
        return values("SELECT (SELECT COUNT(*) FROM ICStockCheckProcess), (SELECT COUNT(*) FROM ICInvBackup),"
                      " (SELECT SUM(FSelectedProcID) FROM ICStockBillEntry),"
                      " (SELECT SUM(FSelectedProcID) FROM t_MTOChangeEntry),"
                      " (SELECT SUM(FSelectedProcID) FROM ICVMIInStockEntry)");
    }
    // Entries of each kind reserved for process 2, one for process 3.
    void reserve()
    {
        f->document(1, {{.item = item, .qty = 1, .stock = stock}});
        f->document(1, {{.item = item, .qty = 1, .stock = stock}});
        f->mtoChange({.item = item, .qty = 1, .stock = stock, .mto = "A"}, "B");
        f->vmiReceipt({.item = item, .qty = 1, .stock = stock});
        QVERIFY(exec("UPDATE ICStockBillEntry SET FSelectedProcID = CASE WHEN FInterID = 1 THEN 2 ELSE 3 END"));
        QVERIFY(exec("UPDATE t_MTOChangeEntry SET FSelectedProcID = 2"));
        QVERIFY(exec("UPDATE ICVMIInStockEntry SET FSelectedProcID = 2"));
    }

private slots:
    // Saving binds its values; flags, status and the user list read back as written.
    void smallOperations()
    {
        process(1, "a");
        ICBackupInv engine;
        QVERIFY(engine.SaveProc({{"FID", 1}, {"ProcID", "盘点'一"}, {"Remark", "x\"; --"}}));
        QVERIFY(engine.WrightStockFlag(1, "F1"));
        QVERIFY(engine.WrightStockStatus(1, 1));
        QCOMPARE(values("SELECT FProcessID, FRemark, FStockFlag, FStatus FROM ICStockCheckProcess"),
                 "盘点'一 x\"; -- F1 1");
        QCOMPARE(engine.getStockFlag(1), "F1");
        QCOMPARE(engine.getStockFlag(9), QString());
        QCOMPARE(engine.GetUserComboBoxString(), "张三");
    }

    void stockQuestions()
    {
        process(1, "a");
        ICBackupInv engine;
        QVERIFY(engine.StockIsBackuped(stock));
        QVERIFY(!engine.StockIsBackuped(other));
        QVERIFY(!engine.StockIsFinished(stock));
        const int bill = f->document(40, {{.item = item, .qty = 1, .stock = stock}}, {.procId = 1});
        QVERIFY(exec("UPDATE ICInvBackup SET FBillInterID = ?", {bill + 100})); // a document since deleted
        QVERIFY(!engine.StockIsFinished(stock));
        QVERIFY(exec("UPDATE ICInvBackup SET FBillInterID = ?", {bill}));
        QVERIFY(engine.StockIsFinished(stock));
        QVERIFY(!engine.StockIsFinished(other));
        QCOMPARE(engine.GetStockBillByProcID(2), QString());
        f->document(43, {{.item = item, .qty = 1, .stock = stock}}, {.procId = 1, .billNo = "PK-2"});
        QCOMPARE(engine.GetStockBillByProcID(1),
                 values("SELECT FBillNo FROM ICStockBill WHERE FInterID = ?", {bill}) + ",PK-2");
        QVERIFY(engine.DisableStockBill(1));
        QCOMPARE(values("SELECT DISTINCT FCancellation FROM ICStockBill"), "1");
    }

    void unauditedRetailDocuments_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("audit");
        QTest::addColumn<int>("cancelled");
        QTest::addColumn<bool>("expected");
        QTest::addRow("count not audited") << "t_LS_InventoryCheck" << 1 << 0 << true;
        QTest::addRow("re-count not audited") << "t_LS_ReInventoryCheck" << 1 << 0 << true;
        QTest::addRow("audited") << "t_LS_InventoryCheck" << 2 << 0 << false;
        QTest::addRow("cancelled") << "t_LS_ReInventoryCheck" << 1 << 1 << false;
    }
    void unauditedRetailDocuments()
    {
        QFETCH(QString, table);
        QFETCH(int, audit);
        QFETCH(int, cancelled);
        QFETCH(bool, expected);
        QVERIFY(exec(QStringLiteral("INSERT INTO %1 (FID, FBillNo, FDate, FProcessID, FAuditFlag, FCancellation)"
                                    " VALUES (1, 'R1', ?, 5, ?, ?)")
                         .arg(table),
                     {Dialect::dateValue(QDate(2026, 3, 16)), audit, cancelled}));
        ICBackupInv engine;
        QCOMPARE(engine.isHaveUnCheckBill(5), expected);
        QVERIFY(!engine.isHaveUnCheckBill(6));
    }

    // The process and its rows go, what was reserved for it is free, the rest stays;
    // a failure half-way, or a document made meanwhile, leaves everything as it was.
    void deleteProcess_data()
    {
        QTest::addColumn<QString>("failAt");
        QTest::addColumn<bool>("documentMade");
        QTest::addRow("deleted") << "" << false;
        QTest::addRow("failure after the rows") << "UPDATE t_MTOChangeEntry" << false;
        QTest::addRow("failure at the last release") << "UPDATE ICVMIInStockEntry" << false;
        QTest::addRow("a document made meanwhile") << "" << true;
    }
    void deleteProcess()
    {
        QFETCH(QString, failAt);
        QFETCH(bool, documentMade);
        process(2, "a");
        process(3, "b");
        reserve();
        if (documentMade)
            f->document(43, {{.item = item, .qty = 1, .stock = stock}}, {.procId = 2});
        const QString before = state();
        QCOMPARE(before, "2 2 5 2 2");
        conn().setStatementHook([failAt](const QString &sql, const QVariantList &) {
            return !failAt.isEmpty() && sql.startsWith(failAt) ? QStringLiteral("injected") : QString();
        });
        ICBackupInv engine;
        const bool deleted = engine.DelProcAndBackupData(2);
        conn().setStatementHook({});
        QCOMPARE(deleted, failAt.isEmpty() && !documentMade);
        QCOMPARE(engine.lastError().isError(), !failAt.isEmpty());
        QCOMPARE(state(), deleted ? "1 1 3 0 0" : before);
    }

    // Rights are granted per user; the log keeps who did what.
    void rightsAndLog()
    {
        erp::UserRights rights;
        using R = GLData::Right;
        erp::grantRights(conn(), user, {R::BackupStock, R::ViewCountReport});
        erp::grantRights(conn(), user, {R::BackupStock}); // twice is once
        QVERIFY(rights.AccessCheck(conn(), user, R::BackupStock));
        QVERIFY(!rights.AccessCheck(conn(), user, R::DeleteCountPlan));
        QVERIFY(!rights.AccessCheck(conn(), user + 1, R::BackupStock));
        rights.WriteLog(conn(), user, "K010100", "新增盘点开始");
        rights.WriteLog(conn(), user, "K010100", "退出新增盘点");
        QCOMPARE(values("SELECT COUNT(*) FROM t_UserRight"), "2");
        QCOMPARE(values("SELECT FID, FUserID, FFunctionID, FDescription FROM t_Log ORDER BY FID"),
                 QStringLiteral("1 %1 K010100 新增盘点开始; 2 %1 K010100 退出新增盘点").arg(user));
        QCOMPARE(scalar("SELECT COUNT(*) FROM t_Log WHERE FDate IS NULL"), 0);
    }
};

STOCKCHECK_TEST(TestProcessOps)
#include "tst_processops.moc"
