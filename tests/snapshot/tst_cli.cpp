#include "snapshottest.h"
#include "testmain.h"

namespace {

// One run of stockcheck-cli: the arguments, the exit status, stdout exactly (or
// only containing `out` with `outContains`) and a text stderr holds; an empty
// `err` means stderr stays empty. {DB}, {U} (张三), {L} (李四, restricted to
// stock B), {A}, {B} (stock ids) and {P} (the process) stand for the ids.
struct CliRun
{
    QStringList args;
    int exitCode = 0;
    QString out;
    QString err;
    bool outContains = false;
};

} // namespace

Q_DECLARE_METATYPE(CliRun)

// stockcheck-cli as scripts run it: results on stdout only, the message a person
// would see on stderr and nothing else there, exit status 0 done, 1 refused, 2 a
// wrong command line; numbers are plain decimals; --lang chooses the language of
// messages and headings.
class TestCli : public SnapshotTest
{
    Q_OBJECT

    int stockA = 0, stockB = 0, restricted = 0, process = 0;

    QString fill(QString text) const
    {
        return text.replace("{DB}", db->url())
            .replace("{U}", QString::number(user))
            .replace("{L}", QString::number(restricted))
            .replace("{A}", QString::number(stockA))
            .replace("{B}", QString::number(stockB))
            .replace("{P}", QString::number(process));
    }

    using Output = ProgramRun;
    Output run(QStringList args) const
    {
        for (QString &a : args)
            a = fill(a);
        return runProgram(QStringLiteral(STOCKCHECK_CLI), args);
    }

    // Screws in stock A, nuts in stock B, one process over both; 李四 may see B only.
    void seed() override
    {
        f->systemParam("IC", "UseShortNumber", "0");
        const int screw = f->item({.number = "8.01", .name = "螺丝", .qtyDecimal = 2});
        const int nut = f->item({.number = "8.02", .name = "螺母"});
        stockA = f->stock("A", "甲仓");
        stockB = f->stock("B", "乙仓");
        f->currentStock(screw, stockA, 0, 10);
        f->currentStock(nut, stockB, 0, 20);
        restricted = f->user(QStringLiteral("李四"));
        f->accessRule(restricted, "t_Stock", stockB);
        process = snapshot(params({stockA, stockB}));
        QVERIFY(process > 0);
    }

    static QStringList on(const char *command, const QStringList &rest)
    {
        return QStringList{command, "--db", "{DB}", "--user", "{U}"} + rest;
    }
    static QStringList count(const QStringList &rest)
    {
        return on("count", QStringList{"--process", "{P}", "--item", "8.01", "--stock", "A"} + rest);
    }

private slots:
    void runs_data()
    {
        QTest::addColumn<CliRun>("expected");
        QTest::addRow("help") << CliRun{{"--help"}, 0, "usage: stockcheck-cli", "", true};
        QTest::addRow("help of a command") << CliRun{{"stocks", "--help"}, 0, "stocks --db URL", "", true};
        QTest::addRow("no arguments") << CliRun{{}, 2, "", "usage:"};
        QTest::addRow("unknown command") << CliRun{{"frobnicate"}, 2, "", "frobnicate"};

        // the ids of the database, for the other commands
        QTest::addRow("users") << CliRun{{"users", "--db", "{DB}"}, 0, "{U}\t张三\n{L}\t李四\n"};
        QTest::addRow("stocks, no rules") << CliRun{on("stocks", {}), 0, "{A}\tA\t甲仓\n{B}\tB\t乙仓\n"};
        QTest::addRow("stocks, rules") << CliRun{{"stocks", "--db", "{DB}", "--user", "{L}"}, 0, "{B}\tB\t乙仓\n"};
        QTest::addRow("stocks, unknown user")
            << CliRun{{"stocks", "--db", "{DB}", "--user", "999999"}, 1, "", "用户 999999 不存在"};
        QTest::addRow("stocks, no user") << CliRun{{"stocks", "--db", "{DB}"}, 2, "", "--user"};

        // a well-formed number goes to the rules, which may refuse it
        QTest::addRow("fraction") << CliRun{count({"--qty", "0.25"}), 0, "盘点数量\t0.25\n", "", true};
        QTest::addRow("negative adjustment")
            << CliRun{count({"--qty", "5", "--adj", "-1"}), 0, "调整数量\t-1.00\n", "", true};
        QTest::addRow("negative count") << CliRun{count({"--qty", "-3.5"}), 1, "", "盘点数量"};
        QTest::addRow("count out of range") << CliRun{count({"--qty", "123456789012345"}), 1, "", "盘点数量"};

        QTest::addRow("sheet, unknown process")
            << CliRun{on("sheet", {"--process", "999999", "--mode", "4"}), 1, "", "盘点方案 999999 不存在"};
        QTest::addRow("sheet, no process") << CliRun{on("sheet", {"--mode", "4"}), 2, "", "--process"};
        QTest::addRow("sheet, English message")
            << CliRun{on("sheet", {"--process", "999999", "--mode", "4", "--lang", "EN"}), 1, "",
                      "The count process 999999 does not exist"};
        QTest::addRow("unknown language") << CliRun{on("users", {"--lang", "FR"}), 2, "", "--lang"};
        QTest::addRow("unknown option") << CliRun{on("stocks", {"--all"}), 2, "", "--all"};

        // anything but a plain decimal is refused, naming the option: every option
        // goes through the one parser, so a few options and forms stand for all
        QTest::addRow("exponent") << CliRun{count({"--qty", "1e3"}), 2, "", "--qty"};
        QTest::addRow("grouped") << CliRun{count({"--qty", "1", "--adj", "1,000"}), 2, "", "--adj"};
        QTest::addRow("nan id") << CliRun{on("sheet", {"--process", "nan", "--mode", "4"}), 2, "", "--process"};
        QTest::addRow("hex in a list") << CliRun{on("snapshot", {"--stocks", "{A},0x10"}), 2, "", "--stocks"};
        QTest::addRow("empty size") << CliRun{{"init", "--db", "{DB}", "--size", ""}, 2, "", "--size"};
        QTest::addRow("id 0") << CliRun{on("sheet", {"--process", "0", "--mode", "4"}), 2, "", "--process"};
        QTest::addRow("empty id in a list") << CliRun{on("snapshot", {"--stocks", "{A},,{B}"}), 2, "", "--stocks"};
        QTest::addRow("negative days") << CliRun{count({"--qty", "1", "--kfperiod", "-1"}), 2, "", "--kfperiod"};
    }
    void runs()
    {
        QFETCH(CliRun, expected);
        const Output r = run(expected.args);
        QVERIFY2(r.exitCode == expected.exitCode, qPrintable(QStringLiteral("exit %1: %2").arg(r.exitCode).arg(r.err)));
        if (expected.outContains)
            QVERIFY2(r.out.contains(fill(expected.out)), qPrintable(r.out));
        else
            QCOMPARE(r.out, fill(expected.out));
        if (expected.err.isEmpty())
            QCOMPARE(r.err, QString());
        else
            QVERIFY2(r.err.contains(fill(expected.err)), qPrintable(r.err));
        if (expected.exitCode != 0) // a refusal changes nothing
            QCOMPARE(scalar("SELECT COUNT(*) FROM ICInvBackup WHERE FChecker IS NOT NULL"), 0);
    }

