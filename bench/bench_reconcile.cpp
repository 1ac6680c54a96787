// Listing one count row's documents after the snapshot with 1,000,000 document
// entries in the database: the documents window's query (DocumentQuery, all five
// branches, MTO planning mode on) against a bare indexed lookup of the same
// entries by stock and item, measured in the same run over many rows. Targets:
// < 50 ms a listing, at most 3 times the bare lookup.
//
//   bench_reconcile [--entries N] [--rows N] [--pg URL] [--explain] [--keep-db FILE]
//
// SQLite runs in a temporary file. PostgreSQL runs when --pg or STOCKCHECK_BENCH_PG
// names a server; a schema of its own is made there and dropped afterwards.

#include "benchcount.h"
#include "benchutil.h"

#include "reconcile/documentquery.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace {

constexpr int ProcessId = 900002;
constexpr int FirstBill = 50000000;
constexpr int EntriesPerBill = 4;

// The demo's stock positions, numbered; the documents spread over them.
const char *const kPositionsSql = R"(CREATE TABLE bench_pos AS
SELECT ROW_NUMBER() OVER (ORDER BY FItemID, FStockID, FStockPlaceID, FBatchNo, FMtoNo, FAuxPropID, FKFDate,
 FKFPeriod) AS k, FItemID, FStockID, FStockPlaceID, FBatchNo, FMtoNo, FAuxPropID, COALESCE(FKFDate, '') AS FKFDate,
 FKFPeriod FROM ICInventory)";

// Headers: the families the window lists, audited, dated after the snapshot.
const char *const kBillsSql = R"(INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FROB, FStatus,
 FCheckerID, FBillerID, FCancellation, FUpStockWhenSave)
WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < CAST(? AS INTEGER) - 1)
SELECT ? + i, 'B' || CAST(? + i AS VARCHAR(12)),
 CASE i % 11 WHEN 0 THEN 1 WHEN 1 THEN 2 WHEN 2 THEN 5 WHEN 3 THEN 10 WHEN 4 THEN 21 WHEN 5 THEN 24 WHEN 6 THEN 28
  WHEN 7 THEN 29 WHEN 8 THEN 40 WHEN 9 THEN 41 ELSE 43 END, ?, 1, 1, 16394, 16394, 0, 0 FROM n)";

// Entries: each on a position picked by a stride, requisitions and transfers on
// their source side.
const char *const kEntriesSql = R"(INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FAuxPropID, FBatchNo,
 FMtoNo, FKFDate, FKFPeriod, FUnitID, FQty, FAuxQty, FSecQty, FDCStockID, FDCSPID, FSCStockID, FSCSPID)
WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < CAST(? AS INTEGER) - 1)
SELECT ? + n.i / %1, n.i % %1 + 1, p.FItemID, p.FAuxPropID, p.FBatchNo, p.FMtoNo, NULLIF(p.FKFDate, ''),
 p.FKFPeriod, 0, 1 + n.i % 7, 1 + n.i % 7, 0,
 CASE WHEN (n.i / %1) % 11 = 5 THEN 0 ELSE p.FStockID END, p.FStockPlaceID,
 CASE WHEN (n.i / %1) % 11 IN (5, 9) THEN p.FStockID ELSE 0 END, p.FStockPlaceID
FROM n JOIN bench_pos p ON p.k = (CAST(n.i AS BIGINT) * 7919) % (SELECT COUNT(*) FROM bench_pos) + 1)";

// The bare lookup: the same entries by the stock and item indexes, nothing joined.
const char *const kBareSql = R"(SELECT FInterID, FEntryID, FQty, FSecQty FROM ICStockBillEntry
 WHERE FDCStockID = ? AND FItemID = ? AND FBatchNo = ? AND FMtoNo = ? AND FDCSPID = ? AND FAuxPropID = ?
 AND FKFPeriod = ? AND FInterID > ?
UNION ALL SELECT FInterID, FEntryID, FQty, FSecQty FROM ICStockBillEntry
 WHERE FSCStockID = ? AND FItemID = ? AND FBatchNo = ? AND FMtoNo = ? AND FSCSPID = ? AND FAuxPropID = ?
 AND FKFPeriod = ? AND FInterID > ?)";

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

bool fill(AppConnection &c, int entries)
{
    if (!bench::prepareCount(c, ProcessId, 10))
        return false;
    const int bills = (entries + EntriesPerBill - 1) / EntriesPerBill;
    const QVariant date = Dialect::dateValue(QDate::currentDate().addDays(1));
    Transaction tx(c);
    const bool ok = bench::exec(c, QStringLiteral("DROP TABLE IF EXISTS bench_pos")) &&
                    bench::exec(c, QString::fromLatin1(kPositionsSql)) &&
                    bench::exec(c, QString::fromLatin1(kBillsSql), {bills, FirstBill, FirstBill, date}) &&
                    bench::exec(c, QString::fromLatin1(kEntriesSql).arg(EntriesPerBill), {entries, FirstBill});
    if (!ok)
        return false;
    tx.commit();
    c.Exec(QStringLiteral("ANALYZE"));
    return true;
}

