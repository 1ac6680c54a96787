#include "snapshottest.h"
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
class TestSnapshotIntegrity : public SnapshotTest
{
    Q_OBJECT

    int item = 0, cycled = 0, stockA = 0, stockB = 0;

    // What a snapshot changes when it succeeds; a failed one must leave all of it.
    QString state()
    {
        return values("SELECT (SELECT COUNT(*) FROM ICStockCheckProcess), (SELECT COUNT(*) FROM ICInvBackup),"
                      " (SELECT COUNT(*) FROM ICInvBackupTemp), (SELECT FCurNo FROM icbillno WHERE FBillID = -1),"
                      " (SELECT COUNT(*) FROM IC_MaxNum WHERE FFlag = 1),"
                      " (SELECT COUNT(*) FROM t_ICItemMaterial WHERE FLastCheckDate >= '2026-01-01')");
    }

    void seed() override
    {
        item = f->item({.number = "3.01", .name = "件"});
        // counted every day, last counted long ago: always due
        cycled =
            f->item({.number = "3.02", .name = "周期件", .cycleUnit = 11603, .cycle = 1, .lastCheck = {2025, 1, 1}});
        stockA = f->stock("A", "甲仓");
        stockB = f->stock("B", "乙仓");
        for (int stock : {stockA, stockB}) {
            f->currentStock(item, stock, 0, 10);
            f->currentStock(cycled, stock, 0, 4);
            f->currentStock(cycled, stock, 0, 1, {.secondLedger = true});
            f->balance(2026, 3, item, stock, 0, 10);
        }
        QVERIFY(exec("INSERT INTO IC_MaxNum (FTableName, FNumber, FUserID, FFlag) "
                     "VALUES ('ICStockBill', 1, 7, 0)"));
        f->document(1, {{.item = item, .qty = 1, .stock = stockA}}, {.date = QDate(2026, 3, 2)});
    }

private slots:
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
        const QString day = today.toString("yyyyMMdd");
        for (int i = 0; i < row.existing.size(); ++i) {
            const QString offset = row.existing.at(i).section(QLatin1Char(':'), 0, 0);
            const QVariant date =
                offset == QLatin1String("none") ? QVariant() : Dialect::dateValue(today.addDays(offset.toInt()));
            QVERIFY(exec("INSERT INTO ICStockCheckProcess (FID, FProcessID, FDate,"
                         " FOperatorID) VALUES (?, ?, ?, ?)",
                         {i + 1, day + row.existing.at(i).section(QLatin1Char(':'), 1), date, user}));
        }
        QVERIFY_SQL(conn(), row.counter < 0
                                ? conn().Exec("DELETE FROM icbillno WHERE FBillID = -1")
                                : conn().Exec("UPDATE icbillno SET FCurNo = ? WHERE FBillID = -1", {row.counter}));
        ICBackupInv engine;
        SnapshotParams p = params({stockA});
        QString table;
        bool ok = false;
        engine.BackUpData(p, false, {}, false, true, false, false, table, ok);
        QVERIFY2(ok, qPrintable(ui.lastMessage()));
        QCOMPARE(engine.processNumber(), day + row.expectedCounter);
        QCOMPARE(engine.processId(), row.expectedId);
        QCOMPARE(counter(), row.counter < 0 ? -1 : row.expectedId + 1);
    }

    // Every statement of a snapshot fails in turn: each failure is told and leaves
    // the database as it was, until the run gets through.
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
        const bool cutOff = kind == QLatin1String("cutoff"), perStock = kind == QLatin1String("perstock");
        const bool cycle = perStock || kind == QLatin1String("cycle");
        int failures = 0;
        for (int k = 1;; ++k) {
            QVERIFY2(k < 200, "the snapshot never succeeded");
            const QString before = state();
            int seen = 0;
            conn().setStatementHook(
                [&](const QString &, const QVariantList &) { return ++seen == k ? "injected failure" : QString(); });
            ICBackupInv engine; // a fresh engine captures the document maxima inside the snapshot
            SnapshotParams p = params({stockA, stockB}, QDate(2026, 3, 15));
            QString table;
            bool ok = false;
            engine.BackUpData(p, cutOff, cutOff ? QDate(2026, 3, 15) : QDate(), cycle, true, perStock, perStock, table,
                              ok);
            conn().setStatementHook({});
            if (seen < k) {
                QVERIFY2(ok && engine.processCreated(), qPrintable(ui.lastMessage()));
                QVERIFY(state() != before);
                break;
            }
            ++failures;
            QVERIFY2(!ok, qPrintable(QStringLiteral("statement %1 failed, the snapshot went on").arg(k)));
            QCOMPARE(state(), before);
            QCOMPARE(ui.lastMessage(), "备份数据失败！");
            QVERIFY(ui.messages.last().details.contains(QLatin1String("injected failure")));
        }
        QVERIFY(failures > 8);
    }

    // Each session gets its own process, number and rows, and the shared work
    // table of the cut-off rebuild is not mixed up between them.
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
        LogEnd(LogStart("warm-up"));
        for (int round = 0; round < 3; ++round) {
            int ids[2] = {};
            QString errors[2];
            std::latch start(2);
            std::unique_ptr<QThread> threads[2];
            for (int t = 0; t < 2; ++t) {
                threads[t].reset(QThread::create([&, t] {
                    AppConnection session;
                    const bool open = session.open(db->url(), &errors[t]);
                    start.arrive_and_wait();
                    ICBackupInv engine(&session);
                    SnapshotParams p = params({t == 0 ? stockA : stockB});
                    QString table;
                    bool ok = false;
                    if (open)
                        engine.BackUpData(p, cutOff, QDate(2026, 3, 15), false, true, false, false, table, ok);
                    ids[t] = ok ? engine.processId() : 0;
                    errors[t] += engine.lastMessage() + engine.lastError().detailed();
                }));
                threads[t]->start();
            }
            for (auto &thread : threads)
                QVERIFY(thread->wait(60000));
            // each process holds its own stock's positions only, with their own quantities
            for (int t = 0; t < 2; ++t) {
                QVERIFY2(ids[t] > 0, qPrintable(errors[t]));
                const int stock = t == 0 ? stockA : stockB;
                QStringList expected{QStringLiteral("%1/%2/0///=%3").arg(item).arg(stock).arg(cutOff && !t ? 11 : 10)};
                if (!cutOff)
                    expected << QStringLiteral("%1/%2/0///=1").arg(cycled).arg(stock)
                             << QStringLiteral("%1/%2/0///=4").arg(cycled).arg(stock);
                expected.sort();
                QCOMPARE(positions(ids[t]), expected);
            }
        }
        QCOMPARE(values("SELECT COUNT(DISTINCT FProcessID), COUNT(*), (SELECT COUNT(*) FROM ICInvBackupTemp)"
                        " FROM ICStockCheckProcess"),
                 "6 6 0");
    }
};

STOCKCHECK_TEST(TestSnapshotIntegrity)
#include "tst_snapshotintegrity.moc"
