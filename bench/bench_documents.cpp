// Gain and loss documents of a 100,000-row count: both kinds made the way the
// count sheet makes them (DocumentOutput::run, which asks the host's document
// maker through MainDo::OutCheckBill), against a bare INSERT ... SELECT of the same
// entries into ICStockBillEntry, rolled back, measured in the same run. Half the
// rows have a gain and half a loss. Targets: both kinds < 5 s, at most 3 times the
// bare insert.
//
//   bench_documents [--rows N] [--repeat N] [--pg URL] [--explain]
//
// SQLite runs in a temporary file. PostgreSQL runs when --pg or STOCKCHECK_BENCH_PG
// names a server; a schema of its own is made there and dropped afterwards. The
// slowest statements of the last round are listed; --explain adds the plan of the
// slowest one.

#include "benchcount.h"
#include "benchutil.h"

#include "model/maindo.h"
#include "sheet/documentoutput.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace {

constexpr int ProcessId = 900001;

// One kind's entries with nothing around them: the rows of the kind's sign, one
// document per stock, numbered within it as the maker numbers them.
const char *const kBareEntriesSql = R"(INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FAuxPropID,
 FBatchNo, FMtoNo, FKFDate, FKFPeriod, FUnitID, FQty, FAuxQty, FSecQty, FDCStockID, FDCSPID, FNote)
SELECT %1 + FStockID, ROW_NUMBER() OVER (PARTITION BY FStockID ORDER BY FItemID, FStockPlaceID, FBatchNo, FMtoNo,
 FAuxPropID, FKFDate, FKFPeriod, FUnitID), FItemID, FAuxPropID, FBatchNo, FMtoNo, NULLIF(FKFDate, ''), FKFPeriod,
 FUnitID, ABS(FMinus), ABS(FMinus), ABS(FSecMinus), FStockID, FStockPlaceID, COALESCE(FNote, '')
FROM ICInvBackup WHERE FInterID = ? AND FMinus %2 0)";

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Both kinds in one transaction that is rolled back: the real run finds the
// table as it was. Returns the entries written, or -1.
double bareInsert(AppConnection &c, int *entries)
{
    QElapsedTimer t;
    t.start();
    *entries = 0;
    Transaction tx(c);
    for (const auto &[base, sign] : {std::pair{"800000000", ">"}, std::pair{"810000000", "<"}}) {
        int n = 0;
        if (!c.Exec(QString::fromLatin1(kBareEntriesSql).arg(QString::fromLatin1(base), QString::fromLatin1(sign)),
                    {ProcessId}, &n)) {
            std::fprintf(stderr, "bare insert: %s\n", qPrintable(c.lastError().detailed()));
            return -1;
        }
        *entries += n;
    }
    const double ms = msSince(t);
    return ms; // the transaction rolls back here, outside the time
}

// Where the time goes: each statement's time, as the gap to the next one's start.
struct Trace
{
    QElapsedTimer clock;
    std::vector<std::pair<double, QString>> statements; // start, text
    std::vector<std::pair<QString, QVariantList>> full;

