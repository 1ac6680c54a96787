// Count journal timings, each against a bare equivalent measured in the same run:
//  - adds at the same time: 8 connections adding 1 to random rows of a 100,000-row
//    process through the entry service (row lock, the rules, the journal entry)
//    for 30 s, against a bare "UPDATE ... SET FAuxCheckQty = FAuxCheckQty + 1" per
//    add; adds per second and the 99th percentile of one add (PostgreSQL only:
//    SQLite writes one transaction at a time whoever sends it);
//  - saving 10,000 changed rows of the entry sheet with the journal and the check
//    for rows changed by others, against the same save's statements without them.
//
//   bench_journal [--pg postgresql://user@host:port/db] [--seconds S] [--connections N]
//                 [--rows N] [--save-rows N]

#include "benchcount.h"

#include "model/countentryservice.h"
#include "model/maindo.h"
#include "sheet/countsaver.h"
#include "sheet/entryrules.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

using namespace EntryCol;

namespace {

const int addProcess = 1;
const int saveProcess = 2;
int seconds = 30;
int connections = 8;
int processRows = 100000;
int saveRows = 10000;

struct Adds
{
    qint64 done = 0, refused = 0, failed = 0;
    std::vector<double> ms; // of every add
};

QList<CountRowKey> keysOf(AppConnection &c, int processId)
{
    QList<CountRowKey> keys;
    Recordset rs = c.Execute(QStringLiteral("SELECT FItemID, FAuxPropID, FUnitID, FBatchNo, FMtoNo, FKFDate, FKFPeriod,"
                                            " FStockID, FStockPlaceID FROM ICInvBackup WHERE FInterID = ?"),
                             {processId});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        keys << CountRowKey::fromRecord(rs, processId);
    return keys;
}

// `connections` threads with a connection each, adding for `seconds`.
template<class Add>
Adds addAtOnce(const QString &url, const QList<CountRowKey> &keys, Add add)
{
    Adds all;
    std::mutex lock;
    std::atomic<bool> stop = false;
    std::vector<std::thread> threads;
    for (int t = 0; t < connections; ++t)
        threads.emplace_back([&, t] {
            AppConnection c;
            QString error;
            if (!c.open(url, &error)) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                return;
            }
            std::mt19937 random(quint32(1000 + t));
            std::uniform_int_distribution<qsizetype> pick(0, keys.size() - 1);
            Adds mine;
            QElapsedTimer one;
            while (!stop) {
                one.start();
                const int outcome = add(c, keys.at(pick(random)));
                mine.ms.push_back(double(one.nsecsElapsed()) / 1e6);
                (outcome == 0 ? mine.done : outcome == 1 ? mine.refused : mine.failed)++;
            }
            const std::scoped_lock guard(lock);
            all.done += mine.done;
            all.refused += mine.refused;
            all.failed += mine.failed;
            all.ms.insert(all.ms.end(), mine.ms.begin(), mine.ms.end());
        });
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    stop = true;
    for (std::thread &t : threads)
        t.join();
    return all;
}

double p99(std::vector<double> ms)
{
    if (ms.empty())
        return 0;
    std::sort(ms.begin(), ms.end());
    return ms.at(size_t(double(ms.size() - 1) * 0.99));
}

void reportAdds(const char *what, const Adds &a)
{
    std::printf("  %-44s %8.0f adds/s   p99 %7.2f ms   (%lld added, %lld refused by the rules, %lld failed)\n", what,
                double(a.done + a.refused) / seconds, p99(a.ms), a.done, a.refused, a.failed);
}

bool benchAdds(const QString &label, AppConnection &c, const QString &url)
{
    if (!bench::prepareCount(c, addProcess, processRows))
        return false;
    const QList<CountRowKey> keys = keysOf(c, addProcess);
    std::printf("adds at the same time on %s: %d connections, %d s, %lld rows\n", qPrintable(label), connections,
                seconds, qint64(keys.size()));
    const Adds bare = addAtOnce(url, keys, [](AppConnection &conn, const CountRowKey &key) {
        const SqlFragment sql =
            SqlFragment(QStringLiteral("UPDATE ICInvBackup SET FAuxCheckQty = FAuxCheckQty + 1 WHERE")) +
            key.whereClause();
        return conn.Exec(sql.sql, sql.binds) ? 0 : 2;
    });
    const int user = shared().operatorId;
    const Adds service = addAtOnce(url, keys, [user](AppConnection &conn, const CountRowKey &key) {
        const CountEntryResult r = CountEntryService::add(conn, key, 1, CountSource::scanner, user);
        return r.ok() ? 0 : r.status == CountEntryResult::Status::Refused ? 1 : 2;
    });
    reportAdds("bare UPDATE ... + 1 per add", bare);
    reportAdds("CountEntryService::add (rules, journal)", service);
    const double rate = double(service.done + service.refused) / seconds;
    std::printf("  ratio of adds/s %.2f, of p99 %.2f; goal >= 1000 adds/s and p99 < 20 ms: %s\n",
                rate / std::max(1.0, double(bare.done) / seconds), p99(service.ms) / std::max(1e-9, p99(bare.ms)),
                rate >= 1000 && p99(service.ms) < 20 ? "ok" : "MISSED");
    return service.failed == 0;
}

