#include "snapshottest.h"
#include "testmain.h"

#include "erp/gldata.h"

#include <QProcess>

// The process commands of stockcheck-cli as a person runs them: the list, and a
// rename or delete through the rights, checks and messages of the window.
class TestCliProcesses : public SnapshotTest
{
    Q_OBJECT

    int manager = 0, counter = 0;

    struct Run
    {
        int exitCode = -1;
        QString out, err;
    };

    Run cli(const QString &command, int userId, const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral(STOCKCHECK_CLI),
                QStringList{command, "--db", db->url(), "--user", QString::number(userId)} + args);
        Run r;
        if (!p.waitForFinished(120000))
            return r;
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        r.err = QString::fromUtf8(p.readAllStandardError()).trimmed();
        return r;
    }

    void seed() override
    {
        manager = user;
        counter = f->user("李四");
        erp::grantRights(conn(), manager, erp::allRights());
        erp::grantRights(conn(), counter, {GLData::Right::BackupStock, GLData::Right::ViewCountReport});
        const int item = f->item({.number = "1.01", .name = "螺丝"});
        const int stock = f->stock("S1", "一仓");
        for (int id = 1; id <= 3; ++id) {
            QVERIFY(exec(
                "INSERT INTO ICStockCheckProcess (FID, FProcessID, FDate, FOperatorID, FStatus, FRemark)"
                " VALUES (?, ?, ?, ?, ?, '')",
                {id, QStringLiteral("P%1").arg(id), Dialect::dateValue(QDate(2026, 3, id)), manager, id == 2 ? 1 : 0}));
            QVERIFY(exec("INSERT INTO ICInvBackup (FInterID, FItemID, FUnitID, FStockID, FQty) VALUES (?, ?, 1, ?, 5)",
                         {id, item, stock}));
        }
    }

private slots:
    void list()
    {
        const Run open = cli("processes", counter, {});
        QCOMPARE(open.exitCode, 0);
        QCOMPARE(open.out, "1\tP1\t2026-03-01\t张三\t0\t\n3\tP3\t2026-03-03\t张三\t0"); // trailing tab trimmed
        QCOMPARE(cli("processes", counter, {"--all"}).out.count('\n'), 2);
        QCOMPARE(cli("processes", counter, {"--all", "--recent"}).out, QString());
    }

    void changes_data()
    {
        QTest::addColumn<bool>("asManager");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // stdout, or stderr when refused
        QTest::addColumn<QString>("after");  // names and remarks, process count
        QTest::addRow("rename and re-mark") << true << QStringList{"--process", "1", "--name", "年末", "--remark", "全"}
                                            << 0 << "1\t年末\t2026-03-01\t张三\t0\t全"
                                            << "年末 全; P2 ; P3 ";
        QTest::addRow("a name another process has")
            << true << QStringList{"--process", "1", "--name", "P3"} << 1 << "盘点方案[P3]重复，请修改后保存!"
            << "P1 ; P2 ; P3 ";
        QTest::addRow("rename without the right") << false << QStringList{"--process", "1", "--name", "X"} << 1
                                                  << "没有更改盘点方案的权限，请与系统管理员联系!"
                                                  << "P1 ; P2 ; P3 ";
        QTest::addRow("delete") << true << QStringList{"--process", "3", "--delete"} << 0 << ""
                                << "P1 ; P2 ";
        QTest::addRow("no such process") << true << QStringList{"--process", "9", "--delete"} << 1
                                         << "盘点方案 9 不存在"
                                         << "P1 ; P2 ; P3 ";
        QTest::addRow("delete and rename at once")
            << true << QStringList{"--process", "1", "--delete", "--name", "X"} << 2 << ""
            << "P1 ; P2 ; P3 ";
    }
    void changes()
    {
        QFETCH(bool, asManager);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, after);
        const Run r = cli("process", asManager ? manager : counter, args);
        QCOMPARE(r.exitCode, exitCode);
        if (exitCode == 0)
            QCOMPARE(r.out, output);
        else if (!output.isEmpty())
            QCOMPARE(r.err, output);
        QCOMPARE(values("SELECT FProcessID, FRemark FROM ICStockCheckProcess ORDER BY FID"), after);
    }
};

STOCKCHECK_TEST(TestCliProcesses)
#include "tst_cliprocesses.moc"
