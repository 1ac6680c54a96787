// Count entry timings: one edit in a 100,000-row entry grid (the row's rules and
// the totals row), the same edit the way the window makes it (the grid model's
// setData, CountSheet::editCell, the composite text from the database, the row's
// repaint signals), and saving 10,000 changed rows, each against a bare equivalent
// measured in the same run; then a scanner session: rows of a 100,000-row sheet
// counted one after another, each followed by the save the window makes when the
// grid loses the focus, the first and the last 1,000 saves compared. SQLite always;
// PostgreSQL when a server is named by --pg URL or STOCKCHECK_BENCH_PG.
//
//   bench_entry [--pg postgresql://user@host:port/db] [--edit-rows N] [--save-rows N]
//               [--scan-rows N] [--scans N]

#include "erp/bulkinsert.h"
#include "erp/complexqty.h"
#include "erp/schema.h"
#include "host/appconnection.h"
#include "host/sharedstate.h"
#include "sheet/countsaver.h"
#include "sheet/countsheet.h"
#include "sheet/entrygridmodel.h"
#include "sheet/entryrules.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <numeric>
#include <vector>

using namespace EntryCol;

namespace {

const int process = 1;
const int scannerProcess = 2;
const int itemCount = 50; // items of the window-path grid (their units are read per edit)
const int edits = 2000;
int scanRows = 100000; // the scanner session's sheet
int scans = 20000;

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

void report(const char *what, double ms, const char *baselineWhat, double baselineMs, double targetMs)
{
    std::printf("  %-34s %10.3f ms   %-36s %10.3f ms   ratio %6.2f   target < %g ms: %s\n", what, ms, baselineWhat,
                baselineMs, baselineMs > 0 ? ms / baselineMs : 0.0, targetMs, ms < targetMs ? "ok" : "MISSED");
}

void fillRow(EntryGrid &g, int r)
{
    g.setDecimals(r, 2);
    g.setNumber(r, ItemID, r);
    g.setText(r, ItemNumber, QStringLiteral("1.%1").arg(r));
    g.setText(r, UnitName, QStringLiteral("箱"));
    g.setText(r, KFPeriod, QStringLiteral("0"));
    g.setNumber(r, BaseBookQty, r % 50);
    g.setNumber(r, BookQty, r % 50);
    g.setNumber(r, Coefficient, 1);
    g.setNumber(r, SecRate, 2);
    g.setNumber(r, SecBookQty, (r % 50) / 2.0);
    g.setNumber(r, UnitID, 1);
    g.setNumber(r, StockID, 1 + r % 5);
}

struct Timing
{
    double mean = 0, p99 = 0, worst = 0;
};

Timing timingOf(std::vector<double> each, double totalMs)
{
    std::sort(each.begin(), each.end());
    return {totalMs / double(each.size()), each[each.size() * 99 / 100], each.back()};
}

// One edit: the rules of the row and the totals row. The bare equivalent sums the
// nine total columns over every row, as a totals row recounted per edit would.
double benchEdit(int rows)
{
    EntryGrid g;
    g.resize(rows);
    for (int r = 1; r <= rows; ++r)
        fillRow(g, r);
    g.recomputeTotals();
    EntrySession session;

    QElapsedTimer t;
    t.start();
    std::vector<double> each;
    for (int i = 0; i < edits; ++i) {
        QElapsedTimer one;
        one.start();
        const int row = 1 + int((qint64(i) * 7919) % rows);
        EntryRules::setCell(g, row, i % 2 ? CheckQty : SecCheckQty, QString::number(i % 97 + 0.5), session);
        each.push_back(msSince(one));
    }
    const Timing edit = timingOf(each, msSince(t));

    const int loops = 20;
    double sink = 0;
    t.restart();
    for (int i = 0; i < loops; ++i)
        for (int col : EntryGrid::totalColumns())
            for (int r = 1; r <= rows; ++r)
                sink += g.number(r, col);
    const double bareLoop = msSince(t) / loops;
    t.restart();
    g.recomputeTotals();
    const double fullRecount = msSince(t);

    std::printf("edit in a %d-row grid (%d edits; 99th percentile %.3f ms, worst %.3f ms; full recount %.3f ms)%s\n",
                rows, edits, edit.p99, edit.worst, fullRecount, sink < 0 ? " " : "");
    report("one edit (rules + totals)", edit.mean, "bare loop over the rows", bareLoop, 16);
    return edit.mean;
}

// Units 个 and 箱 (12) in group 1, and the items of the window-path grid in it.
bool createItems(AppConnection &c, QString *error)
{
    try {
        Transaction tx(c);
        erp::BulkInsert units(c, QStringLiteral("t_MeasureUnit"),
                              {QStringLiteral("FMeasureUnitID"), QStringLiteral("FItemID"),
                               QStringLiteral("FUnitGroupID"), QStringLiteral("FName"),
                               QStringLiteral("FCoefficient")});
        units.add({1, 1, 1, QStringLiteral("个"), 1});
        units.add({2, 2, 1, QStringLiteral("箱"), 12});
        units.flush();
        erp::BulkInsert items(c, QStringLiteral("t_ICItem"),
                              {QStringLiteral("FItemID"), QStringLiteral("FNumber"), QStringLiteral("FUnitGroupID"),
                               QStringLiteral("FUnitID"), QStringLiteral("FStoreUnitID"),
                               QStringLiteral("FQtyDecimal")});
        for (int i = 1; i <= itemCount; ++i)
            items.add({i, QStringLiteral("1.%1").arg(i), 1, 1, 2, 2});
        items.flush();
        tx.commit();
        return true;
    } catch (const DbException &e) {
        *error = e.error().detailed();
        return false;
    }
}

// The edit as the window makes it: the rows model's setData into the counted or
// the adjustment cell, CountSheet::editCell with its rules, the composite text of
// the count read over the item's units from the database (sp_CalComplexQty), and
// the repaint signals of the row and the totals line (no view attached).
void benchWindowEdit(const QString &label, AppConnection &c, int rows, double bareEditMs)
{
    CountSheet sheet(SheetMode::Entry);
    sheet.setComplexQtyFunction([&c](int item, const QString &units, double qty, const QString &unit) {
        return erp::CalComplexQty(c, item, units, qty, unit);
    });
    EntryGrid &g = sheet.entryGrid();
    g.resize(rows);
    for (int r = 1; r <= rows; ++r) {
        fillRow(g, r);
        g.setNumber(r, ItemID, 1 + r % itemCount);
        g.setNumber(r, Coefficient, 12);
    }
    g.recomputeTotals();
    EntryGridModel model(&sheet, EntryGridModel::Part::Rows);
    EntryGridModel totals(&sheet, EntryGridModel::Part::Totals);
    qint64 repaints = 0;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&] { ++repaints; });
    QObject::connect(&totals, &QAbstractItemModel::dataChanged, [&] { ++repaints; });

    QElapsedTimer t;
    t.start();
    std::vector<double> each;
    for (int i = 0; i < edits; ++i) {
        QElapsedTimer one;
        one.start();
        const int row = 1 + int((qint64(i) * 7919) % rows);
        const int col = i % 4 == 3 ? AdjQty : CheckQty;
        model.setData(model.index(row - 1, col - 1), QString::number(i % 97 + 0.5));
        each.push_back(msSince(one));
    }
    const Timing edit = timingOf(each, msSince(t));
    std::printf("window edit in a %d-row sheet on %s (%d edits, %lld repaint signals; 99th percentile %.3f ms, worst "
                "%.3f ms; last composite text \"%s\")\n",
                rows, qPrintable(label), edits, repaints, edit.p99, edit.worst,
                qPrintable(g.text(1 + int((qint64(edits - 2) * 7919) % rows), ComplexQty)));
    report("one edit through the window", edit.mean, "rules + totals on the bare grid", bareEditMs, 16);
}

