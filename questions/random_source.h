// The random source of a drill window: uniform draws r with 0 <= r < 1, and
// the integer draws Int(r * n) + m that every generator is written in.
#pragma once

#include <cstdint>

namespace zorvel {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform real in [0, 1); never 1.
    virtual double next() = 0;
    // A fresh seed from the clock (window load and "再测一次").
    virtual void reseedFromClock() = 0;
    // Int(r * n) + m: each integer from m to m + n - 1 equally likely.
    int draw(int n, int m);
};

// The production source: a fast 64-bit generator, seedable for tests and tools.
class SeededRandom final : public RandomSource {
public:
    SeededRandom();                     // seeded from the clock
    explicit SeededRandom(std::uint64_t seed);
    void seed(std::uint64_t seed);
    double next() override;
    void reseedFromClock() override;

private:
    std::uint64_t state_[4];
};

} // namespace zorvel
