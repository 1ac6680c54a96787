#include "../snapshot/snapshotfixture.h"
#include "testmain.h"

#include <QProcess>

// `stockcheck-cli count` run as a person runs it: a row found by its key, counts
// typed as into the grid and saved through the row check; refusals, unknown rows
// and bad numbers with a message and a non-zero status, nothing written.
class TestCliCount : public QObject
{
    Q_OBJECT

    SnapshotFixture fx;
    int process = 0, screw = 0, nut = 0, milk = 0;

    struct Run
    {
        int exitCode = -1;
        QString out, err;
    };

    Run count(const QStringList &args)
    {
        QStringList all{QStringLiteral("count"), QStringLiteral("--db"), fx.db->url(), QStringLiteral("--user"),
                        QString::number(fx.user)};
        if (!args.contains(QLatin1String("--process")))
            all << QStringLiteral("--process") << QString::number(process);
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

    QVariant stored(int item, const QString &field)
    {
        Recordset rs = fx.conn().Execute(QStringLiteral("SELECT * FROM ICInvBackup WHERE FInterID = ? AND FItemID = ?"),
                                         {process, item});
        return rs.RecordCount() == 1 ? rs.Fields(field) : QVariant(QStringLiteral("no single row"));
    }

    int itemOf(const QString &number) const
    {
        return number == QLatin1String("1.01") ? screw : number == QLatin1String("1.03") ? nut : milk;
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        QVERIFY(fx.setUp());
        Factories &f = *fx.f;
        f.systemParam(QStringLiteral("IC"), QStringLiteral("UseShortNumber"), QStringLiteral("0"));
        const int group = f.unitGroup(QStringLiteral("包装组"), {{"个", 1}, {"盒", 6}, {"箱", 12}});
        const int stock = f.stock(QStringLiteral("01"), QStringLiteral("原料仓"));
        const int place = f.stockPlace(stock, QStringLiteral("A01"), QStringLiteral("A区01"));
        screw = f.item({.number = "1.01", .name = "螺丝", .unitGroup = group, .storeUnit = f.unit("箱")});
        nut = f.item({.number = "1.03", .name = "螺母", .unitGroup = group, .secUnit = f.unit("箱")});
        milk = f.item({.number = "1.04", .name = "牛奶", .batch = true, .kfPeriod = 30});
        f.currentStock(screw, stock, place, 120);
        f.currentStock(nut, stock, 0, 48, {.secQty = 4});
        f.currentStock(milk, stock, 0, 10, {.batch = "L1", .kfDate = "2026-01-10", .kfPeriod = 30});
        process = fx.snapshot(fx.params({stock}));
        QVERIFY(process > 0);
    }
    void cleanup() { fx.tearDown(); }

    void counts_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        const QStringList screwRow{"--item", "1.01", "--stock", "01", "--place", "A01"};
        const QStringList nutRow{"--item", "1.03", "--stock", "01"};
        QTest::addRow("row unit") << screwRow + QStringList{"--qty", "9"} << "FAuxCheckQty" << QVariant(9.0);
        QTest::addRow("row unit, base") << screwRow + QStringList{"--qty", "9"} << "FCheckQty" << QVariant(108.0);
        QTest::addRow("row unit, composite text")
            << screwRow + QStringList{"--qty", "9"} << "FComplexQty" << QVariant(QStringLiteral("9箱"));
        QTest::addRow("base unit") << screwRow + QStringList{"--qty", "24", "--base"} << "FAuxCheckQty"
                                   << QVariant(2.0);
        QTest::addRow("composite") << screwRow + QStringList{"--composite", "1箱3盒"} << "FCheckQty" << QVariant(30.0);
        QTest::addRow("composite kept") << screwRow + QStringList{"--composite", "1箱3盒"} << "FComplexQty"
                                        << QVariant(QStringLiteral("1箱3盒"));
        QTest::addRow("adjustment") << screwRow + QStringList{"--qty", "10", "--adj", "1"} << "FMinus"
                                    << QVariant(-12.0);
        QTest::addRow("note without quotes") << screwRow + QStringList{"--qty", "10", "--note", "外箱'破损\""}
                                             << "FNote" << QVariant(QStringLiteral("外箱破损"));
        QTest::addRow("secondary") << nutRow + QStringList{"--qty", "60", "--secqty", "6"} << "FSecMinus"
                                   << QVariant(2.0);
        QTest::addRow("secondary counted")
            << nutRow + QStringList{"--qty", "60", "--secqty", "6"} << "FSecCheckQty" << QVariant(6.0);
        QTest::addRow("batch and dates") << QStringList{"--item",   "1.04",       "--stock",    "01", "--batch", "L1",
                                                        "--kfdate", "2026-01-10", "--kfperiod", "30", "--qty",   "8"}
                                         << "FMinus" << QVariant(-2.0);
    }
    void counts()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        const Run r = count(args);
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const int item = itemOf(args.at(1));
        const QVariant got = stored(item, field);
        if (value.typeId() == QMetaType::Double)
            QCOMPARE(Recordset::toNumber(got), value.toDouble());
        else
            QCOMPARE(got.toString(), value.toString());
        QCOMPARE(stored(item, QStringLiteral("FChecker")).toInt(), fx.user);
        QVERIFY(r.out.contains(QStringLiteral("盘点数量")));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QStringList nutRow{"--item", "1.03", "--stock", "01"};
        QTest::addRow("unknown row") << QStringList{"--item", "1.01", "--stock", "01", "--qty", "1"} << 1
                                     << "找不到盘点记录";
        QTest::addRow("unknown process") << QStringList{"--process", "999"} + nutRow + QStringList{"--qty", "1"} << 1
                                         << "盘点方案 999 不存在";
        QTest::addRow("gain and loss") << nutRow + QStringList{"--qty", "60", "--secqty", "3"} << 1
                                       << "基本单位与辅助计量单位盘盈盘亏方向不一致";
        QTest::addRow("letters in a number") << nutRow + QStringList{"--qty", "5x"} << 2 << "--qty：“5x”不是数字";
        QTest::addRow("bad adjustment") << nutRow + QStringList{"--qty", "5", "--adj", "abc"} << 2
                                        << "--adj：“abc”不是数字";
        QTest::addRow("two quantities") << nutRow + QStringList{"--qty", "5", "--composite", "5个"} << 2 << "--qty";
        QTest::addRow("no quantity") << nutRow << 2 << "--composite";
        QTest::addRow("unknown unit") << nutRow + QStringList{"--composite", "3桶"} << 2 << "综合单位数量";
        QTest::addRow("bad date") << nutRow + QStringList{"--kfdate", "2026-13-01", "--qty", "1"} << 2 << "--kfdate";
        QTest::addRow("unknown option") << nutRow + QStringList{"--qty", "1", "--unit", "箱"} << 2 << "--unit";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const Run r = count(args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(stored(nut, QStringLiteral("FChecker")).isNull());
        QVERIFY(stored(screw, QStringLiteral("FChecker")).isNull());
    }
};

STOCKCHECK_TEST(TestCliCount)
#include "tst_clicount.moc"
