#include "snapshotfixture.h"
#include "testmain.h"

#include "host/logging.h"

#include <QThread>

#include <latch>

namespace {

struct NumberRow
{
    QStringList existing; // "day offset:counter" of each process (FID 1, 2, ...); "none": no date
    int counter;          // -1: no counter row
    QString expectedCounter;
    int expectedId;
};

} // namespace

// Process numbers, the all-or-nothing unit of a snapshot and two snapshots taken
// at the same moment from two sessions.
class TestSnapshotIntegrity : public QObject
{
    Q_OBJECT

    SnapshotFixture fx;
    int item = 0, cycled = 0, stockA = 0, stockB = 0;

    // What a snapshot changes when it succeeds; a failed one must leave all of it.
    QString state()
    {
        QStringList parts;
        for (const char *sql :
             {"SELECT COUNT(*) FROM ICStockCheckProcess", "SELECT COUNT(*) FROM ICInvBackup",
              "SELECT COUNT(*) FROM ICInvBackupTemp", "SELECT FCurNo FROM icbillno WHERE FBillID = -1",
              "SELECT COUNT(*) FROM IC_MaxNum WHERE FFlag = 1",
              "SELECT COUNT(*) FROM t_ICItemMaterial WHERE FLastCheckDate >= '2026-01-01'"})
            parts << QString::number(fx.scalar(QString::fromLatin1(sql)));
        return parts.join(QLatin1Char(' '));
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        QVERIFY(fx.setUp());
        Factories &f = *fx.f;
        item = f.item({.number = QStringLiteral("3.01"), .name = QStringLiteral("件")});
        // counted every day, last counted long ago: always due
        cycled = f.item({.number = QStringLiteral("3.02"),
                         .name = QStringLiteral("周期件"),
                         .cycleUnit = 11603,
                         .cycle = 1,
                         .lastCheck = QDate(2025, 1, 1)});
        stockA = f.stock(QStringLiteral("A"), QStringLiteral("甲仓"));
        stockB = f.stock(QStringLiteral("B"), QStringLiteral("乙仓"));
        for (int stock : {stockA, stockB}) {
            f.currentStock(item, stock, 0, 10);
            f.currentStock(cycled, stock, 0, 4);
            f.currentStock(cycled, stock, 0, 1, {.secondLedger = true});
            f.balance(2026, 3, item, stock, 0, 10);
        }
        QVERIFY_SQL(fx.conn(),
                    fx.conn().Exec(QStringLiteral("INSERT INTO IC_MaxNum (FTableName, FNumber, FUserID, FFlag) "
                                                  "VALUES ('ICStockBill', 1, 7, 0)")));
        f.document(1, {{.item = item, .qty = 1, .stock = stockA}}, {.date = QDate(2026, 3, 2)});
    }
    void cleanup() { fx.tearDown(); }

