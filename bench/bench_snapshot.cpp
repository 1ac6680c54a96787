// Opening a count of 100,000 stock positions: the snapshot (BackUpData, current
// stock of every stock) against a bare INSERT ... SELECT of the same rows into a
// copy of ICInvBackup with the same indexes, measured in the same run. Target:
// the snapshot takes at most twice the bare insert.
//
//   bench_snapshot [--positions N] [--pg URL] [--repeat N]
//
// SQLite runs in a temporary file. PostgreSQL runs when --pg or STOCKCHECK_BENCH_PG
// names a server (postgresql://user@host:port/db); a schema of its own is made
// there and dropped afterwards.

#include "benchutil.h"

#include "erp/schema.h"
#include "erp/standins.h"
#include "host/appconnection.h"
#include "host/loginprops.h"
#include "host/sharedstate.h"
#include "snapshot/icbackupinv.h"
#include "snapshot/snapshotcontext.h"
#include "snapshot/snapshotstatements.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int Items = 5000;
constexpr int Stocks = 20;
constexpr int Places = 50;

bool exec(AppConnection &c, const QString &sql, const QVariantList &binds = {})
{
    if (c.Exec(sql, binds))
        return true;
    std::fprintf(stderr, "%s\n", qPrintable(c.lastError().detailed()));
    return false;
}

int count(AppConnection &c, const QString &sql, const QVariantList &binds = {})
{
    return c.Execute(sql, binds).integer(u"n");
}

// Items, stocks and places, and `positions` distinct stock positions: nine in
// ten in the first ledger, the rest in the second. Every tenth item has a count
// cycle, so the last-count stamp has work to do.
bool fill(AppConnection &c, int positions)
{
    const QString numbers =
        QStringLiteral(" WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ?)");
    const QString inventory =
        QStringLiteral("INSERT INTO %1 (FItemID, FStockID, FStockPlaceID, FQty, FSecQty, FKFDate)") + numbers +
        QStringLiteral(" SELECT 1000 + i % %2, 1 + (i / %2) % %3, 1 + i % %4, 1 + i % 37, i % 3, '' FROM n WHERE %5");
    const auto ledger = [&](const char *table, const char *which) {
        return inventory.arg(QString::fromLatin1(table))
            .arg(Items)
            .arg(Stocks)
            .arg(Places)
            .arg(QString::fromLatin1(which));
    };
    Transaction tx(c);
    const bool ok =
        exec(c, QStringLiteral("INSERT INTO t_MeasureUnit (FMeasureUnitID, FItemID, FUnitGroupID, FName, FCoefficient) "
                               "VALUES (1, 1, 1, 'pcs', 1)")) &&
        exec(c,
             QStringLiteral("INSERT INTO t_ICItem (FItemID, FNumber, FShortNumber, FName, FUnitGroupID, FUnitID, "
                            "FStoreUnitID)") +
                 numbers + QStringLiteral(" SELECT 1000 + i, 'B.' || i, '' || i, 'item ' || i, 1, 1, 1 FROM n"),
             {Items - 1}) &&
        exec(c,
             QStringLiteral("INSERT INTO t_ICItemMaterial (FItemID, FCheckCycUnit, FCheckCycle)") + numbers +
                 QStringLiteral(" SELECT 1000 + i, CASE WHEN i % 10 = 0 THEN 11603 ELSE 0 END,"
                                " CASE WHEN i % 10 = 0 THEN 30 ELSE 0 END FROM n"),
             {Items - 1}) &&
        exec(c,
             QStringLiteral("INSERT INTO t_Stock (FItemID, FNumber, FName)") + numbers +
                 QStringLiteral(" SELECT 1 + i, 'S' || i, 'stock ' || i FROM n"),
             {Stocks - 1}) &&
        exec(c,
             QStringLiteral("INSERT INTO t_StockPlace (FSPID, FNumber, FName)") + numbers +
                 QStringLiteral(" SELECT 1 + i, 'P' || i, 'place ' || i FROM n"),
             {Places - 1}) &&
        exec(c, ledger("ICInventory", "i % 10 <> 0"), {positions - 1}) &&
        exec(c, ledger("POInventory", "i % 10 = 0"), {positions - 1});
    if (ok)
        tx.commit();
    return ok;
}