bool createRows(AppConnection &c, int rows, QString *error)
{
    try {
        Transaction tx(c);
        erp::BulkInsert insert(c, QStringLiteral("ICInvBackup"),
                               {QStringLiteral("FInterID"), QStringLiteral("FItemID"), QStringLiteral("FUnitID"),
                                QStringLiteral("FStockID"), QStringLiteral("FQty"), QStringLiteral("FAuxQty"),
                                QStringLiteral("FSecQty")});
        for (int r = 1; r <= rows; ++r)
            insert.add({process, r, 1, 1 + r % 5, r % 50, r % 50, (r % 50) / 2.0});
        insert.flush();
        tx.commit();
        return true;
    } catch (const DbException &e) {
        *error = e.error().detailed();
        return false;
    }
}

const char *const bareUpdateSql =
    R"(UPDATE ICInvBackup SET FCheckQty = ?, FQtyAct = ?, FAuxCheckQty = ?, FAuxQtyAct = ?, FChecker = ?, FNote = ?,
 FSecQtyAct = ?, FSecCheckQty = ?, FComplexQty = ?, FMinus = ?, FSecMinus = ?
 WHERE FInterID = ? AND FItemID = ? AND FAuxPropID = 0 AND FUnitID = 1 AND FBatchNo = '' AND FMtoNo = ''
   AND FKFDate = '' AND FKFPeriod = 0 AND FStockID = ? AND FStockPlaceID = 0)";

