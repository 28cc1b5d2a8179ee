// Integer draws over any uniform source, and the xoshiro256** generator that
// drill windows and tools use, seeded through splitmix64.
#include "questions/random_source.h"

#include <atomic>
#include <chrono>

namespace zorvel {

int RandomSource::draw(int n, int m) { return scaledDraw(next(), n, m); }

namespace {

std::uint64_t splitMix64(std::uint64_t& x)
{
    std::uint64_t z = (x += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::uint64_t clockSeed()
{
    static std::atomic<std::uint64_t> calls{0};
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    // Two windows seeded in the same tick still get different streams.
    return static_cast<std::uint64_t>(now) ^ (++calls * 0xd1342543de82ef95ULL);
}

} // namespace

SeededRandom::SeededRandom() { reseedFromClock(); }

SeededRandom::SeededRandom(std::uint64_t seedValue) { seed(seedValue); }

void SeededRandom::seed(std::uint64_t seedValue)
{
    std::uint64_t x = seedValue;
    for (std::uint64_t& word : state_)
        word = splitMix64(x);
}

void SeededRandom::reseedFromClock() { seed(clockSeed()); }

} // namespace zorvel
