#include "sheetfixture.h"
#include "testdb.h"
#include "testmain.h"

#include "model/countentryservice.h"
#include "model/countjournal.h"

#include <QTest>

#include <thread>

using namespace sheetfixture;

namespace {

using Status = CountEntryResult::Status;

// Item 1 is counted in boxes of 12 with two places and kilograms as its
// secondary unit (rate 1); item 2 in pieces without places or secondary unit.
enum Rows { Boxes, FromBook, Crooked };

CountRowKey keyOf(Rows row)
{
    CountRowKey k;
    k.processId = 1;
    k.itemId = row == FromBook ? 2 : 1;
    k.unitId = row == FromBook ? Piece : Box;
    k.stockId = row == Crooked ? StockB : StockA;
    return k;
}

// Counted from zero: 24 pieces (2 boxes) on the books, nothing counted yet.
// FromBook: 5 pieces counted from the book. Crooked: a secondary book that no
// count can agree with (0 kg for 24 pieces), so its differences disagree.
bool addRows(AppConnection &c)
{
    const Row boxes{.item = 1,
                    .unit = Box,
                    .qty = 24,
                    .auxQty = 2,
                    .qtyAct = 0,
                    .auxQtyAct = 0,
                    .checkQty = 0,
                    .auxCheckQty = 0,
                    .minus = -24,
                    .secQty = 24,
                    .secMinus = -24};
    const Row fromBook{
        .item = 2, .qty = 5, .auxQty = 5, .qtyAct = 5, .auxQtyAct = 5, .checkQty = 5, .auxCheckQty = 5, .minus = 0};
    Row crooked = boxes;
    crooked.stock = StockB;
    crooked.secQty = 0;
    crooked.secMinus = 0;
    return addWorld(c) && addProcess(c, 1, QStringLiteral("P1"), QDateTime(QDate(2026, 3, 1), QTime(9, 0))) &&
           addItem(c, {1, "A100", "螺丝", 2, Piece, Box, Kilo}) && addItem(c, {2, "A200", "螺母", 0}) &&
           addRow(c, boxes) && addRow(c, fromBook) && addRow(c, crooked);
}

struct Stored
{
    CountFigures counted;
    double qtyAct = 0, minus = 0, secQtyAct = 0;
};

Stored stored(AppConnection &c, const CountRowKey &key)
{
    const SqlFragment sql =
        SqlFragment(QStringLiteral("SELECT FAuxCheckQty, FCheckQty, FSecCheckQty, FQtyAct, FMinus, FSecQtyAct"
                                   " FROM ICInvBackup WHERE")) +
        key.whereClause();
    Recordset rs = c.Execute(sql.sql, sql.binds);
    return {{rs.number(u"FAuxCheckQty"), rs.number(u"FCheckQty"), rs.number(u"FSecCheckQty")},
            rs.number(u"FQtyAct"),
            rs.number(u"FMinus"),
            rs.number(u"FSecQtyAct")};
}

QString figures(const CountFigures &f)
{
    return QStringLiteral("%1/%2/%3").arg(f.unitQty).arg(f.baseQty).arg(f.secQty);
}

int entryCount(AppConnection &c)
{
    return c.Execute(QStringLiteral("SELECT COUNT(*) AS n FROM ICStockCheckJournal")).integer(u"n");
}

} // namespace

// The entry service and the count journal on both engines: adds, sets and undo
// with the figures the entry grid would derive, the replay of the journal, the
// entry rules, retries of a handheld, and two connections adding at once.
class TestCountEntries : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDb> m_db;

    AppConnection &conn() { return m_db->conn(); }

    void verifyReplay(Rows row)
    {
        const std::optional<CountFigures> replayed = CountJournal::replayRow(conn(), keyOf(row));
        QVERIFY(replayed);
        QCOMPARE(figures(*replayed), figures(stored(conn(), keyOf(row)).counted));
    }

