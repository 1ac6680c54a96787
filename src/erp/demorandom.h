#pragma once

#include <QtGlobal>

#include <cstdint>
#include <iterator>

namespace erp {

// The demo data's own random numbers (splitmix64): the same seed gives the same
// sequence on every platform and Qt version, which QRandomGenerator does not promise.
class DemoRandom
{
public:
    explicit DemoRandom(quint64 seed)
        : m_state(seed)
    {}

    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 <= result < n (n > 0)
    int below(int n) { return n <= 1 ? 0 : int(next() % quint64(n)); }
    // lo <= result <= hi
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    // 0 <= result < 1
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    bool chance(double p) { return unit() < p; }
    template<typename List>
    const auto &pick(const List &list)
    {
        return *(std::begin(list) + below(int(std::size(list))));
    }

private:
    quint64 m_state;
};

} // namespace erp
