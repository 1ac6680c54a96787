// Find, filter and sort on 100,000 loaded rows of a count sheet, each against a
// plain loop (or std::sort) over the same column in the same run. The rows are the
// columns a find, a filter or a sort reads: item number and name, stock name and
// the book quantity. Times are CPU time, the best of several runs.
//
//   bench_findsort [--rows N] [--repeat N]

#include "benchutil.h"

#include "host/recordset.h"
#include "host/recordsetfilter.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

const char *const kNames[] = {"螺丝", "螺母", "垫片", "弹簧", "销", "轴承", "螺丝钉", "垫圈"};

Recordset makeRows(int count)
{
    QList<QVariantList> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int n = int((quint64(i) * 2654435761u) % 1000003u); // the numbers in no order
        rows << QVariantList{QStringLiteral("A%1").arg(n, 7, 10, QLatin1Char('0')),
                             QString::fromUtf8(kNames[n % 8]) + QString::number(n % 97),
                             QStringLiteral("仓库%1").arg(n % 5), double(n % 1000) / 4.0};
    }
    return Recordset::fromRows(
        {QStringLiteral("FNumber"), QStringLiteral("FName"), QStringLiteral("FStockName"), QStringLiteral("FQty")},
        rows);
}

double cpuNowMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The best of `repeat` runs in ms of CPU time: the machine may be busy with other work.
double best(int repeat, const std::function<void()> &work)
{
    double ms = 1e18;
    for (int i = 0; i < repeat; ++i) {
        const double start = cpuNowMs();
        work();
        ms = std::min(ms, cpuNowMs() - start);
    }
    return ms;
}

bool report(const char *what, double ms, double baseMs, int found, int baseFound)
{
    const double ratio = ms / std::max(baseMs, 0.001);
    const bool ok = ms < 200 && ratio <= 5 && found == baseFound;
    std::printf("%-28s %8.1f ms   baseline %8.1f ms   ratio %5.2f   rows %d/%d   %s\n", what, ms, baseMs, ratio, found,
                baseFound, ok ? "ok" : "FAIL");
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bench::Args args(app.arguments());
    const int count = args.count("--rows", 100000), repeat = args.count("--repeat", 5);
    Recordset rows = makeRows(count);
    const int number = rows.fieldIndex(u"FNumber"), name = rows.fieldIndex(u"FName");
    std::printf("%d loaded rows, best of %d\n", rows.RecordCount(), repeat);
    bool ok = true;

    // Find: the next rows whose item number holds "12", as the find window visits them.
    int found = 0, baseFound = 0;
    const double findMs = best(repeat, [&] {
        const RecordsetFilter::Predicate p =
            RecordsetFilter::parse(rows, QStringLiteral("FNumber Like '%12%'"), nullptr);
        found = 0;
        for (int r = 0; r < rows.RecordCount(); ++r)
            found += p(rows, r) ? 1 : 0;
    });
    const double findBase = best(repeat, [&] {
        baseFound = 0;
        for (int r = 0; r < rows.RecordCount(); ++r)
            baseFound += rows.value(r, number).toString().contains(QLatin1String("12"), Qt::CaseInsensitive) ? 1 : 0;
    });
    ok &= report("find (item number)", findMs, findBase, found, baseFound);

    // Filter: the loaded rows narrowed to names holding 螺丝.
    const QString screw = QStringLiteral("螺丝");
    const double filterMs = best(repeat, [&] {
        rows.setFilter(QStringLiteral("FName Like '%螺丝%'"));
        found = rows.RecordCount();
        rows.setFilter(QString());
    });
    const double filterBase = best(repeat, [&] {
        std::vector<int> kept;
        for (int r = 0; r < rows.RecordCount(); ++r)
            if (rows.value(r, name).toString().contains(screw, Qt::CaseInsensitive))
                kept.push_back(r);
        baseFound = int(kept.size());
    });
    ok &= report("filter (item name)", filterMs, filterBase, found, baseFound);

    // Sort: by item number, as a heading click orders them.
    QString firstSorted, firstBase;
    const double sortMs = best(repeat, [&] {
        rows.setSort(QStringLiteral("FNumber DESC"));
        firstSorted = rows.value(0, number).toString();
        found = rows.RecordCount();
        rows.setSort(QString());
    });
    const double sortBase = best(repeat, [&] {
        std::vector<std::pair<QString, int>> keys;
        keys.reserve(size_t(rows.RecordCount()));
        for (int r = 0; r < rows.RecordCount(); ++r)
            keys.emplace_back(rows.value(r, number).toString(), r);
        std::sort(keys.begin(), keys.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
        firstBase = keys.front().first;
        baseFound = int(keys.size());
    });
    ok &= report("sort (item number)", sortMs, sortBase, firstSorted == firstBase ? found : -1, baseFound);
    return ok ? 0 : 1;
}
