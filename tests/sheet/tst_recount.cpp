#include "sheettestbase.h"
#include "testmain.h"

#include "erp/gldata.h"
#include "host/countparams.h"
#include "model/countjournal.h"
#include "model/recount.h"
#include "sheet/countsaver.h"
#include "sheet/recountlogic.h"

using namespace EntryCol;
using sheetfixture::User;

namespace {

constexpr int Accountant = 16393;

// The key of the one row of `item` in `process` of the sample: process 1 has its
// item 1 in boxes with a place and dates, item 2 in a unit without conversion in
// stock B; every other row is in pieces in stock A.
CountRowKey keyOf(int process, int item)
{
    using namespace sheetfixture;
    CountRowKey k{.processId = process, .itemId = item, .unitId = Piece, .stockId = StockA};
    if (process == 1 && item == 1) {
        k.unitId = Box;
        k.stockPlaceId = Place;
        k.kfDate = QStringLiteral("2026-01-05");
        k.kfPeriod = 180;
    } else if (process == 1 && item == 2) {
        k.unitId = ZeroUnit;
        k.stockId = StockB;
    }
    return k;
}

} // namespace

// Recounting: which rows go on the recount sheet, what a recount writes into its
// row and its journal (the count and the actual follow it, documents folded in
// stay, the journal keeps the first count), the
// rows it refuses, and the recount seen in the check mode, the entry grid and the
// command line.
class TestRecount : public SheetTestBase
{
    Q_OBJECT

    // Process 1's counted rows as saving leaves them, with their counter; process 2's
    // as a snapshot leaves them, without.
    bool fill() override
    {
        return SheetTestBase::fill() &&
               conn().Exec(QStringLiteral(
                   "UPDATE ICInvBackup SET FChecker = 16394 WHERE FInterID = 1 AND FQtyAct IS NOT NULL"));
    }

    QString stored(int item, const char *fields) { return figures(conn(), 1, item, QLatin1String(fields)); }

    ProgramRun cli(int user, const QStringList &args)
    {
        return runProgram(QStringLiteral(STOCKCHECK_CLI),
                          QStringList{QStringLiteral("recount"), QStringLiteral("--db"), m_db->url(),
                                      QStringLiteral("--user"), QString::number(user), QStringLiteral("--process"),
                                      QStringLiteral("1")} +
                              args);
    }

private slots:
    void beyondTolerance_data()
    {
        QTest::addColumn<double>("difference");
        QTest::addColumn<double>("book");
        QTest::addColumn<double>("quantity");
        QTest::addColumn<double>("percent");
        QTest::addColumn<bool>("beyond");
        QTest::newRow("within both") << -4.0 << 100.0 << 5.0 << 5.0 << false;
        QTest::newRow("beyond the quantity only") << 6.0 << 1000.0 << 5.0 << 5.0 << true;
        QTest::newRow("beyond the percentage only") << -3.0 << 10.0 << 5.0 << 5.0 << true;
        QTest::newRow("exactly the limits") << 5.0 << 100.0 << 5.0 << 5.0 << false;
        QTest::newRow("no book: any difference") << 0.5 << 0.0 << 5.0 << 5.0 << true;
        QTest::newRow("no difference, no tolerance") << 0.0 << 10.0 << 0.0 << 0.0 << false;
        QTest::newRow("binary noise is no difference") << 1e-12 << 0.0 << 0.0 << 0.0 << false;
    }
    void beyondTolerance()
    {
        QFETCH(double, difference);
        QFETCH(double, book);
        QFETCH(double, quantity);
        QFETCH(double, percent);
        QFETCH(bool, beyond);
        QCOMPARE(Recount::beyond(difference, book, {quantity, percent}, 2), beyond);
    }

    // Item 1: a difference of 12 on a book of 24; item 2: -3 on 5; item 3 not counted.
    void recountSheet_data()
    {
        QTest::addColumn<double>("quantity");
        QTest::addColumn<double>("percent");
        QTest::addColumn<QList<int>>("items");
        QTest::newRow("both") << 10.0 << 50.0 << QList<int>{1, 2};
        QTest::newRow("by quantity") << 10.0 << 100.0 << QList<int>{1};
        QTest::newRow("none") << 20.0 << 100.0 << QList<int>{};
    }
    void recountSheet()
    {
        QFETCH(double, quantity);
        QFETCH(double, percent);
        QFETCH(QList<int>, items);
        QList<int> listed;
        for (const Recount::Line &l : Recount(conn()).lines(1, {quantity, percent}))
            listed << l.key.itemId;
        std::sort(listed.begin(), listed.end());
        QCOMPARE(listed, items);
    }

