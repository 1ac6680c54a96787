#pragma once

// Small measuring helpers shared by the benchmark programs.

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>
#include <ctime>

namespace bench {

// The value after `name` on the command line, or `fallback`.
inline QString option(const QStringList &args, const QString &name, const QString &fallback)
{
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : fallback;
}

// The command line of a benchmark: "--name value" options and flags.
class Args
{
public:
    explicit Args(QStringList list)
        : m_list(std::move(list))
    {}
    QString text(const char *name, const QString &fallback = {}) const
    {
        return option(m_list, QLatin1String(name), fallback);
    }
    // At least 1: a size or a repeat count.
    int count(const char *name, int fallback) const
    {
        bool ok = false;
        const int n = text(name).toInt(&ok);
        return ok ? std::max(1, n) : fallback;
    }
    bool flag(const char *name) const { return m_list.contains(QLatin1String(name)); }
    // The PostgreSQL server to measure on: --pg URL, else STOCKCHECK_BENCH_PG; empty for none.
    QString pg() const { return text("--pg", QString::fromLocal8Bit(qgetenv("STOCKCHECK_BENCH_PG"))); }

private:
    QStringList m_list;
};

// A schema of its own on the server for the run.
inline QString withSchema(const QString &url, const QString &schema)
{
    QUrl u(url);
    QUrlQuery q(u);
    q.removeAllQueryItems(QStringLiteral("schema"));
    q.addQueryItem(QStringLiteral("schema"), schema);
    u.setQuery(q);
    return u.toString();
}

// A value of /proc/self/status in MB ("VmHWM:" is the peak resident size).
inline double statusMb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray &line : lines)
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

inline double peakMemoryMb()
{
    return statusMb("VmHWM:");
}

// CPU time of this process in ms (the machine may be busy with other work; a
// server's share of the work is not in it).
inline qint64 cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

} // namespace bench
