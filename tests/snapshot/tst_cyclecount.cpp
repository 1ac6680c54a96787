#include "snapshotfixture.h"
#include "testmain.h"

#include "snapshot/cycleselection.h"

// Cycle counts: the next due date of an item's count cycle, and snapshots of the
// due positions only, per stock or for all stocks at once.
class TestCycleCount : public QObject
{
    Q_OBJECT

    SnapshotFixture fx;
    int due = 0, notDue = 0, neverCounted = 0, noCycle = 0;
    int s1 = 0, s2 = 0, s501 = 0;
    const QDate countDay = QDate(2026, 3, 20);

    void seedStock()
    {
        Factories &f = *fx.f;
        due = f.item({.number = QStringLiteral("5.01"),
                      .name = QStringLiteral("到期"),
                      .cycleUnit = 11603,
                      .cycle = 1,
                      .lastCheck = QDate(2025, 1, 1)});
        notDue = f.item({.number = QStringLiteral("5.02"),
                         .name = QStringLiteral("未到期"),
                         .cycleUnit = 11603,
                         .cycle = 5000,
                         .lastCheck = QDate(2026, 1, 1)});
        neverCounted = f.item(
            {.number = QStringLiteral("5.03"), .name = QStringLiteral("未盘过"), .cycleUnit = 11603, .cycle = 1});
        noCycle = f.item({.number = QStringLiteral("5.04"), .name = QStringLiteral("无周期")});
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

    SnapshotParams cycleParams(const QList<int> &stocks)
    {
        SnapshotParams p = fx.params(stocks, countDay);
        p.setValue(SnapshotParams::Date, countDay.toString(QStringLiteral("yyyy-MM-dd")));
        return p;
    }

    QDate lastCheck(int item)
    {
        Recordset rs =
            fx.conn().Execute(QStringLiteral("SELECT FLastCheckDate FROM t_ICItem WHERE FItemID = ?"), {item});
        return rs.dateTime(u"FLastCheckDate").date();
    }

    QStringList rowsOf(int processId)
    {
        QStringList out;
        for (const CountRow &r : countRows(fx.conn(), processId))
            out << QStringLiteral("%1@%2=%3").arg(r.item).arg(r.stock).arg(r.qty);
        out.sort();
        return out;
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void dueDate_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("cycle");
        QTest::addColumn<int>("daysPer");
        QTest::addColumn<QDate>("last");
        QTest::addColumn<QDate>("expected");
        const int month = 11601;
        QTest::addRow("daily") << 11603 << 7 << 0 << QDate(2026, 1, 1) << QDate(2026, 1, 8);
        QTest::addRow("weekly to Monday, from a Wednesday")
            << 11602 << 1 << 1 << QDate(2026, 1, 7) << QDate(2026, 1, 12);
        QTest::addRow("fortnightly to Sunday") << 11602 << 2 << 7 << QDate(2026, 1, 5) << QDate(2026, 1, 25);
        QTest::addRow("monthly on the 15th") << month << 1 << 15 << QDate(2026, 1, 20) << QDate(2026, 2, 15);
        QTest::addRow("monthly on the 31st from January: end of January")
            << month << 1 << 31 << QDate(2026, 1, 10) << QDate(2026, 1, 31);
        QTest::addRow("monthly on the 30th from April") << month << 1 << 30 << QDate(2026, 4, 10) << QDate(2026, 5, 30);
        QTest::addRow("quarterly across the year") << month << 3 << 10 << QDate(2026, 11, 5) << QDate(2027, 2, 10);
        const bool leap = QDate::currentDate().year() % 4 == 0;
        QTest::addRow("monthly on the 30th from February")
            << month << 1 << 30 << QDate(2026, 2, 10) << (leap ? QDate(2026, 3, 30) : QDate(2026, 2, 28));
        QTest::addRow("never counted: no due date") << 11603 << 1 << 0 << QDate() << QDate();
    }
    void dueDate()
    {
        QFETCH(int, unit);
        QFETCH(int, cycle);
        QFETCH(int, daysPer);
        QFETCH(QDate, last);
        QFETCH(QDate, expected);
        const int item = fx.f->item({.number = QStringLiteral("9.99"),
                                     .name = QStringLiteral("周期"),
                                     .cycleUnit = unit,
                                     .cycle = cycle,
                                     .daysPer = daysPer,
                                     .lastCheck = last});
        Recordset rs = fx.conn().Execute(QStringLiteral("SELECT ") + CycleSelection::dueDate(fx.conn().dialect()) +
                                             QStringLiteral(" AS FDue FROM t_ICItem b WHERE b.FItemID = ?"),
                                         {item});
        QVERIFY_SQL(fx.conn(), rs.isOpen());
        QCOMPARE(rs.dateTime(u"FDue").date(), expected);
    }

    void perStockRun()
    {
        seedStock();
        QString table;
        QList<int> ids;
        const QList<int> stocks{s1, s2, s501};
        for (qsizetype i = 0; i < stocks.size(); ++i) {
            const bool first = i == 0, last = i + 1 == stocks.size();
            SnapshotParams p = cycleParams({stocks.at(i)});
            ICBackupInv engine;
            bool ok = false;
            engine.BackUpData(p, false, {}, true, last, true, first, table, ok);
            QVERIFY2(ok && engine.processCreated(), qPrintable(fx.ui.lastMessage()));
            ids << engine.processId();
            QVERIFY(!table.isEmpty());
            // the items are stamped once, after the last stock
            QCOMPARE(lastCheck(due), last ? countDay : QDate(2025, 1, 1));
        }
        QCOMPARE(rowsOf(ids.at(0)), (QStringList{QStringLiteral("%1@%2=10").arg(due).arg(s1),
                                                 QStringLiteral("%1@%2=3").arg(neverCounted).arg(s1)}));
        QCOMPARE(rowsOf(ids.at(1)), QStringList{QStringLiteral("%1@%2=4").arg(due).arg(s2)});
        QCOMPARE(rowsOf(ids.at(2)), QStringList{QStringLiteral("%1@%2=2").arg(due).arg(s501)});
        QCOMPARE(lastCheck(neverCounted), countDay);
        QCOMPARE(lastCheck(notDue), QDate(2026, 1, 1));
        QCOMPARE(fx.scalar(QStringLiteral("SELECT COUNT(DISTINCT FBackupType) FROM ICStockCheckProcess WHERE "
                                          "FBackupType = 1")),
                 1);
        // the run's tables are gone
        QVERIFY(!fx.conn().Execute(QStringLiteral("SELECT 1 FROM temp1")).isOpen());
        QVERIFY(!fx.conn().Execute(QStringLiteral("SELECT 1 FROM \"%1\"").arg(table)).isOpen());
    }

    void allStocksAtOnce()
    {
        seedStock();
        QString table;
        SnapshotParams p = cycleParams({});
        ICBackupInv engine;
        bool ok = false;
        engine.BackUpData(p, false, {}, true, true, false, false, table, ok);
        QVERIFY2(ok, qPrintable(fx.ui.lastMessage()));
        QVERIFY(table.isEmpty());
        QStringList expected{QStringLiteral("%1@%2=10").arg(due).arg(s1),
                             QStringLiteral("%1@%2=3").arg(neverCounted).arg(s1),
                             QStringLiteral("%1@%2=4").arg(due).arg(s2), QStringLiteral("%1@%2=2").arg(due).arg(s501)};
        expected.sort();
        QCOMPARE(rowsOf(engine.processId()), expected);
        QCOMPARE(lastCheck(due), countDay);
        QCOMPARE(lastCheck(neverCounted), countDay);
        QCOMPARE(lastCheck(notDue), QDate(2026, 1, 1));
    }

    void nothingDue()
    {
        seedStock();
        QVERIFY_SQL(fx.conn(), fx.conn().Exec(QStringLiteral("UPDATE t_ICItem SET FCheckCycUnit = 0")));
        QString table;
        SnapshotParams p = cycleParams({s1});
        ICBackupInv engine;
        bool ok = false;
        engine.BackUpData(p, false, {}, true, true, true, true, table, ok);
        QVERIFY(ok); // nothing selected is no failure
        QVERIFY(!engine.processCreated());
        QCOMPARE(fx.processes(), 0);
        QCOMPARE(fx.counter(), 1);
    }
};

STOCKCHECK_TEST(TestCycleCount)
#include "tst_cyclecount.moc"