    // Item 1 counted 3 boxes (36 pieces) on a book of 2 boxes, 4 pieces of documents
    // folded in after the snapshot (actual 40).
    void recountReplacesTheActual()
    {
        QVERIFY_SQL(conn(),
                    conn().Exec(QStringLiteral("UPDATE ICInvBackup SET FQtyAct = 40, FAdjQty = 0 WHERE FItemID = 1")));
        Recount recount(conn());
        QString error;
        QVERIFY2(recount.enter(keyOf(1, 1), 2.5, 7, CountSource::sheet, &error), qPrintable(error));
        QCOMPARE(stored(1, "FReCheckQty FReCheckFlag FQtyAct FAuxQtyAct FCheckQty FAuxCheckQty FMinus FSecCheckQty"
                           " FSecQtyAct FSecMinus FChecker"),
                 QStringLiteral("FReCheckQty=2.5 FReCheckFlag=1 FQtyAct=34 FAuxQtyAct=2.5 FCheckQty=30 FAuxCheckQty=2.5"
                                " FMinus=10 FSecCheckQty=5 FSecQtyAct=5 FSecMinus=1 FChecker=7"));
        // a second recount replaces the first one, not the count before it
        QVERIFY2(recount.enter(keyOf(1, 1), 3, 7, CountSource::sheet, &error), qPrintable(error));
        QCOMPARE(stored(1, "FReCheckQty FQtyAct FAuxQtyAct FCheckQty FMinus"),
                 QStringLiteral("FReCheckQty=3 FQtyAct=40 FAuxQtyAct=3 FCheckQty=36 FMinus=16"));
        // the journal: the first count as a start entry, then the two recounts; it
        // replays to the row and still knows the first count
        const QList<CountJournalEntry> entries = CountJournal::rowEntries(conn(), keyOf(1, 1));
        QList<CountEntryKind> kinds;
        for (const CountJournalEntry &e : entries)
            kinds << e.kind;
        QCOMPARE(kinds,
                 (QList<CountEntryKind>{CountEntryKind::Start, CountEntryKind::Recount, CountEntryKind::Recount}));
        QVERIFY(CountJournal::replay(entries).sameAs({3, 36, 6})); // the row: 3 boxes, 36 pieces, 6 kg
        QCOMPARE(Recount::firstCounts(conn(), 1).value(Recount::keyText(keyOf(1, 1)), -1), 3.0);
        // still on the sheet, though within any tolerance now, with its first count
        const QList<Recount::Line> lines = recount.lines(1, {1000, 1000});
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines.first().firstCount, std::optional<double>(3));
    }

    void refusals_data()
    {
        QTest::addColumn<int>("process");
        QTest::addColumn<int>("item");
        QTest::addColumn<double>("qty");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not counted") << 2 << 2 << 1.0 << "这一行还没有盘点，不能复盘。";
        QTest::newRow("as the snapshot left it") << 2 << 1 << 1.0 << "这一行还没有盘点，不能复盘。";
        QTest::newRow("unit without conversion") << 1 << 2 << 1.0 << "这一行的单位没有换算系数，不能复盘。";
        QTest::newRow("negative") << 1 << 1 << -1.0 << "复盘数量不能为负数。";
        QTest::newRow("no such row") << 1 << 4 << 1.0
                                     << "这条盘点记录在数据库中已不存在（可能已被其他用户删除），没有保存。";
    }
    void refusals()
    {
        QFETCH(int, process);
        QFETCH(int, item);
        QFETCH(double, qty);
        QFETCH(QString, reason);
        const QString before = figures(conn(), process, item, QStringLiteral("FQtyAct FReCheckFlag FMinus"));
        QString error;
        QVERIFY(!Recount(conn()).enter(keyOf(process, item), qty, 7, CountSource::sheet, &error));
        QCOMPARE(error, reason);
        QCOMPARE(figures(conn(), process, item, QStringLiteral("FQtyAct FReCheckFlag FMinus")), before);
    }

    // The check mode shows the first count beside the recount; the entry grid
    // refuses a new count over the recount, as the documents window's fold-in.
    void recountInTheSheet()
    {
        QString error;
        QVERIFY2(Recount(conn()).enter(keyOf(1, 1), 2.5, 7, CountSource::sheet, &error), qPrintable(error));
        {
            CountSheet sheet(SheetMode::Check);
            sheet.open();
            sheet.chooseProcess(processIndex(sheet, 1));
            const QStringList headings = sheet.model().TRowData().split(QLatin1Char('|'));
            const int first = int(headings.indexOf(QStringLiteral("初盘数量$")));
            const int again = int(headings.indexOf(QStringLiteral("复盘数量$")));
            QVERIFY(first >= 0 && again == first + 1);
            QStringList line;
            for (int r = 3; r < 3 + sheet.recordCount() && line.value(0) != QStringLiteral("原料仓"); ++r)
                line = sheet.model().DRowData(r).split(QLatin1Char('|'));
            QCOMPARE(line.mid(first, 2), (QStringList{QStringLiteral("3.00"), QStringLiteral("2.50")}));
        }
        CountSheet sheet(SheetMode::Entry);
        sheet.open();
        sheet.chooseProcess(processIndex(sheet, 1));
        const int row = rowOfItem(sheet, 1);
        QVERIFY(sheet.isRecounted(row));
        QVERIFY(!sheet.editCell(row, CheckQty, QStringLiteral("9")));
        QVERIFY(sheet.takeEditRefused());
        QVERIFY(!sheet.isRecounted(rowOfItem(sheet, 2)));
        QCOMPARE(stored(1, "FQtyAct FReCheckQty"), QStringLiteral("FQtyAct=30 FReCheckQty=2.5"));
    }

    // The window's logic: typed recounts saved together, a bad text refused.
    void recountWindow()
    {
        countparams::setValue(conn(), *countparams::find(QStringLiteral("RecountTolerancePercent")),
                              QStringLiteral("50"));
        RecountLogic logic(conn(), &m_ui, 1, User);
        QVERIFY(logic.load());
        QCOMPARE(logic.rowCount(), 2);
        QVERIFY(!logic.blind());
        QVERIFY(!logic.setRecount(0, QStringLiteral("1,5")));
        QVERIFY(logic.setRecount(0, QStringLiteral("2.5")));
        QVERIFY(logic.setRecount(1, QStringLiteral("4")));
        QCOMPARE(logic.cells(0).last(), QStringLiteral("2.5"));
        QVERIFY(!logic.save()); // item 2's unit has no conversion: listed, the other saved
        QCOMPARE(m_ui.lists.size(), 1);
        QVERIFY(logic.hasChanges());
        QCOMPARE(stored(1, "FReCheckQty"), QStringLiteral("FReCheckQty=2.5"));
        QCOMPARE(logic.result().value(QStringLiteral("Changed")).toBool(), true);
    }

    // The command line: the sheet for the accountant and, blind, for a counter; a
    // recount entered by the row's key as `count` names it.
    void commandLine()
    {
        QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("INSERT INTO t_user (FUserID, FName) VALUES (16393, 'x')")));
        erp::grantRights(conn(), Accountant, {GLData::Right::ViewCountReport});
        countparams::setValue(conn(), *countparams::find(QStringLiteral("BlindCount")), QStringLiteral("1"));
        const ProgramRun seen = cli(Accountant, {QStringLiteral("--list")});
        QCOMPARE(seen.exitCode, 0);
        QVERIFY2(seen.out.startsWith(QStringLiteral("仓库\t")) && seen.out.contains(QStringLiteral("账存数量")),
                 qPrintable(seen.out));
        const ProgramRun blind = cli(User, {QStringLiteral("--list")});
        QVERIFY(!blind.out.contains(QStringLiteral("账存数量")) && !blind.out.contains(QStringLiteral("初盘数量")));
        QCOMPARE(blind.out.count(QLatin1Char(QChar::LineFeed)), 3); // heading, items 1 and 2

        const ProgramRun entered =
            cli(User, {QStringLiteral("--qty"), QStringLiteral("2.5"), QStringLiteral("--item"),
                       QStringLiteral("sA100"), QStringLiteral("--stock"), QStringLiteral("s01"),
                       QStringLiteral("--place"), QStringLiteral("p1"), QStringLiteral("--kfdate"),
                       QStringLiteral("2026-01-05"), QStringLiteral("--kfperiod"), QStringLiteral("180")});
        QVERIFY2(entered.exitCode == 0, qPrintable(entered.err));
        QVERIFY(entered.out.trimmed().endsWith(QStringLiteral("\t2.50")));
        QCOMPARE(stored(1, "FReCheckQty FQtyAct"), QStringLiteral("FReCheckQty=2.5 FQtyAct=30"));
        QCOMPARE(cli(User, {QStringLiteral("--list"), QStringLiteral("--item"), QStringLiteral("A100")}).exitCode, 2);
        // `count` leaves the recounted row alone, set or add, as the grid does
        const QStringList row{"--process", "1",  "--item",   "sA100",      "--stock",    "s01",
                              "--place",   "p1", "--kfdate", "2026-01-05", "--kfperiod", "180"};
        for (const QStringList &how : {QStringList{"--qty", "9"}, QStringList{"--qty", "1", "--add"}}) {
            const ProgramRun count =
                runProgram(QStringLiteral(STOCKCHECK_CLI),
                           QStringList{"count", "--db", m_db->url(), "--user", QString::number(User)} + row + how);
            QCOMPARE(count.exitCode, 1);
            QVERIFY2(count.err.contains(QStringLiteral("已经复盘")), qPrintable(count.err));
        }
        QCOMPARE(stored(1, "FReCheckQty FQtyAct"), QStringLiteral("FReCheckQty=2.5 FQtyAct=30"));
    }
};

STOCKCHECK_TEST(TestRecount)
#include "tst_recount.moc"