    void install(AppConnection &c)
    {
        clock.start();
        statements.clear();
        c.setStatementHook([this](const QString &sql, const QVariantList &binds) {
            statements.emplace_back(msSince(clock), sql.simplified().left(90));
            full.emplace_back(sql, binds);
            return QString();
        });
    }
    void print(AppConnection &c, const QString &label)
    {
        c.setStatementHook(nullptr);
        const double end = msSince(clock);
        std::vector<std::pair<double, size_t>> spans;
        for (size_t i = 0; i < statements.size(); ++i)
            spans.emplace_back((i + 1 < statements.size() ? statements[i + 1].first : end) - statements[i].first, i);
        std::sort(spans.begin(), spans.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
        std::printf("%-10s   slowest of %zu statements of the last round:\n", qPrintable(label), spans.size());
        for (size_t i = 0; i < spans.size() && i < 6; ++i)
            std::printf("%-10s     %7.0f ms  %s\n", qPrintable(label), spans[i].first,
                        qPrintable(statements[spans[i].second].second));
        slowest = spans.empty() ? -1 : int(spans.front().second);
    }
    int slowest = -1;
    // The plan of the slowest statement, run again in a transaction rolled back.
    void explain(AppConnection &c, const QString &label)
    {
        if (slowest < 0 || !c.dialect().isPostgres())
            return;
        Transaction tx(c);
        const auto &[sql, binds] = full[size_t(slowest)];
        if (sql.startsWith(QLatin1String("INSERT INTO ICStockBillEntry")) && binds.size() == 3) // its entries exist
            c.Exec(QStringLiteral("DELETE FROM ICStockBillEntry WHERE FInterID BETWEEN ? AND ?"), {binds[1], binds[2]});
        // a plan cannot be prepared with parameters: the numbers go into the text
        QString text = sql;
        for (const QVariant &v : binds)
            text.replace(text.indexOf(QLatin1Char('?')), 1, v.toString());
        Recordset rs = c.Execute(QStringLiteral("EXPLAIN ANALYZE ") + text);
        std::printf("%-10s   plan of the slowest statement:%s\n", qPrintable(label),
                    rs.isOpen() ? "" : qPrintable(QLatin1Char(' ') + c.lastError().detailed()));
        for (int r = 0; r < rs.RecordCount(); ++r)
            std::printf("      %s\n", qPrintable(rs.value(r, 0).toString()));
    }
};

// Both kinds as the window makes them; the documents and entries made.
double makeDocuments(int *documents, int *entries, AppConnection &c)
{
    *documents = 0;
    QElapsedTimer t;
    t.start();
    for (int kind : {1, 2}) {
        MainDo model;
        const DocumentOutput::Result r = DocumentOutput::run(model, kind, ProcessId, {}, false);
        if (r.outcome != DocumentOutput::Outcome::Made) {
            std::fprintf(stderr, "documents of kind %d: outcome %d\n", kind, int(r.outcome));
            return -1;
        }
        *documents += int(r.documents.size());
    }
    const double ms = msSince(t);
    *entries = bench::count(c,
                            QStringLiteral("SELECT COUNT(*) AS n FROM ICStockBillEntry e JOIN ICStockBill h"
                                           " ON h.FInterID = e.FInterID WHERE h.FProcID = ?"),
                            {ProcessId});
    return ms;
}

// The next round finds the count as before: the maker leaves out only rows whose
// document still exists.
bool dropDocuments(AppConnection &c)
{
    return bench::exec(c,
                       QStringLiteral("DELETE FROM ICStockBillEntry WHERE FInterID IN"
                                      " (SELECT FInterID FROM ICStockBill WHERE FProcID = ?)"),
                       {ProcessId}) &&
           bench::exec(c, QStringLiteral("DELETE FROM ICStockBill WHERE FProcID = ?"), {ProcessId}) &&
           bench::exec(c, QStringLiteral("UPDATE ICInvBackup SET FBillInterID = NULL WHERE FInterID = ?"), {ProcessId});
}

bool runEngine(const QString &label, const QString &url, int rows, int repeat, bool explain)
{
    AppConnection c;
    if (!bench::openHost(c, url))
        return false;
    QElapsedTimer filling;
    filling.start();
    if (!bench::prepareCount(c, ProcessId, rows))
        return false;
    const int gains = bench::count(
        c, QStringLiteral("SELECT COUNT(*) AS n FROM ICInvBackup WHERE FInterID = ? AND FMinus > 0"), {ProcessId});
    std::printf("%-10s count of %d rows (%d gains, %d losses) prepared in %lld ms\n", qPrintable(label), rows, gains,
                rows - gains, static_cast<long long>(filling.elapsed()));
    std::fflush(stdout);

    // alternate the two, keep the best of each: other work on the machine only adds
    std::vector<double> made, bare;
    int documents = 0, entries = 0, bareEntries = 0;
    for (int r = 0; r < repeat; ++r) {
        const double b = bareInsert(c, &bareEntries);
        const qint64 cpu = bench::cpuMs();
        Trace trace;
        if (r + 1 == repeat)
            trace.install(c);
        const double m = makeDocuments(&documents, &entries, c);
        if (r + 1 == repeat)
            trace.print(c, label);
        if (r + 1 == repeat && explain)
            trace.explain(c, label);
        if (b < 0 || m < 0)
            return false;
        std::printf("%-10s   round %d: documents %.0f ms (client CPU %lld ms), bare %.0f ms\n", qPrintable(label),
                    r + 1, m, static_cast<long long>(bench::cpuMs() - cpu), b);
        bare.push_back(b);
        made.push_back(m);
        if (r + 1 < repeat && !dropDocuments(c))
            return false;
    }
    const double best = *std::min_element(made.begin(), made.end());
    const double bestBare = *std::min_element(bare.begin(), bare.end());
    const double ratio = bestBare > 0 ? best / bestBare : 0.0;
    std::printf("%-10s %d documents, %d entries (bare %d)  gain + loss documents %.0f ms  bare INSERT ... SELECT "
                "%.0f ms  ratio %.2f  (targets < 5000 ms: %s, ratio <= 3: %s)\n",
                qPrintable(label), documents, entries, bareEntries, best, bestBare, ratio,
                best < 5000 ? "ok" : "MISSED", ratio <= 3 ? "ok" : "MISSED");
    std::fflush(stdout);
    shared().reset();
    return entries == rows && bareEntries == rows;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bench::Args args(app.arguments());
    const int rows = args.count("--rows", 100000), repeat = args.count("--repeat", 3);
    const bool explain = args.flag("--explain");
    return bench::onBothEngines(QStringLiteral("bench_documents"), args, [&](const QString &label, const QString &url) {
        return runEngine(label, url, rows, repeat, explain);
    });
}
