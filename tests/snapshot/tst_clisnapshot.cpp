#include "snapshotfixture.h"
#include "testmain.h"

#include <QProcess>
#include <QRegularExpression>

// `stockcheck-cli snapshot` run as a person runs it: the same checks and snapshot
// as the dialog, the new process on stdout, refusals and bad arguments with a
// message and a non-zero status.
class TestCliSnapshot : public QObject
{
    Q_OBJECT

    SnapshotFixture fx;
    int stockA = 0, stockB = 0, screw = 0, nut = 0, brand = 0;

    struct Run
    {
        int exitCode = -1;
        QString out, err;
    };

    Run snapshot(const QStringList &args, bool withDefaults = true)
    {
        QStringList all{QStringLiteral("snapshot")};
        if (withDefaults)
            all << QStringLiteral("--db") << fx.db->url() << QStringLiteral("--user") << QString::number(fx.user);
        all << args;
        QProcess p;
        p.start(QStringLiteral(STOCKCHECK_CLI), all);
        Run r;
        if (!p.waitForFinished(120000))
            return r;
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    QString id(int value) const { return QString::number(value); }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        QVERIFY(fx.setUp());
        Factories &f = *fx.f;
        f.systemParam(QStringLiteral("IC"), QStringLiteral("UseShortNumber"), QStringLiteral("0")); // full numbers
        brand = f.baseItem(2038, QStringLiteral("B1"), QStringLiteral("品牌"));
        screw = f.item({.number = QStringLiteral("8.01"), .name = QStringLiteral("螺丝"), .brand = brand});
        nut = f.item({.number = QStringLiteral("8.02"), .name = QStringLiteral("螺母")});
        stockA = f.stock(QStringLiteral("A"), QStringLiteral("甲仓"));
        stockB = f.stock(QStringLiteral("B"), QStringLiteral("乙仓"));
        f.currentStock(screw, stockA, 0, 10);
        f.currentStock(nut, stockA, 0, 20);
        f.currentStock(nut, stockB, 0, 30);
        f.balance(2026, 3, nut, stockB, 0, 30);
    }
    void cleanup() { fx.tearDown(); }

    void snapshots_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("items"); // names of the new rows, sorted
        QTest::addColumn<int>("backupType");
        QTest::addRow("two stocks") << QStringList{"--stocks", "{A},{B}"} << QStringList{"螺丝", "螺母", "螺母"} << 1;
        QTest::addRow("two conditions, or")
            << QStringList{"--stocks", "{A}", "--where", "物料名称:like:丝:or", "--where", "物料名称:=:螺母"}
            << QStringList{"螺丝", "螺母"} << 1;
        QTest::addRow("brands") << QStringList{"--stocks", "{A}", "--brands", "{BRAND}"} << QStringList{"螺丝"} << 1;
        QTest::addRow("cut-off") << QStringList{"--stocks", "{B}", "--cutoff", "2026-03-15"} << QStringList{"螺母"}
                                 << 2;
    }
    void snapshots()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, items);
        QFETCH(int, backupType);
        args.replaceInStrings(QStringLiteral("{A}"), id(stockA))
            .replaceInStrings(QStringLiteral("{B}"), id(stockB))
            .replaceInStrings(QStringLiteral("{BRAND}"), id(brand));
        const Run r = snapshot(args);
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        static const QRegularExpression line(QStringLiteral("^(\\d+)\\t(\\d{12})\\n$"));
        const QRegularExpressionMatch m = line.match(r.out);
        QVERIFY2(m.hasMatch(), qPrintable(r.out));
        QCOMPARE(fx.values(QStringLiteral("SELECT FProcessID, FBackupType FROM ICStockCheckProcess WHERE FID = ?"),
                           {m.captured(1).toInt()}),
                 m.captured(2) + QLatin1Char(' ') + QString::number(backupType));
        items.sort();
        QCOMPARE(fx.names(m.captured(1).toInt()), items);
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addRow("typed SQL finds nothing") << QStringList{"--stocks", "{A}", "--where", "物料名称:=:x' OR '1'='1"}
                                                 << 1 << "没有可用的数据，不能备份！";
        QTest::addRow("cut-off before the start")
            << QStringList{"--stocks", "{A}", "--cutoff", "2025-12-01"} << 1 << "截止日期不能小于系统启用日期！";
        QTest::addRow("no stocks") << QStringList{"--where", "物料代码:=:1"} << 2 << "--stocks";
        QTest::addRow("stock list with a word") << QStringList{"--stocks", "1,x"} << 2 << "1,x";
        QTest::addRow("unknown field") << QStringList{"--stocks", "{A}", "--where", "FNumber:=:1"} << 2 << "FNumber";
        QTest::addRow("unknown comparison") << QStringList{"--stocks", "{A}", "--where", "物料代码:~:1"} << 2 << "~";
        QTest::addRow("brands and categories")
            << QStringList{"--stocks", "{A}", "--brands", "1", "--categories", "2"} << 2 << "--categories";
        QTest::addRow("no such date") << QStringList{"--stocks", "{A}", "--cutoff", "2026-13-01"} << 2 << "2026-13-01";
        QTest::addRow("unknown option") << QStringList{"--stocks", "{A}", "--all"} << 2 << "--all";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        args.replaceInStrings(QStringLiteral("{A}"), id(stockA));
        const int inventory = fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInventory"));
        const Run r = snapshot(args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(r.out, QString());
        QCOMPARE(fx.processes(), 0);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInventory")), inventory);
    }

    void unknownUser()
    {
        const Run r = snapshot({QStringLiteral("--db"), fx.db->url(), QStringLiteral("--user"),
                                QStringLiteral("999999"), QStringLiteral("--stocks"), id(stockA)},
                               false);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QLatin1String("999999")), qPrintable(r.err));
    }
};

STOCKCHECK_TEST(TestCliSnapshot)
#include "tst_clisnapshot.moc"
