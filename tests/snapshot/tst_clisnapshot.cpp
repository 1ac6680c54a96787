#include "snapshottest.h"
#include "testmain.h"

#include <QRegularExpression>

// `stockcheck-cli snapshot` run as a person runs it: the same checks and snapshot
// as the dialog, the new process on stdout, refusals and bad arguments with a
// message and a non-zero status.
class TestCliSnapshot : public SnapshotTest
{
    Q_OBJECT

    int stockA = 0, stockB = 0, brand = 0;

    using Run = ProgramRun;

    // {A}, {B}, {BRAND} and {DB} stand for ids and the database; the database and
    // the operator are added unless the arguments name a user.
    Run cli(QStringList args)
    {
        args.replaceInStrings("{A}", QString::number(stockA))
            .replaceInStrings("{B}", QString::number(stockB))
            .replaceInStrings("{BRAND}", QString::number(brand))
            .replaceInStrings("{DB}", db->url());
        if (!args.contains(QLatin1String("--user")))
            args = QStringList{"--db", db->url(), "--user", QString::number(user)} + args;
        return runProgram(QStringLiteral(STOCKCHECK_CLI), QStringList{"snapshot"} + args);
    }

    void seed() override
    {
        f->systemParam("IC", "UseShortNumber", "0"); // full numbers
        brand = f->baseItem(2038, "B1", "品牌");
        const int screw = f->item({.number = "8.01", .name = "螺丝", .brand = brand});
        const int nut = f->item({.number = "8.02", .name = "螺母"});
        stockA = f->stock("A", "甲仓");
        stockB = f->stock("B", "乙仓");
        f->currentStock(screw, stockA, 0, 10);
        f->currentStock(nut, stockA, 0, 20);
        f->currentStock(nut, stockB, 0, 30);
        f->balance(2026, 3, nut, stockB, 0, 30);
    }

private slots:
    // 0: one line on stdout, the new FID, a tab and the process number; 1: the
    // snapshot was refused; 2: the command line is wrong. A refusal takes nothing.
    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected"); // 0: backup type and the names of the rows; else the message
        QTest::addRow("two stocks") << QStringList{"--stocks", "{A},{B}"} << 0 << "1 螺丝 螺母 螺母";
        QTest::addRow("two conditions, or")
            << QStringList{"--stocks", "{A}", "--where", "物料名称:like:丝:or", "--where", "物料名称:=:螺母"} << 0
            << "1 螺丝 螺母";
        QTest::addRow("brands") << QStringList{"--stocks", "{A}", "--brands", "{BRAND}"} << 0 << "1 螺丝";
        QTest::addRow("cut-off") << QStringList{"--stocks", "{B}", "--cutoff", "2026-03-15"} << 0 << "2 螺母";
        QTest::addRow("typed SQL finds nothing") << QStringList{"--stocks", "{A}", "--where", "物料名称:=:x' OR '1'='1"}
                                                 << 1 << "没有可用的数据，不能备份！";
        QTest::addRow("cut-off before the start")
            << QStringList{"--stocks", "{A}", "--cutoff", "2025-12-01"} << 1 << "截止日期不能小于系统启用日期！";
        QTest::addRow("no stocks") << QStringList{"--where", "物料代码:=:1"} << 2 << "--stocks";
        QTest::addRow("unknown field") << QStringList{"--stocks", "{A}", "--where", "FNumber:=:1"} << 2 << "FNumber";
        QTest::addRow("brands and categories")
            << QStringList{"--stocks", "{A}", "--brands", "1", "--categories", "2"} << 2 << "--categories";
        QTest::addRow("no such date") << QStringList{"--stocks", "{A}", "--cutoff", "2026-13-01"} << 2 << "2026-13-01";
    }
    void exitCodes()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        const Run r = cli(args);
        QVERIFY2(r.exitCode == exitCode, qPrintable(r.err));
        if (exitCode == 0) {
            static const QRegularExpression line("^(\\d+)\\t(\\d{12})\\n$");
            const QRegularExpressionMatch m = line.match(r.out);
            QVERIFY2(m.hasMatch(), qPrintable(r.out));
            const int id = m.captured(1).toInt();
            QCOMPARE(values("SELECT FBackupType, FProcessID FROM ICStockCheckProcess WHERE FID = ?", {id}),
                     expected.section(' ', 0, 0) + ' ' + m.captured(2));
            QCOMPARE(names(id).join(' '), expected.section(' ', 1));
            return;
        }
        QVERIFY2(r.err.contains(expected), qPrintable(r.err));
        QCOMPARE(r.out, QString());
        QCOMPARE(scalar("SELECT COUNT(*) FROM ICInventory"), 3);
        QCOMPARE(processes(), 0);
    }
};

STOCKCHECK_TEST(TestCliSnapshot)
#include "tst_clisnapshot.moc"
