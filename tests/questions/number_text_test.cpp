// Format patterns worked from integers, shortest single-precision text, the
// sign position, and lenient reading of typed (or pasted) answers.
#include "questions/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <string>

namespace zorvel {
namespace {

struct FormatCase {
    long long value;
    int divisor;
    DecimalPattern pattern;
    const char* text;
};

TEST(FormatScaled, Patterns)
{
    const FormatCase cases[] = {
        {47, 10, DecimalPattern::OneFixed, "4.7"},
        {47, 100, DecimalPattern::UpToTwo, "0.47"},
        {3, 10, DecimalPattern::OneFixed, "0.3"},
        {3, 100, DecimalPattern::UpToTwo, "0.03"},
        {20, 10, DecimalPattern::OneFixed, "2.0"},
        {55, 10, DecimalPattern::UpToOne, "5.5"},
        {20, 10, DecimalPattern::UpToOne, "2"},
        {300, 100, DecimalPattern::UpToTwo, "3"},
        {350, 100, DecimalPattern::UpToTwo, "3.5"},
        {0, 100, DecimalPattern::UpToTwo, "0"},
        {0, 10, DecimalPattern::OneFixed, "0.0"},
        {46, 10, DecimalPattern::UpToTwo, "4.6"},
        {9999, 100, DecimalPattern::UpToTwo, "99.99"},
        {9999, 1, DecimalPattern::UpToTwo, "9999"},
        {-25, 10, DecimalPattern::UpToOne, "-2.5"},
        // Dropping a digit rounds half up on the decimal value.
        {25, 100, DecimalPattern::UpToOne, "0.3"},
        {24, 100, DecimalPattern::UpToOne, "0.2"},
        {95, 100, DecimalPattern::OneFixed, "1.0"},
        {-4, 100, DecimalPattern::UpToOne, "0"},
        // The largest values keep every digit (scaling them up once overflowed).
        {LLONG_MAX, 1, DecimalPattern::OneFixed, "9223372036854775807.0"},
        {LLONG_MIN, 10, DecimalPattern::UpToTwo, "-922337203685477580.8"},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(formatScaled(c.value, c.divisor, c.pattern), c.text) << c.value << " / " << c.divisor;
}

TEST(ShortestText, ReadsBackAsTheSameValue)
{
    EXPECT_EQ(shortestText(5.5f), "5.5");
    EXPECT_EQ(shortestText(0.55f), "0.55");
    EXPECT_EQ(shortestText(56.0f), "56");
    EXPECT_EQ(shortestText(0.07f), "0.07");
    EXPECT_EQ(shortestText(9801.0f), "9801");
    EXPECT_EQ(shortestText(99.99f), "99.99");
    EXPECT_EQ(shortestText(0.0f), "0");
    EXPECT_EQ(shortestText(-0.0f), "0");
}

TEST(WithSignPosition, LeadingBlankForNonNegative)
{
    EXPECT_EQ(withSignPosition(3), " 3");
    EXPECT_EQ(withSignPosition(10), " 10");
    EXPECT_EQ(withSignPosition(0), " 0");
    EXPECT_EQ(withSignPosition(-3), "-3");
    EXPECT_EQ(withSignPosition(5.5f), " 5.5");
    EXPECT_EQ(withSignPosition(56.0f), " 56");
    EXPECT_EQ(withSignPosition(0.55f), " 0.55");
    EXPECT_EQ(withSignPosition(0.0f), " 0");
    EXPECT_EQ(withSignPosition(-2.5f), "-2.5");
}

struct ReadCase {
    std::string text;
    float value;
};

TEST(ReadAnswer, TakesDigitsUpToTheFirstThatCannotContinue)
{
    const ReadCase cases[] = {
        {"12", 12}, {"012", 12}, {"12.", 12}, {"1..5", 1}, {"", 0}, {".", 0}, {"abc", 0},
        {" 1 2 ", 12}, {"5.50", 5.5f}, {"05.5", 5.5f}, {".5", 0.5f}, {"12a3", 12}, {"-5", 0},
        {"1.2.3", 1.2f}, {"3e5", 3}, {"0.000", 0}, {"\t7\n", 7},
    };
    for (const ReadCase& c : cases) {
        const std::optional<float> value = readAnswer(c.text);
        ASSERT_TRUE(value.has_value()) << '"' << c.text << '"';
        EXPECT_EQ(*value, c.value) << '"' << c.text << '"';
    }
}

TEST(ReadAnswer, NumbersBeyondSinglePrecisionDoNotFit)
{
    EXPECT_FALSE(readAnswer(std::string(41, '9')).has_value());
    EXPECT_FALSE(readAnswer(std::string(400, '9')).has_value());
    EXPECT_FALSE(readAnswer("1" + std::string(39, '0')).has_value());
    EXPECT_TRUE(readAnswer(std::string(38, '9')).has_value());
    EXPECT_EQ(readAnswer("0." + std::string(400, '0') + "1"), 0.0f);
    EXPECT_EQ(readAnswer(std::string(100000, '0') + "7"), 7.0f);
}

TEST(ReadAnswer, RoundsOnceToTheNearestSinglePrecisionValue)
{
    // Just above the midpoint between 1 and the next float; a double in
    // between would round down to the midpoint and then, by ties-to-even, to 1.
    const float aboveOne = std::nextafter(1.0f, 2.0f);
    EXPECT_EQ(readAnswer("1.0000000596046447753906250000001"), aboveOne);
    EXPECT_EQ(readAnswer("1.000000059604644775390625"), 1.0f);
    EXPECT_EQ(readAnswer("1.000000059604644775390625" + std::string(1000, '0') + "1"), aboveOne);
    EXPECT_FALSE(isRightAnswer("1.0000000596046447753906250000001", 1.0f));
}

TEST(IsRightAnswer, ComparesAtSinglePrecision)
{
    EXPECT_TRUE(isRightAnswer("5.5", 5.5f));
    EXPECT_FALSE(isRightAnswer("55", 5.5f));
    EXPECT_FALSE(isRightAnswer("1.2", 12.0f));
    EXPECT_TRUE(isRightAnswer("0.55", 0.55f));
    EXPECT_TRUE(isRightAnswer("4.6", 4.6f));
    EXPECT_TRUE(isRightAnswer("", 0.0f));
    EXPECT_FALSE(isRightAnswer(std::string(41, '9'), FLT_MAX));
    EXPECT_FALSE(isRightAnswer(std::string(1 << 20, '9'), 0.0f));
    EXPECT_FALSE(isRightAnswer(std::string(1 << 20, '1') + ".5", 5.5f));
}

} // namespace
} // namespace zorvel
