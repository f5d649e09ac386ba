#include "maps/randomsource.h"

#include <chrono>
#include <cmath>

namespace corvane {

ClockSeededRandom::ClockSeededRandom()
    : m_engine(
          static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
          std::random_device{}()) {}

double ClockSeededRandom::next() {
    const double r = std::uniform_real_distribution<double>(0.0, 1.0)(m_engine);
    // Some library versions can round up to the upper bound itself.
    return r < 1.0 ? r : std::nextafter(1.0, 0.0);
}

} // namespace corvane