// Rows to list: positions spread over the demo stock.
std::vector<SelectContext> pickRows(AppConnection &c, int count)
{
    Recordset rs = c.Execute(QStringLiteral("SELECT * FROM bench_pos WHERE k % 37 = 1 ORDER BY k"));
    std::vector<SelectContext> out;
    for (rs.MoveFirst(); !rs.Eof() && int(out.size()) < count; rs.MoveNext()) {
        SelectContext r;
        r.itemId = rs.integer(u"FItemID");
        r.stockId = rs.integer(u"FStockID");
        r.stockPlaceId = rs.integer(u"FStockPlaceID");
        r.batchNo = rs.text(u"FBatchNo");
        r.mtoNo = rs.text(u"FMtoNo");
        r.kfDate = rs.text(u"FKFDate").left(10);
        r.kfPeriod = rs.integer(u"FKFPeriod");
        r.auxPropId = rs.integer(u"FAuxPropID");
        out.push_back(r);
    }
    return out;
}

// A current-stock process that saw none of the documents, in MTO planning mode.
DocumentQuery::Options options(const SelectContext &row)
{
    DocumentQuery::Options o;
    o.processId = ProcessId;
    o.process.backupType = ProcessInfo::CurrentStock;
    o.row = row;
    o.mtoPlanMode = true;
    o.language = QStringLiteral("chs");
    return o;
}

QVariantList bareBinds(const SelectContext &r)
{
    QVariantList side{r.stockId, r.itemId, r.batchNo, r.mtoNo, r.stockPlaceId, r.auxPropId, r.kfPeriod, 0};
    return side + side;
}

bool runEngine(const QString &label, const QString &url, int entries, int rows, bool explain)
{
    AppConnection c;
    if (!bench::openHost(c, url))
        return false;
    QElapsedTimer filling;
    filling.start();
    if (!fill(c, entries))
        return false;
    const int made = bench::count(c, QStringLiteral("SELECT COUNT(*) AS n FROM ICStockBillEntry"));
    std::printf("%-10s %d document entries prepared in %lld ms\n", qPrintable(label), made,
                static_cast<long long>(filling.elapsed()));
    std::fflush(stdout);

    const std::vector<SelectContext> contexts = pickRows(c, rows);
    std::vector<double> listed, bare;
    long listedRows = 0, bareRows = 0;
    for (int round = 0; round < 2; ++round) // the first round warms the caches
        for (const SelectContext &row : contexts) {
            const DocumentQuery query(options(row));
            QElapsedTimer t;
            t.start();
            const Recordset b = c.Execute(QString::fromLatin1(kBareSql), bareBinds(row));
            const double bareMs = msSince(t);
            t.restart();
            const Recordset l = query.run(c);
            const double listMs = msSince(t);
            if (!l.isOpen() || !b.isOpen()) {
                std::fprintf(stderr, "%s\n", qPrintable(c.lastError().detailed()));
                return false;
            }
            if (round == 1) {
                listed.push_back(listMs);
                bare.push_back(bareMs);
                listedRows += l.RecordCount();
                bareRows += b.RecordCount();
            }
        }
    if (explain && !contexts.empty()) {
        const DocumentQuery query(options(contexts.front()));
        SqlFragment sql = query.statement(c.dialect());
        if (c.dialect().isPostgres()) {
            for (const QVariant &v : sql.binds) // a plan cannot be prepared with parameters
                sql.sql.replace(sql.sql.indexOf(QLatin1Char('?')), 1,
                                v.typeId() == QMetaType::QString ? QLatin1Char('\'') + v.toString() + QLatin1Char('\'')
                                                                 : v.toString());
            sql.sql = QStringLiteral("EXPLAIN ANALYZE ") + sql.sql;
            sql.binds.clear();
        } else {
            sql.sql = QStringLiteral("EXPLAIN QUERY PLAN ") + sql.sql;
        }
        Recordset plan = c.Execute(sql.sql, sql.binds);
        for (int r = 0; r < plan.RecordCount(); ++r)
            std::printf("      %s\n", qPrintable(plan.value(r, plan.fieldCount() - 1).toString()));
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : v[v.size() / 2];
    };
    const double worst = listed.empty() ? 0.0 : *std::max_element(listed.begin(), listed.end());
    const double m = median(listed), mb = median(bare);
    const double ratio = mb > 0 ? m / mb : 0.0;
    std::printf("%-10s %zu rows, %ld entries listed (bare %ld)  listing median %.2f ms, worst %.2f ms  bare lookup "
                "median %.2f ms  ratio %.2f  (targets < 50 ms: %s, ratio <= 3: %s)\n",
                qPrintable(label), contexts.size(), listedRows, bareRows, m, worst, mb, ratio,
                worst < 50 ? "ok" : "MISSED", ratio <= 3 ? "ok" : "MISSED");
    std::fflush(stdout);
    shared().reset();
    return listedRows == bareRows;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bench::Args args(app.arguments());
    const int entries = args.count("--entries", 1000000), rows = args.count("--rows", 50);
    const bool explain = args.flag("--explain");
    return bench::onBothEngines(QStringLiteral("bench_reconcile"), args, [&](const QString &label, const QString &url) {
        return runEngine(label, url, entries, rows, explain);
    });
}