QString stockList()
{
    QStringList ids;
    for (int i = 1; i <= Stocks; ++i)
        ids << QString::number(i);
    return ids.join(QLatin1Char(','));
}

// The copy: the same columns and the same indexes as ICInvBackup.
bool makeCopy(AppConnection &c)
{
    return exec(c, QStringLiteral("CREATE TABLE ICInvBackupCopy AS SELECT * FROM ICInvBackup WHERE 1 = 0")) &&
           exec(c, QStringLiteral("CREATE INDEX ix_copy_row ON ICInvBackupCopy "
                                  "(FInterID, FStockID, FStockPlaceID, FItemID, FBatchNo, FMtoNo, FAuxPropID)")) &&
           exec(c, QStringLiteral("CREATE INDEX ix_copy_stock ON ICInvBackupCopy (FStockID)")) &&
           exec(c, QStringLiteral("CREATE INDEX ix_copy_item ON ICInvBackupCopy (FItemID)"));
}

// The snapshot's own INSERT ... SELECT of both ledgers, aimed at the copy: the
// same rows with nothing around them.
qint64 bareInsert(AppConnection &c, int processId)
{
    SnapshotContext ctx;
    ctx.conn = &c;
    ctx.processId = processId;
    for (int i = 1; i <= Stocks; ++i)
        ctx.stocks << i;
    QElapsedTimer timer;
    timer.start();
    Transaction tx(c);
    for (const char *ledger : {"ICInventory", "POInventory"}) {
        SqlFragment sql = SnapshotSql::currentStockInsert(ctx, QString::fromLatin1(ledger));
        sql.sql.replace(QStringLiteral("INSERT INTO ICInvBackup\n"), QStringLiteral("INSERT INTO ICInvBackupCopy\n"));
        if (!c.Exec(sql.sql, sql.binds)) {
            std::fprintf(stderr, "%s\n", qPrintable(c.lastError().detailed()));
            return -1;
        }
    }
    tx.commit();
    return timer.elapsed();
}