// The same rows written by a prepared UPDATE per row in one transaction.
double bareSave(AppConnection &c, const EntryGrid &g)
{
    QElapsedTimer t;
    t.start();
    QSqlDatabase db = c.database();
    db.transaction();
    QSqlQuery q(db);
    q.prepare(QString::fromLatin1(bareUpdateSql));
    for (int r = 1; r <= g.dataRows(); ++r) {
        const double counted = g.number(r, BaseCheckQty);
        const double sec = g.number(r, SecCheckQty);
        for (const QVariant &v : QVariantList{counted, counted, counted, counted, 1, QString(QLatin1String("")), sec,
                                              sec, QString(QLatin1String("")), counted - g.number(r, BaseBookQty),
                                              sec - g.number(r, SecBookQty), process, r, int(g.number(r, StockID))})
            q.addBindValue(v);
        if (!q.exec())
            std::fprintf(stderr, "bare update failed\n");
    }
    db.commit();
    return msSince(t);
}

double timedSave(AppConnection &c, EntryGrid &g, EntrySession &session, bool setBased, int *written)
{
    CountSaver saver(g, session, c, nullptr, {.processId = process, .operatorId = 1});
    saver.setSetBased(setBased);
    for (int r = 1; r <= g.dataRows(); ++r) // a save clears the marks of the rows it wrote
        g.markChanged(r);
    session.dataChanged = true;
    QElapsedTimer t;
    t.start();
    const std::clock_t cpu = std::clock();
    const CountSaver::SaveResult result = saver.SaveStockData(false);
    const double ms = msSince(t);
    std::printf("    (%s: client CPU %.0f ms)\n", setBased ? "statement per batch" : "statement per row",
                double(std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC);
    if (result != CountSaver::SaveResult::Saved)
        std::fprintf(stderr, "save failed: %s\n", qPrintable(saver.lastError().detailed()));
    Recordset rs = c.Execute(QStringLiteral("SELECT COUNT(*) AS n FROM ICInvBackup WHERE FCheckQty IS NOT NULL"));
    *written = rs.integer(u"n");
    c.Exec(QStringLiteral("UPDATE ICInvBackup SET FCheckQty = NULL"));
    return ms;
}

void benchScanner(const QString &label, AppConnection &c, int rows, int count);

void benchSave(const QString &label, AppConnection &c, int rows, int editRows, double bareEditMs)
{
    QString error;
    if (!erp::createSchema(c, &error) || !createRows(c, rows, &error) || !createItems(c, &error)) {
        std::fprintf(stderr, "%s: cannot prepare the database: %s\n", qPrintable(label), qPrintable(error));
        return;
    }
    c.Exec(QStringLiteral("ANALYZE"));
    shared().reset();
    shared().connection = &c;
    shared().currentProcess = process;
    shared().operatorId = 1;
    benchWindowEdit(label, c, editRows, bareEditMs);

    EntryGrid g;
    g.resize(rows);
    for (int r = 1; r <= rows; ++r)
        fillRow(g, r);
    EntrySession session;
    for (int r = 1; r <= rows; ++r)
        EntryRules::setCell(g, r, CheckQty, QString::number(r % 50 + (r % 3 ? 1 : 0)), session);

    int setWritten = 0, rowWritten = 0;
    const double setBased = timedSave(c, g, session, true, &setWritten);
    const double perRow = timedSave(c, g, session, false, &rowWritten);
    const double bare = bareSave(c, g);
    std::printf("save of %d changed rows on %s (%d / %d rows written)\n", rows, qPrintable(label), setWritten,
                rowWritten);
    report("SaveStockData, statement per batch", setBased, "bare UPDATE per row, one transaction", bare, 2000);
    report("SaveStockData, statement per row", perRow, "bare UPDATE per row, one transaction", bare, 2000);
    benchScanner(label, c, scanRows, scans);
}

// A process of `rows` rows over the items of the window-path grid (one batch
// each), every one with its book stock and no secondary quantity, in boxes.
bool createScannerProcess(AppConnection &c, int rows, QString *error)
{
    try {
        Transaction tx(c);
        c.ExecuteRaiseErr(QStringLiteral("INSERT INTO t_user (FUserID, FName) VALUES (1, 'bench')"));
        c.ExecuteRaiseErr(QStringLiteral("INSERT INTO ICStockCheckProcess (FID, FProcessID, FOperatorID, FBackupType)"
                                         " VALUES (?, 'SCAN', 1, 1)"),
                          {scannerProcess});
        erp::BulkInsert insert(c, QStringLiteral("ICInvBackup"),
                               {QStringLiteral("FInterID"), QStringLiteral("FItemID"), QStringLiteral("FUnitID"),
                                QStringLiteral("FStockID"), QStringLiteral("FBatchNo"), QStringLiteral("FQty"),
                                QStringLiteral("FAuxQty")});
        for (int r = 1; r <= rows; ++r)
            insert.add(
                {scannerProcess, 1 + r % itemCount, 2, 1 + r % 5, QStringLiteral("B%1").arg(r), 12 * (r % 50), r % 50});
        insert.flush();
        tx.commit();
        return true;
    } catch (const DbException &e) {
        *error = e.error().detailed();
        return false;
    }
}

struct Window
{
    double mean = 0, p99 = 0, worst = 0;
};

Window windowOf(std::vector<double> each)
{
    const double sum = std::accumulate(each.begin(), each.end(), 0.0);
    const Timing t = timingOf(std::move(each), sum);
    return {t.mean, t.p99, t.worst};
}

// Someone counting with a scanner: the count window opened on a sheet of `rows`
// rows; each scan's row gets its count typed (rows spread over the sheet), and the
// grid's loss of the focus saves. A save writes what changed since the last one,
// so the last scans cost what the first did.
void benchScanner(const QString &label, AppConnection &c, int rows, int count)
{
    QString error;
    if (!createScannerProcess(c, rows, &error)) {
        std::fprintf(stderr, "%s: cannot prepare the scanner process: %s\n", qPrintable(label), qPrintable(error));
        return;
    }
    c.Exec(QStringLiteral("ANALYZE"));
    QElapsedTimer t;
    t.start();
    CountSheet sheet(SheetMode::Entry);
    sheet.open();
    const double openMs = msSince(t);
    EntryGrid &g = sheet.entryGrid();
    if (sheet.currentProcess() != scannerProcess || g.dataRows() != rows) {
        std::fprintf(stderr, "%s: the scanner sheet has %d rows of process %d\n", qPrintable(label), g.dataRows(),
                     sheet.currentProcess());
        return;
    }
    std::vector<double> each;
    each.reserve(size_t(count));
    const qint64 statements = c.statementCount();
    for (int i = 0; i < count; ++i) {
        const int row = 1 + int((qint64(i) * 7919) % rows);
        sheet.enterCell(row, CheckQty);
        sheet.editCell(row, CheckQty, QString::number(g.number(row, BookQty) + 1));
        QElapsedTimer one;
        one.start();
        sheet.gridFocusOut(true);
        each.push_back(msSince(one));
        sheet.gridFocusIn();
    }
    const double perScan = double(c.statementCount() - statements) / count;
    const int window = std::min(1000, count);
    const Window first = windowOf({each.begin(), each.begin() + window});
    const Window last = windowOf({each.end() - window, each.end()});
    Recordset rs = c.Execute(QStringLiteral("SELECT COUNT(*) AS n FROM ICInvBackup WHERE FInterID = ? AND"
                                            " FCheckQty IS NOT NULL"),
                             {scannerProcess});
    std::printf("scanner session on %s: %d scans in a %d-row sheet (opened in %.0f ms; %d rows counted in the"
                " database; %.1f statements per scan)\n",
                qPrintable(label), count, rows, openMs, rs.integer(u"n"), perScan);
    std::printf("  first %d saves: mean %.3f ms, 99th percentile %.3f ms, worst %.3f ms\n", window, first.mean,
                first.p99, first.worst);
    std::printf("  last %d saves:  mean %.3f ms, 99th percentile %.3f ms, worst %.3f ms\n", window, last.mean, last.p99,
                last.worst);
    report("save after a scan, last 1,000", last.mean, "first 1,000", first.mean, 50);
}

void benchSqlite(int rows, int editRows, double bareEditMs)
{
    QTemporaryDir dir;
    AppConnection c;
    QString error;
    if (!c.open(QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("bench.db")), &error)) {
        std::fprintf(stderr, "SQLite: %s\n", qPrintable(error));
        return;
    }
    benchSave(QStringLiteral("SQLite"), c, rows, editRows, bareEditMs);
}