private slots:
    void initTestCase() { STOCKCHECK_REQUIRE_ENGINE(); }
    void init()
    {
        m_db = std::make_unique<TestDb>();
        OPEN_TEST_DB(*m_db);
        QVERIFY_SQL(conn(), addRows(conn()));
    }
    void cleanup() { m_db.reset(); }

    // A road of one row: each step's figures in the row's unit, base and
    // secondary unit, the difference, and the replay of the journal.
    void addSetUndo()
    {
        const CountRowKey key = keyOf(Boxes);
        const struct
        {
            const char *step;
            double qty;
            const char *counted;
            double minus;
        } steps[] = {{"add", 1.5, "1.5/18/18", -6},
                     {"add", 2, "3.5/42/42", 18},
                     {"undo", 0, "1.5/18/18", -6},
                     {"set", 4, "4/48/48", 24},
                     {"add", 0.25, "4.25/51/51", 27}};
        for (const auto &s : steps) {
            const QByteArray step = s.step;
            const CountEntryResult r =
                step == "add"   ? CountEntryService::add(conn(), key, s.qty, CountSource::scanner, User)
                : step == "set" ? CountEntryService::set(conn(), key, s.qty, CountSource::commandLine, User)
                                : CountEntryService::undoLastAdd(conn(), 1, User, CountSource::scanner);
            QVERIFY2(r.status == Status::Done, qPrintable(step + ": " + r.message.toUtf8()));
            QCOMPARE(figures(r.counted), QString::fromLatin1(s.counted));
            const Stored after = stored(conn(), key);
            QCOMPARE(figures(after.counted), QString::fromLatin1(s.counted));
            QCOMPARE(after.qtyAct, after.counted.baseQty);
            QCOMPARE(after.minus, s.minus);
            QCOMPARE(after.secQtyAct, after.counted.secQty);
            verifyReplay(Boxes);
        }
        QStringList kinds;
        for (const CountJournalEntry &e : CountJournal::rowEntries(conn(), key))
            kinds << QString::number(int(e.kind)) + (e.undoneId ? QStringLiteral("*") : QString());
        QCOMPARE(kinds.join(QLatin1Char(' ')), QStringLiteral("0 2 2 3* 1 2"));
        QCOMPARE(CountJournal::rowEntries(conn(), key).constFirst().userName, QStringLiteral("张三"));
        // the second add was undone; the first is next, then nothing
        QVERIFY(CountEntryService::undoLastAdd(conn(), 1, User, CountSource::scanner).ok());
        QVERIFY(CountEntryService::undoLastAdd(conn(), 1, User, CountSource::scanner).ok());
        QCOMPARE(figures(stored(conn(), key).counted), QStringLiteral("2.5/30/30"));
        QCOMPARE(CountEntryService::undoLastAdd(conn(), 1, User, CountSource::scanner).status, Status::Gone);
        verifyReplay(Boxes);
    }

    // A row counted from its book: the first add keeps the figures it starts from.
    void addToRowCountedFromBook()
    {
        QVERIFY(CountEntryService::add(conn(), keyOf(FromBook), 2, CountSource::scanner, User).ok());
        QCOMPARE(figures(stored(conn(), keyOf(FromBook)).counted), QStringLiteral("7/7/0"));
        verifyReplay(FromBook);
    }

    void refused_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<double>("qty");
        QTest::addColumn<QString>("message");
        QTest::addRow("more places than the item keeps") << int(Boxes) << 0.125 << "最多只能有2位小数";
        QTest::addRow("below zero") << int(Boxes) << -1.0 << "不能为负数";
        QTest::addRow("beyond the columns") << int(Boxes) << 2e10 << "绝对值不能超过";
        QTest::addRow("differences in opposite directions") << int(Crooked) << 1.0 << "方向不一致";
    }
    // A refused add changes nothing: not the row, not the journal.
    void refused()
    {
        QFETCH(int, row);
        QFETCH(double, qty);
        QFETCH(QString, message);
        const Stored before = stored(conn(), keyOf(Rows(row)));
        const CountEntryResult r = CountEntryService::add(conn(), keyOf(Rows(row)), qty, CountSource::scanner, User);
        QCOMPARE(r.status, Status::Refused);
        QVERIFY2(r.message.contains(message), qPrintable(r.message));
        QCOMPARE(figures(stored(conn(), keyOf(Rows(row))).counted), figures(before.counted));
        QCOMPARE(entryCount(conn()), 0);
    }

    // Rows a direct entry may not change, after one add of 1 to Boxes: a row that is
    // not there, a recounted row (its count is the recount's), and the undo of that
    // add once its row was recounted or deleted. Each says why and changes nothing.
    void outOfReach_data()
    {
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::addRow("no such row") << ""
                                     << "add elsewhere" << int(Status::Gone) << "没有找到这条盘点记录";
        QTest::addRow("add to a recounted row") << "recount"
                                                << "add" << int(Status::Refused) << "已经复盘";
        QTest::addRow("set on a recounted row") << "recount"
                                                << "set" << int(Status::Refused) << "已经复盘";
        QTest::addRow("undo on a recounted row") << "recount"
                                                 << "undo" << int(Status::Refused) << "已经复盘";
        QTest::addRow("undo on a deleted row") << "delete"
                                               << "undo" << int(Status::Gone) << "已不存在";
    }
    void outOfReach()
    {
        QFETCH(QString, after);
        QFETCH(QString, entry);
        QFETCH(int, status);
        QFETCH(QString, message);
        const CountRowKey key = keyOf(Boxes);
        QVERIFY(CountEntryService::add(conn(), key, 1, CountSource::scanner, User).ok());
        const SqlFragment where = key.whereClause();
        if (after == QLatin1String("recount"))
            QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("UPDATE ICInvBackup SET FReCheckFlag = 1, FReCheckQty = 1"
                                                           " WHERE ") +
                                                where.sql,
                                            where.binds));
        if (after == QLatin1String("delete"))
            QVERIFY_SQL(conn(), conn().Exec(QStringLiteral("DELETE FROM ICInvBackup WHERE ") + where.sql, where.binds));
        const QString figuresBefore = figures(stored(conn(), key).counted);
        const int entriesBefore = entryCount(conn());
        CountRowKey elsewhere = key;
        elsewhere.batchNo = QStringLiteral("NONE");
        const CountEntryResult r =
            entry == QLatin1String("add elsewhere")
                ? CountEntryService::add(conn(), elsewhere, 1, CountSource::scanner, User)
            : entry == QLatin1String("add") ? CountEntryService::add(conn(), key, 1, CountSource::scanner, User)
            : entry == QLatin1String("set") ? CountEntryService::set(conn(), key, 5, CountSource::scanner, User)
                                            : CountEntryService::undoLastAdd(conn(), 1, User);
        QCOMPARE(int(r.status), status);
        QVERIFY2(r.message.contains(message), qPrintable(r.message));
        QCOMPARE(figures(stored(conn(), key).counted), figuresBefore);
        QCOMPARE(entryCount(conn()), entriesBefore);
    }

    // A handheld that sends an entry again gets the first answer, and the count
    // goes up once.
    void clientRetry()
    {
        const CountRowKey key = keyOf(Boxes);
        const QString id = QStringLiteral("hh7-0001");
        const CountEntryResult first = CountEntryService::add(conn(), key, 1, CountSource::device("hh7"), User, id);
        QVERIFY(first.ok());
        QVERIFY(CountEntryService::add(conn(), key, 3, CountSource::device("hh7"), User).ok());
        const CountEntryResult again = CountEntryService::add(conn(), key, 1, CountSource::device("hh7"), User, id);
        QCOMPARE(again.status, Status::Repeated);
        QCOMPARE(again.entryId, first.entryId);
        QCOMPARE(figures(again.counted), figures(first.counted));
        QCOMPARE(figures(stored(conn(), key).counted), QStringLiteral("4/48/48"));
        QCOMPARE(entryCount(conn()), 3); // start, two adds
    }

    // Two connections adding at the same time lose nothing.
    void concurrentAdds()
    {
        const int perConnection = 1000;
        const QString url = m_db->url();
        QStringList failures;
        std::mutex lock;
        auto adder = [&] {
            AppConnection c;
            QString error;
            if (!c.open(url, &error)) {
                const std::scoped_lock guard(lock);
                failures << error;
                return;
            }
            for (int i = 0; i < perConnection; ++i) {
                const CountEntryResult r = CountEntryService::add(c, keyOf(Boxes), 1, CountSource::scanner, User);
                if (!r.ok()) {
                    const std::scoped_lock guard(lock);
                    failures << r.message;
                    return;
                }
            }
        };
        std::thread a(adder), b(adder);
        a.join();
        b.join();
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
        QCOMPARE(figures(stored(conn(), keyOf(Boxes)).counted), QStringLiteral("2000/24000/24000"));
        QCOMPARE(entryCount(conn()), 2 * perConnection + 1);
        verifyReplay(Boxes);
    }
};

STOCKCHECK_TEST(TestCountEntries)
#include "tst_countentries.moc"
