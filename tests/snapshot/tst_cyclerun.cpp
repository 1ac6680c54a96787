#include "snapshottest.h"
#include "testmain.h"

#include "erp/gldata.h"
#include "snapshot/chkstockproclogic.h"

#include <QProcess>

// The cycle count started from the process list ("New" with a tick tool) and from
// stockcheck-cli: only the positions due today, per stock or for all stocks, the
// items stamped so that a second run the same day finds nothing.
class TestCycleRun : public SnapshotTest
{
    Q_OBJECT

    int due = 0, other = 0, notDue = 0, s1 = 0, s2 = 0, s501 = 0;

    void seed() override
    {
        erp::grantRights(conn(), user, {GLData::Right::BackupStock});
        const QDate today = QDate::currentDate();
        due =
            f->item({.number = "5.01", .name = "到期", .cycleUnit = 11603, .cycle = 7, .lastCheck = today.addDays(-7)});
        other = f->item({.number = "5.02",
                         .name = "周盘",
                         .cycleUnit = 11602,
                         .cycle = 1,
                         .daysPer = 1,
                         .lastCheck = today.addDays(-30)});
        notDue = f->item(
            {.number = "5.03", .name = "未到期", .cycleUnit = 11603, .cycle = 7, .lastCheck = today.addDays(-6)});
        s1 = f->stock("S1", "一仓");
        s2 = f->stock("S2", "二仓");
        s501 = f->stock("S3", "特仓", 501);
        f->currentStock(due, s1, 0, 10);
        f->currentStock(notDue, s1, 0, 5);
        f->currentStock(other, s2, 0, 4, {.secondLedger = true});
        f->currentStock(due, s501, 0, 2);
        f->currentStock(other, s501, 0, 6, {.secondLedger = true}); // type 501: not through the second ledger
    }

    // Each process's rows as "stock:item=qty", processes in id order.
    QString processRows()
    {
        return values("SELECT p.FID, b.FStockID, b.FItemID, b.FQty FROM ICStockCheckProcess p"
                      " JOIN ICInvBackup b ON b.FInterID = p.FID ORDER BY p.FID, b.FStockID, b.FItemID");
    }
    QString expected(bool perStock)
    {
        const QString rows = perStock ? QStringLiteral("1 %1 %2 10; 2 %3 %4 4; 3 %5 %2 2")
                                      : QStringLiteral("1 %1 %2 10; 1 %3 %4 4; 1 %5 %2 2");
        return rows.arg(s1).arg(due).arg(s2).arg(other).arg(s501);
    }

private slots:
    void fromTheList_data()
    {
        QTest::addColumn<bool>("perStock");
        QTest::addRow("分仓库创建") << true;
        QTest::addRow("不分仓库创建") << false;
    }
    void fromTheList()
    {
        QFETCH(bool, perStock);
        ChkStockProcLogic list({{"UserID", user}});
        QVERIFY(list.load());
        list.toolClick(perStock ? ChkStockProcLogic::WithStock : ChkStockProcLogic::WithoutStock);
        list.toolClick(ChkStockProcLogic::New);
        QCOMPARE(ui.messageTexts(), QStringList());
        QCOMPARE(processRows(), expected(perStock));
        QCOMPARE(list.model()->processes().size(), perStock ? 3 : 1); // the list was reloaded
        const QString today = QDate::currentDate().toString("yyyy-MM-dd");
        QCOMPARE(values("SELECT FLastCheckDate FROM t_ICItem WHERE FItemID IN (?, ?) ORDER BY FItemID", {due, other}),
                 today + "; " + today);
        QCOMPARE(values("SELECT DISTINCT FBackupType, FOperatorID FROM ICStockCheckProcess"),
                 QStringLiteral("1 %1").arg(user));

        list.toolClick(ChkStockProcLogic::New); // the same day: nothing is due any more
        QCOMPARE(ui.messageTexts(), QStringList{"没有需要备份的物料!"});
        QCOMPARE(processes(), perStock ? 3 : 1);
        QCOMPARE(values("SELECT FDescription FROM t_Log ORDER BY FID"),
                 "新增盘点开始; 退出新增盘点; 新增盘点开始; 退出新增盘点");
    }

    // A stock whose snapshot fails is told; the others get their process and the
    // items are stamped after the last stock.
    void failingStock()
    {
        int headers = 0;
        conn().setStatementHook([&headers](const QString &sql, const QVariantList &) {
            return sql.contains("INSERT INTO ICStockCheckProcess") && ++headers == 2 ? QStringLiteral("injected")
                                                                                     : QString();
        });
        QList<CycleCount::Created> created;
        QCOMPARE(CycleCount::run(true, user, &created), CycleCount::Outcome::Done);
        conn().setStatementHook({});
        QCOMPARE(created.size(), 2);
        QCOMPARE(ui.messageTexts().size(), 1);
        QVERIFY(ui.lastMessage().startsWith("备份数据失败！"));
        QCOMPARE(values("SELECT DISTINCT FStockID FROM ICInvBackup ORDER BY FStockID"),
                 QStringLiteral("%1; %2").arg(s1).arg(s501));
        QCOMPARE(scalar("SELECT COUNT(*) FROM t_ICItem WHERE FLastCheckDate = ?",
                        {Dialect::dateValue(QDate::currentDate())}),
                 1); // `due`, counted in the stocks that worked; `other` only in the failed one
    }

    void commandLine()
    {
        const auto run = [this](const QString &mode, QString *out, QString *err) {
            QProcess p;
            p.start(QStringLiteral(STOCKCHECK_CLI),
                    {"cycle-count", "--db", db->url(), "--user", QString::number(user), mode});
            p.waitForFinished(120000);
            *out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
            *err = QString::fromUtf8(p.readAllStandardError()).trimmed();
            return p.exitCode();
        };
        QString out, err;
        QCOMPARE(run("--per-stock", &out, &err), 0);
        const QStringList lines = out.split('\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.first(), "1\t" + values("SELECT FProcessID FROM ICStockCheckProcess WHERE FID = 1"));
        QCOMPARE(run("--all", &out, &err), 1);
        QCOMPARE(err, "没有需要备份的物料!");
        QCOMPARE(run("--bogus", &out, &err), 2);
    }
};

STOCKCHECK_TEST(TestCycleRun)
#include "tst_cyclerun.moc"
