#include "ratelimiter.h"

#include <algorithm>

bool RateLimiter::allow(const QString &key, qint64 nowMs)
{
    const std::lock_guard lock(m_mutex);
    if (m_buckets.size() > 10000) {
        // forget buckets that have filled up again: they hold nothing a fresh one lacks
        const qint64 full = qint64(m_burst / m_perSecond * 1000) + 1;
        m_buckets.removeIf([&](const auto &it) { return nowMs - it.value().lastMs > full; });
    }
    auto it = m_buckets.find(key);
    if (it == m_buckets.end())
        it = m_buckets.insert(key, Bucket{m_burst, nowMs});
    Bucket &b = it.value();
    b.tokens = std::min(m_burst, b.tokens + double(nowMs - b.lastMs) * m_perSecond / 1000.0);
    b.lastMs = nowMs;
    if (b.tokens < 1.0)
        return false;
    b.tokens -= 1.0;
    return true;
}
