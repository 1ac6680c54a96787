// The count process list's two heavy operations against bare equivalents measured
// in the same run: deleting a process of 100,000 rows (DelProcAndBackupData: the
// check for its documents, header, rows and the three releases in one transaction)
// against a bare DELETE of its rows and header; listing 10,000 processes into the
// list's grid (GetProcList and the grid model) against a bare QSqlQuery loop over
// the same SELECT. Target: ratio <= 2 for both.
//
//   bench_processes [--rows N] [--processes N] [--repeat N] [--pg URL]
//
// SQLite runs in a temporary file. PostgreSQL runs when --pg or STOCKCHECK_BENCH_PG
// names a server; a schema of its own is made there and dropped afterwards.

#include "benchcount.h"
#include "benchutil.h"

#include "snapshot/icbackupinv.h"
#include "snapshot/proclistmodel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace {

constexpr int ProcessId = 900001;

const char *const kListSql = "SELECT b.FName AS username, a.* FROM ICStockCheckProcess a"
                             " JOIN t_user b ON a.FOperatorID = b.FUserID WHERE 1=1 ORDER BY a.FID ASC";

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

double bareDelete(AppConnection &c)
{
    QElapsedTimer t;
    t.start();
    Transaction tx(c);
    if (!bench::exec(c, QStringLiteral("DELETE FROM ICInvBackup WHERE FInterID = ?"), {ProcessId}) ||
        !bench::exec(c, QStringLiteral("DELETE FROM ICStockCheckProcess WHERE FID = ?"), {ProcessId}))
        return -1;
    tx.commit();
    return msSince(t);
}

double processDelete()
{
    QElapsedTimer t;
    t.start();
    ICBackupInv engine;
    if (!engine.DelProcAndBackupData(ProcessId)) {
        std::fprintf(stderr, "delete: %s\n", qPrintable(engine.lastError().detailed()));
        return -1;
    }
    return msSince(t);
}

// `count` processes besides the demo's, numbered above it.
bool prepareProcesses(AppConnection &c, int count)
{
    return bench::exec(c, QStringLiteral("DELETE FROM ICStockCheckProcess WHERE FID >= 1000000")) &&
           bench::exec(c,
                       QStringLiteral("INSERT INTO ICStockCheckProcess (FID, FProcessID, FDate, FOperatorID, FStatus,"
                                      " FRemark, FBackupType)"
                                      " WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?)"
                                      " SELECT 1000000 + i, 'P' || CAST(i AS VARCHAR(12)), ") +
                           c.dialect().now() +
                           QStringLiteral(", (SELECT MIN(FUserID) FROM t_user), i % 2, 'remark', 1 FROM n"),
                       {count});
}

double bareList(AppConnection &c, int *rows)
{
    QElapsedTimer t;
    t.start();
    QSqlQuery q(c.database());
    q.setForwardOnly(true);
    if (!q.exec(QString::fromLatin1(kListSql)))
        return -1;
    std::vector<QVariantList> all;
    const int columns = q.record().count();
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < columns; ++i)
            row << q.value(i);
        all.push_back(std::move(row));
    }
    *rows = int(all.size());
    return msSince(t);
}

double processList(int *rows)
{
    QElapsedTimer t;
    t.start();
    Recordset list;
    if (!ICBackupInv().GetProcList(true, true, nullptr, false, list))
        return -1;
    ProcListModel model;
    model.load(list);
    *rows = model.rowCount();
    return msSince(t);
}

void report(const QString &label, const char *what, const std::vector<double> &ours, const std::vector<double> &bare)
{
    const double best = *std::min_element(ours.begin(), ours.end());
    const double bestBare = *std::min_element(bare.begin(), bare.end());
    const double ratio = bestBare > 0 ? best / bestBare : 0.0;
    std::printf("%-10s %s %.1f ms  bare %.1f ms  ratio %.2f  (ratio <= 2: %s)\n", qPrintable(label), what, best,
                bestBare, ratio, ratio <= 2 ? "ok" : "MISSED");
    std::fflush(stdout);
}

bool runEngine(const QString &label, const QString &url, int rows, int processes, int repeat)
{
    AppConnection c;
    if (!bench::openHost(c, url))
        return false;
    std::vector<double> ours, bare;
    for (int r = 0; r < repeat; ++r) {
        if (!bench::prepareCount(c, ProcessId, rows))
            return false;
        const double b = bareDelete(c);
        if (!bench::prepareCount(c, ProcessId, rows))
            return false;
        const double m = processDelete();
        if (b < 0 || m < 0)
            return false;
        std::printf("%-10s   round %d: delete %.0f ms, bare %.0f ms\n", qPrintable(label), r + 1, m, b);
        ours.push_back(m);
        bare.push_back(b);
    }
    report(label, qPrintable(QStringLiteral("delete a process of %1 rows").arg(rows)), ours, bare);

    if (!prepareProcesses(c, processes))
        return false;
    ours.clear();
    bare.clear();
    int listed = 0, bareListed = 0;
    for (int r = 0; r < repeat * 3; ++r) {
        bare.push_back(bareList(c, &bareListed));
        ours.push_back(processList(&listed));
        if (bare.back() < 0 || ours.back() < 0)
            return false;
    }
    report(label, qPrintable(QStringLiteral("list %1 processes").arg(listed)), ours, bare);
    shared().reset();
    return listed == bareListed && listed >= processes;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bench::Args args(app.arguments());
    const int rows = args.count("--rows", 100000), processes = args.count("--processes", 10000);
    const int repeat = args.count("--repeat", 2);
    return bench::onBothEngines(QStringLiteral("bench_processes"), args, [&](const QString &label, const QString &url) {
        return runEngine(label, url, rows, processes, repeat);
    });
}
