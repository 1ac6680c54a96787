#pragma once

#include <QHash>
#include <QString>

#include <mutex>

// Requests per session: a bucket of `burst` requests refilled at `perSecond`. A
// handheld scanning fast sends a few requests a second; a script sending more is
// answered 429 before it reaches the database. Kept per server instance: behind a
// proxy that spreads requests, a session gets this much from each instance.
class RateLimiter
{
public:
    RateLimiter(double perSecond, double burst)
        : m_perSecond(perSecond)
        , m_burst(burst)
    {}
    // True when the request of `key` at `nowMs` may go on.
    bool allow(const QString &key, qint64 nowMs);

private:
    struct Bucket
    {
        double tokens = 0;
        qint64 lastMs = 0;
    };
    double m_perSecond, m_burst;
    std::mutex m_mutex;
    QHash<QString, Bucket> m_buckets;
};