    // Date plus a four-digit day counter; the counter restarts when the newest
    // process is not from today and skips numbers already taken.
    void processNumber_data()
    {
        QTest::addColumn<NumberRow>("row");
        QTest::addRow("first process") << NumberRow{{}, 1, "0001", 1};
        QTest::addRow("newest is today: counting on") << NumberRow{{"-3:0001", "0:0002"}, 7, "0007", 3};
        QTest::addRow("newest is older: restart") << NumberRow{{"-1:0042"}, 42, "0001", 2};
        QTest::addRow("newest without a date counts as today") << NumberRow{{"none:0001"}, 12, "0012", 2};
        QTest::addRow("numbers taken: moving on") << NumberRow{{"0:0004", "0:0005", "0:0009"}, 4, "0006", 4};
        QTest::addRow("no counter row") << NumberRow{{"0:0001", "0:0002"}, -1, "0003", 3};
        QTest::addRow("more than four digits") << NumberRow{{"0:0001"}, 12345, "12345", 2};
    }
    void processNumber()
    {
        QFETCH(NumberRow, row);
        const QDate today = GetServerDate();
        const QString day = today.toString(QStringLiteral("yyyyMMdd"));
        for (int i = 0; i < row.existing.size(); ++i) {
            const QString offset = row.existing.at(i).section(QLatin1Char(':'), 0, 0);
            const QVariant date =
                offset == QLatin1String("none") ? QVariant() : Dialect::dateValue(today.addDays(offset.toInt()));
            QVERIFY_SQL(fx.conn(),
                        fx.conn().Exec(QStringLiteral("INSERT INTO ICStockCheckProcess (FID, FProcessID,"
                                                      " FDate, FOperatorID) VALUES (?, ?, ?, ?)"),
                                       {i + 1, day + row.existing.at(i).section(QLatin1Char(':'), 1), date, fx.user}));
        }
        QVERIFY_SQL(fx.conn(), row.counter < 0
                                   ? fx.conn().Exec(QStringLiteral("DELETE FROM icbillno WHERE FBillID = -1"))
                                   : fx.conn().Exec(QStringLiteral("UPDATE icbillno SET FCurNo = ?"
                                                                   " WHERE FBillID = -1"),
                                                    {row.counter}));
        ICBackupInv engine;
        SnapshotParams p = fx.params({stockA});
        QString table;
        bool ok = false;
        engine.BackUpData(p, false, {}, false, true, false, false, table, ok);
        QVERIFY2(ok, qPrintable(fx.ui.lastMessage()));
        QCOMPARE(engine.processNumber(), day + row.expectedCounter);
        QCOMPARE(engine.processId(), row.expectedId);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICStockCheckProcess WHERE FProcessID = ?"),
                           {engine.processNumber()}),
                 1);
        QCOMPARE(fx.counter(), row.counter < 0 ? -1 : row.expectedId + 1);
    }

    void failureAtAnyStatementLeavesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addRow("current stock") << "current";
        QTest::addRow("cut-off") << "cutoff";
        QTest::addRow("cycle, all stocks") << "cycle";
        QTest::addRow("cycle, first and last of a per-stock run") << "perstock";
    }
    void failureAtAnyStatementLeavesNothing()
    {
        QFETCH(QString, kind);
        int failures = 0;
        for (int k = 1;; ++k) {
            QVERIFY2(k < 200, "the snapshot never succeeded");
            const QString before = state();
            int seen = 0;
            bool fired = false;
            fx.conn().setStatementHook([&](const QString &, const QVariantList &) {
                if (++seen != k)
                    return QString();
                fired = true;
                return QStringLiteral("injected failure");
            });
            ICBackupInv engine; // a fresh engine captures the document maxima inside the snapshot
            SnapshotParams p = fx.params({stockA, stockB}, QDate(2026, 3, 15));
            QString table;
            bool ok = false;
            if (kind == QLatin1String("cutoff"))
                engine.BackUpData(p, true, QDate(2026, 3, 15), false, true, false, false, table, ok);
            else
                engine.BackUpData(p, false, {}, kind != QLatin1String("current"), true,
                                  kind == QLatin1String("perstock"), kind == QLatin1String("perstock"), table, ok);
            fx.conn().setStatementHook({});
            if (!fired) {
                QVERIFY2(ok && engine.processCreated(), qPrintable(fx.ui.lastMessage()));
                QVERIFY(state() != before);
                break;
            }
            ++failures;
            QVERIFY2(!ok, qPrintable(QStringLiteral("statement %1 failed, the snapshot went on").arg(k)));
            QCOMPARE(state(), before);
            QCOMPARE(fx.ui.lastMessage(), QStringLiteral("备份数据失败！"));
            QVERIFY(fx.ui.messages.last().details.contains(QLatin1String("injected failure")));
        }
        QVERIFY(failures > 8);
    }

    void concurrentSnapshotsAreSerialised_data()
    {
        QTest::addColumn<bool>("cutOff");
        QTest::addRow("current stock") << false;
        QTest::addRow("cut-off: the shared work table") << true;
    }
    void concurrentSnapshotsAreSerialised()
    {
        QFETCH(bool, cutOff);
        // the sessions run on threads of their own: only the database is shared
        shared().ui = nullptr;
        shared().components = {};
        ResetLogging();
        LogEnd(LogStart(QStringLiteral("warm-up")));

        const int rounds = 3;
        for (int round = 0; round < rounds; ++round) {
            struct Result
            {
                bool ok = false;
                int id = 0;
                QString number, error;
            } results[2];
            std::latch start(2);
            QList<QThread *> threads;
            for (int t = 0; t < 2; ++t) {
                const int stock = t == 0 ? stockA : stockB;
                threads << QThread::create([&, t, stock] {
                    AppConnection conn;
                    QString error;
                    if (!conn.open(fx.db->url(), &error)) {
                        results[t].error = error;
                        start.count_down();
                        return;
                    }
                    ICBackupInv engine(&conn);
                    SnapshotParams p = fx.params({stock});
                    QString table;
                    start.arrive_and_wait();
                    engine.BackUpData(p, cutOff, QDate(2026, 3, 15), false, true, false, false, table, results[t].ok);
                    results[t].id = engine.processId();
                    results[t].number = engine.processNumber();
                    results[t].error = engine.lastMessage() + engine.lastError().detailed();
                });
                threads.last()->start();
            }
            for (QThread *thread : threads) {
                QVERIFY(thread->wait(60000));
                delete thread;
            }
            for (const Result &r : results)
                QVERIFY2(r.ok, qPrintable(r.error));
            QVERIFY(results[0].id != results[1].id);
            QVERIFY(results[0].number != results[1].number);
            for (int t = 0; t < 2; ++t) {
                const int stock = t == 0 ? stockA : stockB;
                // each process holds its own stock's positions only, with their own quantities
                const QList<CountRow> rows = countRows(fx.conn(), results[t].id);
                QStringList expected;
                if (cutOff)
                    expected << QStringLiteral("%1/%2/0///=%3").arg(item).arg(stock).arg(t == 0 ? 11 : 10);
                else
                    expected << QStringLiteral("%1/%2/0///=10").arg(item).arg(stock)
                             << QStringLiteral("%1/%2/0///=4").arg(cycled).arg(stock)
                             << QStringLiteral("%1/%2/0///=1").arg(cycled).arg(stock);
                expected.sort();
                QCOMPARE(quantities(rows), expected);
            }
        }
        QCOMPARE(fx.processes(), 2 * rounds);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ICInvBackupTemp")), 0);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT COUNT(DISTINCT FProcessID) FROM ICStockCheckProcess")), 2 * rounds);
    }
};

STOCKCHECK_TEST(TestSnapshotIntegrity)
#include "tst_snapshotintegrity.moc"
