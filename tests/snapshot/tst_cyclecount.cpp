#include "snapshottest.h"
#include "testmain.h"

#include "snapshot/cycleselection.h"

namespace {

struct DueRow
{
    int unit, cycle, daysPer;
    QDate last, expected;
    QDate runDay = {2026, 3, 20}; // the day of the cycle run
};

} // namespace

// Cycle counts: the next due date of an item's count cycle, and snapshots of the
// due positions only, per stock or for all stocks at once.
class TestCycleCount : public SnapshotTest
{
    Q_OBJECT

    int due = 0, notDue = 0, neverCounted = 0, s1 = 0, s2 = 0, s501 = 0;
    const QDate countDay = QDate(2026, 3, 20);

    void seed() override
    {
        due = f->item({.number = "5.01", .name = "到期", .cycleUnit = 11603, .cycle = 1, .lastCheck = {2025, 1, 1}});
        notDue =
            f->item({.number = "5.02", .name = "未到期", .cycleUnit = 11603, .cycle = 5000, .lastCheck = {2026, 1, 1}});
        neverCounted = f->item({.number = "5.03", .name = "未盘过", .cycleUnit = 11603, .cycle = 1});
        const int noCycle = f->item({.number = "5.04", .name = "无周期"});
        s1 = f->stock("S1", "一仓");
        s2 = f->stock("S2", "二仓");
        s501 = f->stock("S3", "特仓", 501);
        f->currentStock(due, s1, 0, 10);
        f->currentStock(notDue, s1, 0, 5);
        f->currentStock(noCycle, s1, 0, 7);
        f->currentStock(neverCounted, s1, 0, 3, {.secondLedger = true});
        f->currentStock(due, s2, 0, 4);
        f->currentStock(due, s501, 0, 2);
        f->currentStock(due, s501, 0, 6, {.secondLedger = true}); // type 501: first ledger only
    }

private slots:
    void dueDate_data()
    {
        QTest::addColumn<DueRow>("row");
        const int day = 11603, week = 11602, month = 11601;
        QTest::addRow("daily") << DueRow{day, 7, 0, {2026, 1, 1}, {2026, 1, 8}};
        QTest::addRow("weekly to Monday, from a Wednesday") << DueRow{week, 1, 1, {2026, 1, 7}, {2026, 1, 12}};
        QTest::addRow("fortnightly to Sunday") << DueRow{week, 2, 7, {2026, 1, 5}, {2026, 1, 25}};
        QTest::addRow("monthly on the 31st from January: end of January")
            << DueRow{month, 1, 31, {2026, 1, 10}, {2026, 1, 31}};
        QTest::addRow("monthly on the 30th from April") << DueRow{month, 1, 30, {2026, 4, 10}, {2026, 5, 30}};
        QTest::addRow("quarterly across the year") << DueRow{month, 3, 10, {2026, 11, 5}, {2027, 2, 10}};
        // a February day above 28 goes by the year in which the run happens
        QTest::addRow("monthly on the 30th from February, run in a year divisible by 4")
            << DueRow{month, 1, 30, {2026, 2, 10}, {2026, 3, 30}, {2028, 1, 5}};
        QTest::addRow("monthly on the 30th from February, run in another year")
            << DueRow{month, 1, 30, {2026, 2, 10}, {2026, 2, 28}, {2027, 1, 5}};
        QTest::addRow("never counted: no due date") << DueRow{day, 1, 0, {}, {}};
    }
    void dueDate()
    {
        QFETCH(DueRow, row);
        const int item = f->item({.number = "9.99",
                                  .name = "周期",
                                  .cycleUnit = row.unit,
                                  .cycle = row.cycle,
                                  .daysPer = row.daysPer,
                                  .lastCheck = row.last});
        const Dialect &d = conn().dialect();
        Recordset rs = conn().Execute("SELECT " + CycleSelection::dueDate(d, d.dateTimeParam()) +
                                          " AS FDue FROM t_ICItem b WHERE b.FItemID = ?",
                                      {Dialect::dateTimeValue(QDateTime(row.runDay, QTime(9, 0))), item});
        QVERIFY_SQL(conn(), rs.isOpen());
        QCOMPARE(rs.dateTime(u"FDue").date(), row.expected);
    }

    // The due positions (never counted ones included), the count date stamped once
    // after the last stock of a per-stock run, and the run's tables gone. Nothing
    // due is no failure, and takes no process number.
    void cycleRuns_data()
    {
        QTest::addColumn<bool>("perStock");
        QTest::addColumn<bool>("nothingDue");
        QTest::addRow("all stocks at once") << false << false;
        QTest::addRow("one stock after another") << true << false;
        QTest::addRow("nothing due") << true << true;
    }
    void cycleRuns()
    {
        QFETCH(bool, perStock);
        QFETCH(bool, nothingDue);
        if (nothingDue)
            QVERIFY(exec("UPDATE t_ICItem SET FCheckCycUnit = 0"));
        const QList<int> stocks = perStock ? QList<int>{s1, s2, s501} : QList<int>{0};
        QString table;
        QStringList got;
        for (qsizetype i = 0; i < stocks.size(); ++i) {
            const bool first = i == 0, last = i + 1 == stocks.size();
            SnapshotParams p = params(stocks.at(i) ? QList<int>{stocks.at(i)} : QList<int>{}, countDay);
            p.setValue(SnapshotParams::Date, countDay.toString("yyyy-MM-dd"));
            ICBackupInv engine;
            bool ok = false;
            engine.BackUpData(p, false, {}, true, last, perStock, first, table, ok);
            QVERIFY2(ok && engine.processCreated() != nothingDue, qPrintable(ui.lastMessage()));
            got << positions(engine.processId());
            if (!nothingDue)
                QCOMPARE(values("SELECT FLastCheckDate FROM t_ICItem WHERE FItemID IN (?, ?, ?) ORDER BY FItemID",
                                {due, notDue, neverCounted}),
                         last ? "2026-03-20; 2026-01-01; 2026-03-20" : "2025-01-01; 2026-01-01; NULL");
        }
        if (nothingDue) {
            QCOMPARE(processes(), 0);
            QCOMPARE(counter(), 1);
            return;
        }
        QCOMPARE(table.isEmpty(), !perStock); // a per-stock run names its work table
        QStringList expected{
            QStringLiteral("%1/%2/0///=10").arg(due).arg(s1), QStringLiteral("%1/%2/0///=3").arg(neverCounted).arg(s1),
            QStringLiteral("%1/%2/0///=4").arg(due).arg(s2), QStringLiteral("%1/%2/0///=2").arg(due).arg(s501)};
        got.sort();
        expected.sort();
        QCOMPARE(got, expected);
        QCOMPARE(values("SELECT DISTINCT FBackupType FROM ICStockCheckProcess"), "1");
        QVERIFY(!conn().Execute("SELECT 1 FROM temp1").isOpen());
        if (perStock)
            QVERIFY(!conn().Execute(QStringLiteral("SELECT 1 FROM \"%1\"").arg(table)).isOpen());
    }
};

STOCKCHECK_TEST(TestCycleCount)
#include "tst_cyclecount.moc"
