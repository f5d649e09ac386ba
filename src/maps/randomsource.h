#pragma once
// The random numbers of the map picks, handed in so that tests can fix them.

#include <memory>
#include <random>

namespace corvane {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Uniform in [0, 1).
    virtual double next() = 0;
};

// A generator seeded from the clock and the system's entropy source.
class ClockSeededRandom : public RandomSource {
public:
    ClockSeededRandom();
    explicit ClockSeededRandom(std::uint64_t seed) : m_engine(seed) {}
    double next() override;

private:
    std::mt19937_64 m_engine;
};

} // namespace corvane