    // The sheet prints the columns its grid shows, tab-separated, under headings
    // in the language of --lang without the captions' markers; a cell stays under
    // its heading.
    void sheetColumns_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("first");  // first heading
        QTest::addColumn<QString>("column"); // a heading, and the screws' cell under it
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("lines"); // heading, rows, total
        QTest::addRow("check") << "1"
                               << "chs"
                               << "仓库"
                               << "账存数量"
                               << "10.00" << 1 + 2 + 1;
        QTest::addRow("count book, Traditional") << "3"
                                                 << "CHT"
                                                 << "倉庫"
                                                 << "物料名稱"
                                                 << "螺丝" << 1 + 2;
        QTest::addRow("entry, English") << "4"
                                        << "EN"
                                        << "Warehouse Code"
                                        << "Book Qty"
                                        << "10.00" << 1 + 2 + 1;
    }
    void sheetColumns()
    {
        QFETCH(QString, mode);
        QFETCH(QString, lang);
        QFETCH(QString, first);
        QFETCH(QString, column);
        QFETCH(QString, cell);
        QFETCH(int, lines);
        const Output r = run(on("sheet", {"--process", "{P}", "--mode", mode, "--lang", lang}));
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(r.err, QString());
        const QStringList out = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(out.size(), lines);
        const QStringList headings = out.first().split(QLatin1Char('\t'));
        QCOMPARE(headings.first(), first);
        QVERIFY2(!out.first().contains(QLatin1Char('$')), qPrintable(out.first()));
        // hidden columns: the ids of the entry grid, and those the definitions hide
        QVERIFY2(!headings.contains(QString()) && !headings.contains(QStringLiteral("FItemID")),
                 qPrintable(out.first()));
        if (mode != QLatin1String("4"))
            QCOMPARE(headings.size(),
                     scalar("SELECT COUNT(*) FROM ICChatBillTitle WHERE FTypeID = ? AND FVisible <> 0", {mode}));
        for (const QString &line : out)
            QVERIFY2(line.count(QLatin1Char('\t')) == headings.size() - 1, qPrintable(line));
        const QStringList screws = out.filter(QStringLiteral("8.01")).value(0).split(QLatin1Char('\t'));
        QCOMPARE(screws.value(headings.indexOf(column)), cell);
    }
};

STOCKCHECK_TEST(TestCli)
#include "tst_cli.moc"
