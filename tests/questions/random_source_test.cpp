// Integer draws stay inside their range even for the largest r below 1, and
// the seeded generator repeats itself for a seed and is uniform enough.
#include "scripted_random.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace zorvel {
namespace {

TEST(Draw, LargestRBelowOneStaysInRange)
{
    const double largest = std::nextafter(1.0, 0.0);
    for (int n : {1, 7, 8, 9, 50, 70, 89, 500, 800, 899, 900, 5000, 8000, 9000, 1 << 30}) {
        ScriptedRandom rng({largest, 0.0});
        EXPECT_EQ(rng.draw(n, 11), n + 10) << n;
        EXPECT_EQ(rng.draw(n, 11), 11) << n;
    }
}

TEST(SeededRandom, SameSeedSameStream)
{
    SeededRandom a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const double r = a.next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        ASSERT_EQ(r, b.next());
        differs = differs || r != c.next();
    }
    EXPECT_TRUE(differs);
    a.seed(42);
    b.seed(42);
    EXPECT_EQ(a.next(), b.next());
}

TEST(SeededRandom, DrawsAreUniform)
{
    SeededRandom rng(1);
    std::array<int, 8> counts{};
    const int total = 80000;
    for (int i = 0; i < total; ++i)
        ++counts[rng.draw(8, 2) - 2];
    double chiSquare = 0;
    for (int count : counts)
        chiSquare += std::pow(count - total / 8.0, 2) / (total / 8.0);
    // 7 degrees of freedom: 24.3 is the 0.1% critical value.
    EXPECT_LT(chiSquare, 24.3);
}

} // namespace
} // namespace zorvel