// The entry grid of the save process, every row counted one more than it holds.
bool loadGrid(EntryGrid &grid, EntrySession &session)
{
    shared().showType = SheetMode::Entry;
    MainDo model;
    if (!model.loadColumnLayout() || !model.GetRsMain(saveProcess, {}, false, FilterSettings{}).isOpen())
        return false;
    model.InputFillRow(grid);
    for (int r = 1; r <= grid.dataRows(); ++r)
        EntryRules::setCell(grid, r, CheckQty, QString::number(grid.number(r, CheckQty) + 1), session);
    return true;
}

double saveWithJournal(AppConnection &c, EntryGrid &grid, EntrySession &session, bool check)
{
    for (int r = 1; r <= grid.dataRows(); ++r)
        grid.markChanged(r);
    session.dataChanged = true;
    // as the window reads it with its rows; -1 leaves out the check for rows changed by others
    session.journalMark = check ? CountJournal::mark(c) : -1;
    CountSaver saver(grid, session, c, nullptr, {.processId = saveProcess, .operatorId = shared().operatorId});
    QElapsedTimer t;
    t.start();
    saver.SaveStockData(false);
    return double(t.nsecsElapsed()) / 1e6;
}

// The save's own work, batch by batch, without journal and check: the rows read
// from the grid and checked, their statements, one transaction per batch.
double saveWithout(AppConnection &c, const EntryGrid &grid)
{
    QElapsedTimer t;
    t.start();
    QList<CountRowValues> rows;
    for (int r = 1; r <= grid.dataRows(); ++r) {
        const CountRowValues v = CountRowValues::fromGrid(grid, r);
        if (CountSaver::checkRow(v) == RowCheck::Accepted)
            rows << v;
    }
    for (qsizetype i = 0; i < rows.size(); i += CountSaver::batchRows)
        c.ExecuteBatch(CountSaver::batchStatements(rows.mid(i, CountSaver::batchRows), saveProcess, shared().operatorId,
                                                   c.dialect()));
    return double(t.nsecsElapsed()) / 1e6;
}

bool benchSave(const QString &label, AppConnection &c)
{
    if (!bench::prepareCount(c, saveProcess, saveRows))
        return false;
    EntryGrid grid;
    EntrySession session;
    if (!loadGrid(grid, session))
        return false;
    double with = 1e18, journalOnly = 1e18, without = 1e18;
    for (int round = 0; round < 3; ++round) { // the best of three, alternating
        without = std::min(without, saveWithout(c, grid));
        journalOnly = std::min(journalOnly, saveWithJournal(c, grid, session, false));
        with = std::min(with, saveWithJournal(c, grid, session, true));
    }
    const int entries = bench::count(
        c, QStringLiteral("SELECT COUNT(*) AS n FROM ICStockCheckJournal WHERE FInterID = ?"), {saveProcess});
    std::printf("save of %d changed rows on %s (%d journal entries written)\n", grid.dataRows(), qPrintable(label),
                entries);
    std::printf("  %-44s %10.1f ms\n", "the save without journal and check", without);
    std::printf("  %-44s %10.1f ms   ratio %.2f   goal <= 1.3: %s\n", "SaveStockData with journal", journalOnly,
                journalOnly / without, journalOnly / without <= 1.3 ? "ok" : "MISSED");
    std::printf("  %-44s %10.1f ms   ratio %.2f   goal <= 1.3: %s\n", "SaveStockData with journal and check", with,
                with / without, with / without <= 1.3 ? "ok" : "MISSED");
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    seconds = bench::option(args, QStringLiteral("--seconds"), QStringLiteral("30")).toInt();
    connections = bench::option(args, QStringLiteral("--connections"), QStringLiteral("8")).toInt();
    processRows = bench::option(args, QStringLiteral("--rows"), QStringLiteral("100000")).toInt();
    saveRows = bench::option(args, QStringLiteral("--save-rows"), QStringLiteral("10000")).toInt();
    const QString pg =
        bench::option(args, QStringLiteral("--pg"), QString::fromLocal8Bit(qgetenv("STOCKCHECK_BENCH_PG")));
    QTemporaryDir dir;
    return bench::onBothEngines(QStringLiteral("bench_journal"), dir.filePath(QStringLiteral("journal.db")), pg,
                                [](const QString &label, const QString &url) {
                                    AppConnection c;
                                    if (!bench::openHost(c, url))
                                        return false;
                                    bool ok = benchSave(label, c);
                                    if (c.dialect().isPostgres())
                                        ok = benchAdds(label, c, url) && ok;
                                    return ok;
                                });
}
