#include "snapshotfixture.h"
#include "testmain.h"

#include "snapshot/cycleselection.h"

namespace {

struct DueRow
{
    int unit, cycle, daysPer;
    QDate last, expected;
};

} // namespace

// Cycle counts: the next due date of an item's count cycle, and snapshots of the
// due positions only, per stock or for all stocks at once.
class TestCycleCount : public QObject
{
    Q_OBJECT

    SnapshotFixture fx;
    int due = 0, notDue = 0, neverCounted = 0, s1 = 0, s2 = 0, s501 = 0;
    const QDate countDay = QDate(2026, 3, 20);

    QString lastChecks()
    {
        return fx.values(QStringLiteral("SELECT FLastCheckDate FROM t_ICItem WHERE FItemID IN (?, ?, ?)"
                                        " ORDER BY FItemID"),
                         {due, notDue, neverCounted});
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        QVERIFY(fx.setUp());
        Factories &f = *fx.f;
        due = f.item({.number = "5.01", .name = "到期", .cycleUnit = 11603, .cycle = 1, .lastCheck = {2025, 1, 1}});
        notDue =
            f.item({.number = "5.02", .name = "未到期", .cycleUnit = 11603, .cycle = 5000, .lastCheck = {2026, 1, 1}});
        neverCounted = f.item({.number = "5.03", .name = "未盘过", .cycleUnit = 11603, .cycle = 1});
        const int noCycle = f.item({.number = "5.04", .name = "无周期"});
        s1 = f.stock(QStringLiteral("S1"), QStringLiteral("一仓"));
        s2 = f.stock(QStringLiteral("S2"), QStringLiteral("二仓"));
        s501 = f.stock(QStringLiteral("S3"), QStringLiteral("特仓"), 501);
        f.currentStock(due, s1, 0, 10);
        f.currentStock(notDue, s1, 0, 5);
        f.currentStock(noCycle, s1, 0, 7);
        f.currentStock(neverCounted, s1, 0, 3, {.secondLedger = true});
        f.currentStock(due, s2, 0, 4);
        f.currentStock(due, s501, 0, 2);
        f.currentStock(due, s501, 0, 6, {.secondLedger = true}); // type 501: first ledger only
    }
    void cleanup() { fx.tearDown(); }

    void dueDate_data()
    {
        QTest::addColumn<DueRow>("row");
        const int day = 11603, week = 11602, month = 11601;
        QTest::addRow("daily") << DueRow{day, 7, 0, {2026, 1, 1}, {2026, 1, 8}};
        QTest::addRow("weekly to Monday, from a Wednesday") << DueRow{week, 1, 1, {2026, 1, 7}, {2026, 1, 12}};
        QTest::addRow("fortnightly to Sunday") << DueRow{week, 2, 7, {2026, 1, 5}, {2026, 1, 25}};
        QTest::addRow("monthly on the 15th") << DueRow{month, 1, 15, {2026, 1, 20}, {2026, 2, 15}};
        QTest::addRow("monthly on the 31st from January: end of January")
            << DueRow{month, 1, 31, {2026, 1, 10}, {2026, 1, 31}};
        QTest::addRow("monthly on the 30th from April") << DueRow{month, 1, 30, {2026, 4, 10}, {2026, 5, 30}};
        QTest::addRow("quarterly across the year") << DueRow{month, 3, 10, {2026, 11, 5}, {2027, 2, 10}};
        const bool leap = QDate::currentDate().year() % 4 == 0;
        QTest::addRow("monthly on the 30th from February")
            << DueRow{month, 1, 30, {2026, 2, 10}, leap ? QDate(2026, 3, 30) : QDate(2026, 2, 28)};
        QTest::addRow("never counted: no due date") << DueRow{day, 1, 0, {}, {}};
    }
    void dueDate()
    {
        QFETCH(DueRow, row);
        const int item = fx.f->item({.number = "9.99",
                                     .name = "周期",
                                     .cycleUnit = row.unit,
                                     .cycle = row.cycle,
                                     .daysPer = row.daysPer,
                                     .lastCheck = row.last});
        Recordset rs = fx.conn().Execute(QStringLiteral("SELECT ") + CycleSelection::dueDate(fx.conn().dialect()) +
                                             QStringLiteral(" AS FDue FROM t_ICItem b WHERE b.FItemID = ?"),
                                         {item});
        QVERIFY_SQL(fx.conn(), rs.isOpen());
        QCOMPARE(rs.dateTime(u"FDue").date(), row.expected);
    }

    // The due positions (never counted ones included), the count date stamped once
    // after the last stock of a per-stock run, and the run's tables gone.
    void cycleRuns_data()
    {
        QTest::addColumn<bool>("perStock");
        QTest::addRow("all stocks at once") << false;
        QTest::addRow("one stock after another") << true;
    }
    void cycleRuns()
    {
        QFETCH(bool, perStock);
        const QList<int> stocks = perStock ? QList<int>{s1, s2, s501} : QList<int>{0};
        QString table;
        QStringList rows;
        for (qsizetype i = 0; i < stocks.size(); ++i) {
            const bool first = i == 0, last = i + 1 == stocks.size();
            SnapshotParams p = fx.params(stocks.at(i) ? QList<int>{stocks.at(i)} : QList<int>{}, countDay);
            p.setValue(SnapshotParams::Date, countDay.toString(QStringLiteral("yyyy-MM-dd")));
            ICBackupInv engine;
            bool ok = false;
            engine.BackUpData(p, false, {}, true, last, perStock, first, table, ok);
            QVERIFY2(ok && engine.processCreated(), qPrintable(fx.ui.lastMessage()));
            QCOMPARE(table.isEmpty(), !perStock);
            QCOMPARE(lastChecks(), last ? "2026-03-20; 2026-01-01; 2026-03-20" : "2025-01-01; 2026-01-01; NULL");
            for (const CountRow &r : countRows(fx.conn(), engine.processId()))
                rows << QStringLiteral("%1@%2=%3").arg(r.item).arg(r.stock).arg(r.qty);
        }
        QStringList expected{QStringLiteral("%1@%2=10").arg(due).arg(s1),
                             QStringLiteral("%1@%2=3").arg(neverCounted).arg(s1),
                             QStringLiteral("%1@%2=4").arg(due).arg(s2), QStringLiteral("%1@%2=2").arg(due).arg(s501)};
        rows.sort();
        expected.sort();
        QCOMPARE(rows, expected);
        QCOMPARE(fx.values(QStringLiteral("SELECT DISTINCT FBackupType FROM ICStockCheckProcess")),
                 QStringLiteral("1"));
        QVERIFY(!fx.conn().Execute(QStringLiteral("SELECT 1 FROM temp1")).isOpen());
        if (perStock)
            QVERIFY(!fx.conn().Execute(QStringLiteral("SELECT 1 FROM \"%1\"").arg(table)).isOpen());
    }

    void nothingDueIsNoFailure()
    {
        QVERIFY_SQL(fx.conn(), fx.conn().Exec(QStringLiteral("UPDATE t_ICItem SET FCheckCycUnit = 0")));
        QString table;
        SnapshotParams p = fx.params({s1}, countDay);
        ICBackupInv engine;
        bool ok = false;
        engine.BackUpData(p, false, {}, true, true, true, true, table, ok);
        QVERIFY(ok);
        QVERIFY(!engine.processCreated());
        QCOMPARE(fx.processes(), 0);
        QCOMPARE(fx.counter(), 1);
    }
};

STOCKCHECK_TEST(TestCycleCount)
#include "tst_cyclecount.moc"