void benchPostgres(const QString &adminUrl, int rows, int editRows, double bareEditMs)
{
    const QString schema = QStringLiteral("bench_entry_%1").arg(QCoreApplication::applicationPid());
    AppConnection admin;
    QString error;
    if (!admin.open(adminUrl, &error) || !admin.Exec(QStringLiteral("CREATE SCHEMA \"%1\"").arg(schema))) {
        std::fprintf(stderr, "PostgreSQL: %s %s\n", qPrintable(error), qPrintable(admin.lastError().detailed()));
        return;
    }
    QUrl url(adminUrl);
    QUrlQuery query(url);
    query.addQueryItem(QStringLiteral("schema"), schema);
    url.setQuery(query);
    {
        AppConnection c;
        if (c.open(url.toString(), &error))
            benchSave(QStringLiteral("PostgreSQL"), c, rows, editRows, bareEditMs);
        else
            std::fprintf(stderr, "PostgreSQL: %s\n", qPrintable(error));
        shared().reset();
    }
    admin.Exec(QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(schema));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString pg = QString::fromLocal8Bit(qgetenv("STOCKCHECK_BENCH_PG"));
    int editRows = 100000, saveRows = 10000;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--pg"))
            pg = args.at(i + 1);
        else if (args.at(i) == QLatin1String("--edit-rows"))
            editRows = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--save-rows"))
            saveRows = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--scan-rows"))
            scanRows = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--scans"))
            scans = args.at(i + 1).toInt();
    }
    const double bareEditMs = benchEdit(editRows);
    benchSqlite(saveRows, editRows, bareEditMs);
    if (pg.isEmpty())
        std::printf("PostgreSQL skipped: no --pg URL and STOCKCHECK_BENCH_PG is not set\n");
    else
        benchPostgres(pg, saveRows, editRows, bareEditMs);
    return 0;
}
