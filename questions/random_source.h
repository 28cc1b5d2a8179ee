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

// Int(r * n) + m for one r in [0, 1); never m + n, even where r * n rounds
// up to n for the largest r below 1.
inline int scaledDraw(double r, int n, int m)
{
    int k = static_cast<int>(r * n);
    if (k >= n)
        k = n - 1;
    if (k < 0)
        k = 0;
    return k + m;
}

// The production source: xoshiro256**, seedable for tests and tools. next() is
// inline so that the generators' loops can run it without a virtual call.
class SeededRandom final : public RandomSource {
public:
    SeededRandom();                     // seeded from the clock
    explicit SeededRandom(std::uint64_t seed);
    void seed(std::uint64_t seed);
    double next() override
    {
        const std::uint64_t result = rotateLeft(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = rotateLeft(state_[3], 45);
        return static_cast<double>(result >> 11) * 0x1.0p-53;
    }
    void reseedFromClock() override;

private:
    static std::uint64_t rotateLeft(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t state_[4];
};

} // namespace zorvel
