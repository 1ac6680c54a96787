// Handhelds posting entries to stockcheck-server: `devices` simulated devices, each
// logged in with its own session, send add entries to random rows of a process
// of `rows` rows for `seconds` seconds (every tenth one sent twice, as after a lost
// answer). Prints entries per second and latencies, the same adds made straight
// through the entry service in the same run as the baseline, and checks that the
// journal holds exactly the entries accepted: none lost, none doubled.
//
//   bench_server [--pg URL] [--rows 100000] [--devices 50] [--seconds 20] [--threads 16] [--rate N]
//
// --rate: entries per second offered by all devices together (0: each device sends
// as soon as it has its answer).

#include "benchcount.h"

#include "erp/gldata.h"
#include "erp/users.h"
#include "model/countentryservice.h"
#include "server/apiserver.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTemporaryDir>

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <random>
#include <thread>

namespace {

struct Target
{
    QString item, batch, mto, kfDate;
    int stock = 0, place = 0, kfPeriod = 0, aux = 0;
    CountRowKey key;
};

QList<Target> sampleRows(AppConnection &c, int process, int count)
{
    QList<Target> out;
    Recordset rs = c.Execute(QStringLiteral(R"(
SELECT i.FNumber, r.FItemID, r.FUnitID, r.FStockID, r.FStockPlaceID, r.FBatchNo, r.FMtoNo, r.FKFDate, r.FKFPeriod,
       r.FAuxPropID
  FROM ICInvBackup r JOIN t_ICItem i ON i.FItemID = r.FItemID
 WHERE r.FInterID = ? AND r.FAuxCheckQty >= 0 AND r.FCheckQty >= 0 ORDER BY r.FBatchNo DESC LIMIT ?)"),
                             {process, count});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        Target t{rs.text(u"FNumber"),      rs.text(u"FBatchNo"),      rs.text(u"FMtoNo"),
                 rs.text(u"FKFDate"),      rs.integer(u"FStockID"),   rs.integer(u"FStockPlaceID"),
                 rs.integer(u"FKFPeriod"), rs.integer(u"FAuxPropID"), {}};
        t.key = CountRowKey{process,  rs.integer(u"FItemID"),
                            t.aux,    rs.integer(u"FUnitID"),
                            t.batch,  t.mto,
                            t.kfDate, t.kfPeriod,
                            t.stock,  t.place};
        out << t;
    }
    return out;
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

double countedSum(AppConnection &c, int process)
{
    return c
        .Execute(QStringLiteral("SELECT COALESCE(SUM(FAuxCheckQty), 0) AS n FROM ICInvBackup WHERE FInterID = ?"),
                 {process})
        .number(u"n");
}

bool run(const QString &label, const QString &url, int rows, int devices, int seconds, int threads, double rate)
{
    constexpr int process = 1;
    AppConnection c;
    if (!bench::openHost(c, url) || !bench::prepareCount(c, process, rows))
        return false;
    const int user = bench::count(c, QStringLiteral("SELECT MIN(FUserID) AS n FROM t_user"));
    erp::grantRights(c, user, {GLData::Right::EnterCount});
    const QString userName =
        c.Execute(QStringLiteral("SELECT FName FROM t_user WHERE FUserID = ?"), {user}).text(u"FName");
    QString error;
    erp::setPassword(c, user, QStringLiteral("bench"), &error);
    const QList<Target> targets = sampleRows(c, process, 20000);
    std::printf("%s: %d rows, %lld rows sampled, %d devices, %d s, %d server threads, %s\n", qPrintable(label), rows,
                qint64(targets.size()), devices, seconds, threads,
                rate > 0 ? qPrintable(QStringLiteral("offered %1 entries/s").arg(rate)) : "as fast as they can");

    // the baseline: the same adds straight through the entry service, one connection
    const double before = countedSum(c, process);
    QElapsedTimer direct;
    direct.start();
    int directAdds = 0;
    std::mt19937 rng(7);
    while (direct.elapsed() < 3000) {
        const Target &t = targets.at(int(rng() % targets.size()));
        if (CountEntryService::add(c, t.key, 1, CountSource::commandLine, user).ok())
            ++directAdds;
    }
    const double directRate = directAdds * 1000.0 / double(direct.elapsed());

    ApiServer::Options options;
    options.dbUrl = url;
    options.port = 0;
    options.threads = threads;
    options.requestsPerSecond = 1000;
    options.burst = 1000;
    ApiServer server(options);
    if (!server.bind(&error))
        return false;
    server.start();

    std::atomic<int> accepted{0}, repeated{0}, refused{0}, failed{0};
    std::mutex latencyMutex;
    std::vector<double> latencies;
    QMap<int, int> failures; // status (0: no answer) -> how many
    QString failureSample;
    QElapsedTimer wall;
    wall.start();
    const qint64 end = qint64(seconds) * 1000;
    auto device = [&](int n) {
        httplib::Client client("127.0.0.1", server.port());
        client.set_read_timeout(30);
        const std::string login =
            QJsonDocument(QJsonObject{{"user", userName}, {"password", "bench"}}).toJson().toStdString();
        // a device whose connection is refused tries again, as the page does
        httplib::Result r = client.Post("/api/login", login, "application/json");
        for (int attempt = 0; !r && attempt < 20; ++attempt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            r = client.Post("/api/login", login, "application/json");
        }
        if (!r || r->status != 200) {
            ++failed;
            const std::lock_guard lock(latencyMutex);
            failureSample = QStringLiteral("login: ") + QString::fromStdString(r ? r->body : std::string());
            return;
        }
        const std::string token = QJsonDocument::fromJson(QByteArray::fromStdString(r->body))
                                      .object()
                                      .value("token")
                                      .toString()
                                      .toStdString();
        const httplib::Headers headers{{"Authorization", "Bearer " + token}};
        std::mt19937 random(uint32_t(n) * 7919u);
        std::vector<double> mine;
        // with a rate, each device sends on its own schedule (a person scanning), and
        // the latency is that of a server that keeps up, not of a queue
        const double gapMs = rate > 0 ? 1000.0 * devices / rate : 0;
        const qint64 startMs = wall.elapsed() + qint64(gapMs * n / std::max(1, devices));
        for (int i = 0; wall.elapsed() < end; ++i) {
            if (gapMs > 0) {
                const qint64 due = startMs + qint64(gapMs * i);
                if (due > wall.elapsed())
                    std::this_thread::sleep_for(std::chrono::milliseconds(due - wall.elapsed()));
                if (wall.elapsed() >= end)
                    break;
            }
            const Target &t = targets.at(int(random() % targets.size()));
            const QJsonObject e{{"process", process}, {"item", t.item},
                                {"stock", t.stock},   {"place", t.place},
                                {"batch", t.batch},   {"mto", t.mto},
                                {"kfDate", t.kfDate}, {"kfPeriod", t.kfPeriod},
                                {"aux", t.aux},       {"qty", 1},
                                {"mode", "add"},      {"clientEntryId", QStringLiteral("bench-%1-%2").arg(n).arg(i)}};
            const std::string body = QJsonDocument(e).toJson(QJsonDocument::Compact).toStdString();
            for (int send = 0; send < (i % 10 == 0 ? 2 : 1); ++send) {
                QElapsedTimer one;
                one.start();
                httplib::Result answer = client.Post("/api/entries", headers, body, "application/json");
                for (int attempt = 0; !answer && attempt < 20; ++attempt) { // the same entry again
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                    answer = client.Post("/api/entries", headers, body, "application/json");
                }
                mine.push_back(double(one.nsecsElapsed()) / 1e6);
                if (answer && answer->status == 422) {
                    ++refused; // the entry rules refused the row's figures: nothing changed
                } else if (!answer || answer->status != 200) {
                    ++failed;
                    const std::lock_guard lock(latencyMutex);
                    ++failures[answer ? answer->status : 0];
                    if (answer && failureSample.isEmpty())
                        failureSample = QString::fromStdString(answer->body);
                } else if (answer->body.find("\"repeated\":true") != std::string::npos)
                    ++repeated;
                else
                    ++accepted;
            }
        }
        const std::lock_guard lock(latencyMutex);
        latencies.insert(latencies.end(), mine.begin(), mine.end());
    };
    std::vector<std::thread> pool;
    for (int n = 0; n < devices; ++n)
        pool.emplace_back(device, n);
    for (std::thread &t : pool)
        t.join();
    const double elapsed = double(wall.elapsed()) / 1000.0;
    server.stop();

    const int journal = bench::count(
        c,
        QStringLiteral("SELECT COUNT(*) AS n FROM ICStockCheckJournal WHERE FInterID = ? AND FKind = ? AND FSource "
                       "LIKE 'device:%'"),
        {process, int(CountEntryKind::Add)});
    const double added = countedSum(c, process) - before - directAdds;
    const double done = double(accepted + repeated + refused) / elapsed;
    std::printf("  straight through the entry service: %.0f adds/s (baseline)\n", directRate);
    std::printf("  through the API: %.0f requests/s (%.2fx the baseline), %d entries, %d resent, %d refused by the "
                "entry rules, %d failed\n",
                done, done / directRate, accepted.load(), repeated.load(), refused.load(), failed.load());
    for (auto it = failures.cbegin(); it != failures.cend(); ++it)
        std::printf("  failed with status %d: %d\n", it.key(), it.value());
    if (!failureSample.isEmpty())
        std::printf("  for example: %s\n", qPrintable(failureSample));
    std::printf("  latency: p50 %.1f ms, p99 %.1f ms, max %.1f ms\n", percentile(latencies, 0.5),
                percentile(latencies, 0.99), percentile(latencies, 1.0));
    const bool exact = journal == accepted && qRound(added) == accepted && failed == 0;
    std::printf("  journal: %d device entries, counted +%.0f: %s\n", journal, added,
                exact ? "every accepted entry once" : "MISMATCH");
    return exact;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int rows = bench::option(args, QStringLiteral("--rows"), QStringLiteral("100000")).toInt();
    const int devices = bench::option(args, QStringLiteral("--devices"), QStringLiteral("50")).toInt();
    const int seconds = bench::option(args, QStringLiteral("--seconds"), QStringLiteral("20")).toInt();
    const int threads = bench::option(args, QStringLiteral("--threads"), QStringLiteral("16")).toInt();
    const double rate = bench::option(args, QStringLiteral("--rate"), QStringLiteral("0")).toDouble();
    const QString pg = bench::option(args, QStringLiteral("--pg"), qEnvironmentVariable("STOCKCHECK_BENCH_PG"));
    QTemporaryDir dir;
    return bench::onBothEngines(QStringLiteral("bench_server"), dir.filePath(QStringLiteral("server.db")), pg,
                                [&](const QString &label, const QString &url) {
                                    return run(label, url, rows, devices, seconds, threads, rate);
                                });
}
