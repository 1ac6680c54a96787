// Opening a count of 100,000 rows: the entry grid of mode 4 and the ledger of mode 1
// (query, fill, sums) against a bare query of the same rows, each measured in a
// process of its own so that its peak memory is its own; then scrolling the
// entry grid of the window through the whole count.
//
//   bench_sheet [--db URL] [--rows N]
//
// Without --db a SQLite file in the temporary folder is made once and kept. A
// PostgreSQL database is given as postgresql://...?schema=NAME (the schema must
// exist; the tables are made in it).

#include "erp/demodata.h"
#include "erp/schema.h"
#include "erp/standins.h"
#include "host/appconnection.h"
#include "host/sharedstate.h"
#include "model/entrygrid.h"
#include "model/maindo.h"
#include "sheet/countsheet.h"
#include "sheet/ui/frmmain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScrollBar>
#include <QTableView>

#include <cstdio>
#include <ctime>

namespace {

constexpr int ProcessId = 900001;

double statusMb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// CPU time of this process: the machine may be busy with other work.
qint64 cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

bool exec(AppConnection &c, const QString &sql, const QVariantList &binds = {})
{
    if (c.Exec(sql, binds))
        return true;
    std::fprintf(stderr, "%s\n", qPrintable(c.lastError().detailed()));
    return false;
}

int rowCount(AppConnection &c)
{
    return c.Execute(QStringLiteral("SELECT COUNT(*) AS n FROM ICInvBackup WHERE FInterID = ?"), {ProcessId})
        .integer(u"n");
}

// Demo master data, a snapshot of its stock, and more batches of the same rows
// until the process holds `rows` rows.
bool prepare(AppConnection &c, int rows)
{
    QString error;
    if (!erp::schemaExists(c) && !erp::createSchema(c, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    if (rowCount(c) == rows)
        return true;
    std::printf("preparing a process of %d rows...\n", rows);
    std::fflush(stdout);
    if (!erp::hasData(c)) {
        erp::DemoOptions options;
        options.size = 4000;
        if (!erp::fillDemoData(c, options, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return false;
        }
    }
    const Dialect &d = c.dialect();
    return exec(c, QStringLiteral("DELETE FROM ICInvBackup WHERE FInterID = ?"), {ProcessId}) &&
           exec(c, QStringLiteral("DELETE FROM ICStockCheckProcess WHERE FID = ?"), {ProcessId}) &&
           exec(c,
                QStringLiteral("INSERT INTO ICStockCheckProcess (FID, FProcessID, FDate, FOperatorID, FStatus,"
                               " FBackupType) SELECT ?, 'BENCH', ") +
                    d.now() + QStringLiteral(", MIN(FUserID), 0, 1 FROM t_user"),
                {ProcessId}) &&
           exec(c,
                QStringLiteral("INSERT INTO ICInvBackup (FInterID, FItemID, FStockID, FStockPlaceID, FBatchNo, FMtoNo,"
                               " FAuxPropID, FKFDate, FKFPeriod, FUnitID, FQty, FAuxQty, FSecQty, FBal, FDateBackup,"
                               " FCheckQty, FQtyAct, FAuxCheckQty, FAuxQtyAct, FMinus)"
                               " WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100)"
                               " SELECT CAST(? AS INTEGER), s.FItemID, s.FStockID, s.FStockPlaceID,"
                               " s.FBatchNo || '-' || CAST(n.i AS VARCHAR(8)), s.FMtoNo, s.FAuxPropID,"
                               " COALESCE(s.FKFDate, ''), s.FKFPeriod, t.FStoreUnitID, s.FQty, s.FQty, s.FSecQty,"
                               " s.FBal, ") +
                    d.now() +
                    QStringLiteral(", s.FQty + n.i % 3 - 1, s.FQty + n.i % 3 - 1, s.FQty + n.i % 3 - 1,"
                                   " s.FQty + n.i % 3 - 1, n.i % 3 - 1"
                                   " FROM ICInventory s JOIN t_ICItem t ON t.FItemID = s.FItemID CROSS JOIN n"
                                   " ORDER BY n.i, s.FItemID, s.FStockID LIMIT ?"),
                {ProcessId, rows}) &&
           rowCount(c) == rows;
}

bool open(AppConnection &c, const QString &url)
{
    QString error;
    if (!c.open(url, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    SharedState &s = shared();
    s.connection = &c;
    erp::installStandIns(s.components, c);
    s.components.settings.reset(); // the benchmark leaves the person's settings alone
    return true;
}

// One measurement in this process: prints "name ms peakMB growthMB rows".
int measure(const QString &what, const QString &url)
{
    AppConnection c;
    if (!open(c, url))
        return 1;
    const double before = statusMb("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    const qint64 cpuStart = cpuMs();
    int rows = 0;
    if (what == QLatin1String("bare")) {
        // the same statement, read into a recordset and nothing more
        shared().showType = SheetMode::Entry;
        MainDo model;
        rows = model.GetRsMain(ProcessId, {}, false, {}).RecordCount();
    } else if (what == QLatin1String("mode4")) {
        shared().showType = SheetMode::Entry;
        MainDo model;
        model.loadColumnLayout();
        rows = model.GetRsMain(ProcessId, {}, false, {}).RecordCount();
        EntryGrid grid;
        model.InputFillRow(grid);
    } else if (what == QLatin1String("mode1")) {
        shared().showType = SheetMode::Check;
        MainDo model;
        LedgerGrid ledger;
        model.Ldg(&ledger);
        model.ResizeColWidth();
        rows = model.GetRsMain(ProcessId, {}, false, {}).RecordCount();
        ledger.setMaxRows(rows + 3);
        model.GetSumData();
        for (int r = 3; r < 3 + 40; ++r) // the first screen and the total line
            model.DRowData(r);
        model.DRowData(ledger.maxRows());
    } else if (what == QLatin1String("scroll")) {
        shared().showType = SheetMode::Entry;
        FrmMain window(SheetMode::Entry);
        window.resize(1280, 800);
        window.show();
        QApplication::processEvents();
        auto *view = window.findChild<QWidget *>(QStringLiteral("vsCheck"))->findChild<QTableView *>();
        rows = view->model()->rowCount();
        const qint64 opened = timer.restart();
        const qint64 openedCpu = cpuMs() - cpuStart;
        QScrollBar *bar = view->verticalScrollBar();
        const int steps = 200;
        for (int i = 0; i <= steps; ++i) {
            bar->setValue(int(qint64(bar->maximum()) * i / steps));
            view->viewport()->repaint();
        }
        std::printf("RESULT window %lld %.1f %.1f %d %lld\n", opened, statusMb("VmHWM:"), statusMb("VmHWM:") - before,
                    rows, openedCpu);
        std::printf("RESULT frame %.2f 0 0 %d 0\n", double(timer.elapsed()) / (steps + 1), rows);
        return 0;
    }
    const qint64 ms = timer.elapsed();
    std::printf("RESULT %s %lld %.1f %.1f %d %lld\n", qPrintable(what), ms, statusMb("VmHWM:"),
                statusMb("VmHWM:") - before, rows, cpuMs() - cpuStart);
    return 0;
}

QStringList runChild(const QString &what, const QString &url)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--measure"), what, QStringLiteral("--db"), url});
    p.waitForFinished(-1);
    QStringList results;
    for (const QByteArray &line : p.readAllStandardOutput().split('\n'))
        if (line.startsWith("RESULT "))
            results << QString::fromUtf8(line.mid(7));
    return results;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto option = [&args](const char *name, const QString &fallback) {
        const qsizetype i = args.indexOf(QLatin1String(name));
        return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : fallback;
    };
    const QString url =
        option("--db", QStringLiteral("sqlite:") + QDir::temp().filePath(QStringLiteral("stockcheck-bench-sheet.db")));
    if (args.contains(QLatin1String("--measure")))
        return measure(option("--measure", {}), url);

    const int rows = option("--rows", QStringLiteral("100000")).toInt();
    {
        AppConnection c;
        if (!open(c, url) || !prepare(c, rows))
            return 1;
    }
    std::printf("count sheet of %d rows on %s\n", rows, qPrintable(url.section(QLatin1Char('?'), 0, 0)));
    std::printf("%-8s %9s %8s %10s %11s\n", "", "time ms", "cpu ms", "peak MB", "growth MB");
    double bareCpu = 0;
    for (const char *what : {"bare", "mode4", "mode1", "scroll"}) {
        for (const QString &line : runChild(QLatin1String(what), url)) {
            const QStringList f = line.split(QLatin1Char(' '));
            const QString name = f.value(0);
            const double ms = f.value(1).toDouble(), cpu = f.value(5).toDouble();
            if (name == QLatin1String("frame")) {
                std::printf("%-8s %9.2f ms per page repainted while scrolling through all rows\n", "scroll", ms);
                continue;
            }
            if (name == QLatin1String("bare"))
                bareCpu = cpu;
            std::printf("%-8s %9.0f %8.0f %10s %11s", qPrintable(name), ms, cpu, qPrintable(f.value(2)),
                        qPrintable(f.value(3)));
            if (bareCpu > 0 && name != QLatin1String("bare"))
                std::printf("   cpu %.2fx the bare query", cpu / bareCpu);
            std::printf("\n");
        }
    }
    std::printf("targets: mode 4 and mode 1 under 1500 ms and 300 MB (SQLite)\n");
    return 0;
}
