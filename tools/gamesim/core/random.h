#pragma once
// A small seeded generator (SplitMix64). The same seed gives the same sequence
// on every platform and standard library, which keeps the lively mode and the
// fault injection reproducible.

#include <cstdint>

namespace gamesim {

class Random {
public:
    explicit Random(std::uint64_t seed = 1) : m_state(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A whole number from 0 to n - 1 (0 when n is 0 or less).
    int below(int n) {
        return n <= 0 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(n));
    }

    // A fraction in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }

    // True with the given share (0 never, 1 always).
    bool chance(double share) { return share > 0 && (share >= 1 || unit() < share); }

private:
    std::uint64_t m_state;
};

} // namespace gamesim