qint64 snapshot(AppConnection &c, int *processId)
{
    SnapshotParams params;
    params.setValue(SnapshotParams::Stock, stockList());
    params.setValue(SnapshotParams::CutDate, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    params.setValue(SnapshotParams::Operater, 16394);
    ICBackupInv engine(&c);
    QString table;
    bool ok = false;
    QElapsedTimer timer;
    timer.start();
    engine.BackUpData(params, false, {}, false, true, false, false, table, ok);
    const qint64 ms = timer.elapsed();
    if (!ok) {
        std::fprintf(stderr, "snapshot failed: %s %s\n", qPrintable(engine.lastMessage()),
                     qPrintable(engine.lastError().detailed()));
        return -1;
    }
    *processId = engine.processId();
    return ms;
}

qint64 preChecks(AppConnection &c)
{
    SnapshotParams params;
    params.setValue(SnapshotParams::Stock, stockList());
    params.setValue(SnapshotParams::Operater, 16394);
    ICBackupInv engine(&c);
    QElapsedTimer timer;
    timer.start();
    QString message;
    engine.CheckStockRecCount(params, false, {}, message);
    engine.CheckRetailBillNotSettle(params, message);
    engine.GetStockBillMaxID(false, {});
    engine.CheckBillInterID(params, message);
    return timer.elapsed();
}

bool runEngine(const QString &label, const QString &url, int positions, int repeat)
{
    AppConnection c;
    QString error;
    if (!c.open(url, &error) || !erp::createSchema(c, &error)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(label), qPrintable(error));
        return false;
    }
    SharedState &s = shared();
    s.reset();
    s.connection = &c;
    erp::installStandIns(s.components, c);
    s.operatorId = 16394;
    ParseProps(QStringLiteral("UserID=16394;LANGUAGE=chs;"));

    QElapsedTimer filling;
    filling.start();
    if (!fill(c, positions) || !makeCopy(c))
        return false;
    if (c.dialect().isPostgres())
        exec(c, QStringLiteral("ANALYZE"));
    std::printf("%-10s filled %d positions in %lld ms\n", qPrintable(label), positions,
                static_cast<long long>(filling.elapsed()));

    // alternate the two, keep the best of each: other work on the machine only adds
    std::vector<qint64> snapshots, bare;
    int rows = 0;
    for (int r = 0; r < repeat; ++r) {
        const qint64 b = bareInsert(c, 900000 + r);
        int processId = 0;
        const qint64 sn = snapshot(c, &processId);
        if (b < 0 || sn < 0)
            return false;
        rows = count(c, QStringLiteral("SELECT COUNT(*) AS n FROM ICInvBackup WHERE FInterID = ?"), {processId});
        bare.push_back(b);
        snapshots.push_back(sn);
        // both tables start the next round alike
        exec(c, QStringLiteral("DELETE FROM ICInvBackupCopy"));
        exec(c, QStringLiteral("DELETE FROM ICInvBackup WHERE FInterID = ?"), {processId});
        exec(c, QStringLiteral("DELETE FROM ICStockCheckProcess WHERE FID = ?"), {processId});
    }
    const qint64 best = *std::min_element(snapshots.begin(), snapshots.end());
    const qint64 bestBare = *std::min_element(bare.begin(), bare.end());
    std::printf("%-10s rows %d  snapshot %lld ms  bare INSERT ... SELECT %lld ms  ratio %.2f  (target <= 2)\n",
                qPrintable(label), rows, static_cast<long long>(best), static_cast<long long>(bestBare),
                bestBare > 0 ? double(best) / double(bestBare) : 0.0);
    std::printf("%-10s pre-checks of the same stocks %lld ms, peak memory of the program %.0f MB\n", qPrintable(label),
                static_cast<long long>(preChecks(c)), bench::peakMemoryMb());
    std::fflush(stdout);
    s.reset();
    return rows == positions;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto option = [&](const QString &name, const QString &fallback) {
        return bench::option(args, name, fallback);
    };
    const int positions = option(QStringLiteral("--positions"), QStringLiteral("100000")).toInt();
    const int repeat = std::max(1, option(QStringLiteral("--repeat"), QStringLiteral("3")).toInt());
    const QString pg = option(QStringLiteral("--pg"), QString::fromLocal8Bit(qgetenv("STOCKCHECK_BENCH_PG")));

    bool ok = true;
    QTemporaryDir dir;
    ok = runEngine(QStringLiteral("SQLite"), QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("bench.db")),
                   positions, repeat) &&
         ok;
    if (pg.isEmpty()) {
        std::printf("PostgreSQL skipped: give --pg URL or STOCKCHECK_BENCH_PG\n");
        return ok ? 0 : 1;
    }
    const QString schema = QStringLiteral("bench_snapshot_%1").arg(QCoreApplication::applicationPid());
    AppConnection admin;
    QString error;
    if (!admin.open(pg, &error) || !admin.Exec(QStringLiteral("CREATE SCHEMA \"%1\"").arg(schema))) {
        std::fprintf(stderr, "PostgreSQL: %s %s\n", qPrintable(error), qPrintable(admin.lastError().message));
        return 1;
    }
    ok = runEngine(QStringLiteral("PostgreSQL"), bench::withSchema(pg, schema), positions, repeat) && ok;
    admin.Exec(QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(schema));
    return ok ? 0 : 1;
}
