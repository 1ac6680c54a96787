// Importing a 100,000-record count file, .xlsx and .csv, as the count sheet's
// import does it (reading, the rules per record, staging, the set-based merge),
// against reading the same file plus a bare multi-row insert of its records into
// a table of the same columns, measured in the same run. Targets: < 10 s, at most
// twice the bare run, < 300 MB peak memory of the import.
//
//   bench_import [--rows N] [--pg URL] [--keep DIR] [--profile]
//
// The files are the count sheet's own export (mode 4) of a counted process over the
// demo data. SQLite runs in a temporary file; PostgreSQL when --pg or
// STOCKCHECK_BENCH_PG names a server (a schema of its own, dropped afterwards).

#include "benchcount.h"
#include "benchutil.h"

#include "erp/bulkinsert.h"
#include "host/sysparams.h"
#include "import/countimport.h"
#include "import/importrecord.h"
#include "import/sheetreader.h"
#include "model/entrygrid.h"
#include "model/maindo.h"
#include "sheet/countsheet.h"
#include "sheet/sheetexport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

namespace {

constexpr int ProcessId = 900002;
QString outDir;
bool profile = false; // --profile: the slowest statements of each import

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// The peak resident size counts from here (Linux: "5" to clear_refs resets it).
void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

bool writeFiles(const QString &label, QString *xlsx, QString *csv)
{
    shared().showType = SheetMode::Entry;
    MainDo model;
    model.loadColumnLayout();
    model.GetRsMain(ProcessId, CountSheet::viewCondition(SheetMode::Entry, CountSheet::DataView::All), false,
                    shared().filterSettings);
    EntryGrid grid;
    model.InputFillRow(grid);
    const SheetExport table = SheetExport::entry(grid, model.columnLayout());
    *xlsx = QDir(outDir).filePath(label + QStringLiteral("-count.xlsx"));
    *csv = QDir(outDir).filePath(label + QStringLiteral("-count.csv"));
    QString error;
    SheetWriter *writer = shared().components.sheetWriter.get();
    if (!table.write(*writer, *xlsx, &error) || !table.write(*writer, *csv, &error)) {
        std::fprintf(stderr, "export: %s\n", qPrintable(error));
        return false;
    }
    return true;
}

// Reading the file and inserting its records as they are, in one transaction.
double bare(AppConnection &c, const QString &file, int *records)
{
    static const QStringList columns{
        QStringLiteral("FStockNumber"), QStringLiteral("FStockName"),   QStringLiteral("FSPNumber"),
        QStringLiteral("FSPName"),      QStringLiteral("FItemNumber"),  QStringLiteral("FItemName"),
        QStringLiteral("FAuxNumber"),   QStringLiteral("FAuxName"),     QStringLiteral("FBatchNo"),
        QStringLiteral("FKFDate"),      QStringLiteral("FKFPeriod"),    QStringLiteral("FUnitNumber"),
        QStringLiteral("FUnitName"),    QStringLiteral("FCCNumber"),    QStringLiteral("FCCName"),
        QStringLiteral("FCheckQty"),    QStringLiteral("FAdjQty"),      QStringLiteral("FSecNumber"),
        QStringLiteral("FSecName"),     QStringLiteral("FCoefficient"), QStringLiteral("FSecCheckQty"),
        QStringLiteral("FNote")};
    c.Exec(QStringLiteral("DROP TABLE IF EXISTS bench_import_bare"));
    QStringList defs;
    for (const QString &col : columns)
        defs << col + (col.endsWith(QLatin1String("Qty")) || col == QLatin1String("FCoefficient")
                           ? QLatin1Char(' ') + c.dialect().quantityType()
                           : QStringLiteral(" TEXT"));
    if (!bench::exec(c, QStringLiteral("CREATE TABLE bench_import_bare (%1)").arg(defs.join(QStringLiteral(", ")))))
        return -1;
    QElapsedTimer t;
    t.start();
    QString error;
    std::unique_ptr<SheetReader> reader = SheetReader::open(file, &error);
    QList<QVariant> cells;
    if (!reader || !reader->readLine(&cells))
        return -1;
    using namespace ImportCol;
    const Field text[] = {StockNumber, StockName,     SPNumber,    SPName,       ItemNumber,
                          ItemName,    AuxPropNumber, AuxPropName, BatchNo,      KFDate,
                          KFPeriod,    UnitNumber,    UnitName,    CCUnitNumber, CCUnitName};
    *records = 0;
    try {
        Transaction tx(c);
        erp::BulkInsert insert(c, QStringLiteral("bench_import_bare"), columns);
        while (reader->readLine(&cells)) {
            const ImportRecord r = ImportRecord::read(cells, ++*records, false);
            QVariantList row;
            for (Field f : text)
                row << r.text(f);
            row << r.checkQty << r.adjQty << r.text(SecUnitNumber) << r.text(SecUnitName) << r.coefficient
                << r.secCheckQty << r.text(Note);
            insert.add(row);
        }
        insert.flush();
        tx.commit();
    } catch (const DbException &e) {
        std::fprintf(stderr, "bare insert: %s\n", qPrintable(e.error().detailed()));
        return -1;
    }
    return msSince(t);
}

bool measure(AppConnection &c, const QString &label, const QString &kind, const QString &file)
{
    CountImport::Options o;
    o.processId = ProcessId;
    o.operatorId = shared().operatorId;
    o.useFullNumber = shared().useFullNumber;
    int records = 0;
    const double bareMs = bare(c, file, &records);
    resetPeak();
    const qint64 statements = c.statementCount();
    // the time from one statement to the next is charged to the first
    QList<QPair<double, QString>> spans;
    QElapsedTimer since;
    QString last;
    if (profile)
        c.setStatementHook([&](const QString &sql, const QVariantList &) {
            if (!last.isEmpty())
                spans << qMakePair(msSince(since), last);
            last = sql.simplified().left(90);
            since.start();
            return QString();
        });
    QElapsedTimer t;
    t.start();
    const CountImport::Outcome out = CountImport(c, o).run(file);
    const double ms = msSince(t);
    c.setStatementHook({});
    std::sort(spans.begin(), spans.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    for (qsizetype i = 0; i < std::min<qsizetype>(8, spans.size()); ++i)
        std::printf("    %8.0f ms  %s\n", spans.at(i).first, qPrintable(spans.at(i).second));
    const double peak = bench::peakMemoryMb();
    if (bareMs < 0 || out.status != CountImport::Outcome::Status::Done) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(kind), qPrintable(out.message + out.details));
        return false;
    }
    const double ratio = ms / bareMs;
    std::printf("%-10s %-4s %d records (%d merged, %lld refused, %d duplicates, %d batches, %lld statements):"
                " import %.0f ms  read + bare insert %.0f ms  ratio %.2f  peak %.0f MB"
                "  (targets < 10000 ms: %s, ratio <= 2: %s, < 300 MB: %s)\n",
                qPrintable(label), qPrintable(kind), records, out.merged, static_cast<long long>(out.errors.size()),
                out.duplicates, out.batches, static_cast<long long>(c.statementCount() - statements), ms, bareMs, ratio,
                peak, ms < 10000 ? "ok" : "MISSED", ratio <= 2 ? "ok" : "MISSED", peak < 300 ? "ok" : "MISSED");
    std::fflush(stdout);
    return true;
}

bool runEngine(const QString &label, const QString &url, int rows)
{
    AppConnection c;
    if (!bench::openHost(c, url) || !bench::prepareCount(c, ProcessId, rows))
        return false;
    // the copies of the demo positions carry batch numbers of their own
    if (!bench::exec(c, QStringLiteral("UPDATE t_ICItem SET FBatchManager = 1")))
        return false;
    try {
        GetConnection();
    } catch (const DbException &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.error().detailed()));
        return false;
    }
    QString xlsx, csv;
    if (!writeFiles(label, &xlsx, &csv))
        return false;
    const bool ok = measure(c, label, QStringLiteral("xlsx"), xlsx) && measure(c, label, QStringLiteral("csv"), csv);
    c.Exec(QStringLiteral("DROP TABLE IF EXISTS bench_import_bare"));
    shared().reset();
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bench::Args args(app.arguments());
    const int rows = args.count("--rows", 100000);
    QTemporaryDir dir;
    outDir = args.text("--keep", dir.path());
    profile = args.flag("--profile");
    QDir().mkpath(outDir);
    return bench::onBothEngines(QStringLiteral("bench_import"), args,
                                [&](const QString &label, const QString &url) { return runEngine(label, url, rows); });
}
