// Walks every level's table over all operand values: whatever a loop has
// fixed, the next loop can still accept something (a level that cannot would
// hang the window), and every accepted question keeps the promises of its
// operation: digit counts, carries and borrows, non-negative results.
#include "questions/level_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>

namespace zorvel {
namespace {

struct LevelCase {
    std::string name;
    Operation op;
    Level level;
};

void PrintTo(const LevelCase& c, std::ostream* os) { *os << c.name; }

std::vector<LevelCase> allShownLevels()
{
    std::vector<LevelCase> cases;
    for (Operation op : kAllOperations)
        for (Level level : offeredLevels(op))
            cases.push_back(
                {std::string(operationInfo(op).key) + "_" + std::string(levelOptionName(op, level)), op, level});
    return cases;
}

bool anyAcceptedSecond(const PairRule& rule, int first)
{
    for (int b = rule.second.lowest; b <= rule.second.highest(); ++b)
        if (!rule.rejected(first, b))
            return true;
    return false;
}

bool anyAcceptedThird(const ThirdRule& rule, int a, int b)
{
    for (int c = rule.draw.lowest; c <= rule.draw.highest(); ++c)
        if (!rule.rejected(a, b, c))
            return true;
    return false;
}

// Calls visit(a, b) for every pair the rule can return.
void forEachAcceptedPair(const PairRule& rule, const std::function<void(int, int)>& visit)
{
    for (int a = rule.first.lowest; a <= rule.first.highest(); ++a) {
        if (rule.redraw == Redraw::SecondOnly && rule.firstRejected(a))
            continue;
        for (int b = rule.second.lowest; b <= rule.second.highest(); ++b)
            if (!rule.rejected(a, b))
                visit(a, b);
    }
}

class EveryLevel : public testing::TestWithParam<LevelCase> {};

TEST_P(EveryLevel, EveryLoopCanEnd)
{
    const LevelCase& c = GetParam();
    const PairRule& rule = pairRule(c.op, c.level);
    if (rule.redraw == Redraw::SecondOnly) {
        bool anyFirst = false;
        for (int a = rule.first.lowest; a <= rule.first.highest(); ++a) {
            if (rule.firstRejected(a))
                continue;
            anyFirst = true;
            EXPECT_TRUE(anyAcceptedSecond(rule, a)) << "no second operand fits the first operand " << a;
        }
        EXPECT_TRUE(anyFirst);
    } else {
        bool anyPair = false;
        forEachAcceptedPair(rule, [&](int, int) { anyPair = true; });
        EXPECT_TRUE(anyPair);
    }
    if (c.op == Operation::Mixed) {
        const ThirdRule& third = mixedThirdRule(c.level);
        forEachAcceptedPair(rule, [&](int a, int b) {
            EXPECT_TRUE(anyAcceptedThird(third, a, b)) << "no third term fits " << a << " + " << b;
        });
    }
}

int digitCount(int x) { return static_cast<int>(std::to_string(x).size()); }

bool isOneOf(Level level, std::initializer_list<Level> levels)
{
    return std::find(levels.begin(), levels.end(), level) != levels.end();
}

TEST_P(EveryLevel, AcceptedOperandsKeepTheirShape)
{
    const LevelCase& c = GetParam();
    const PairRule& rule = pairRule(c.op, c.level);
    forEachAcceptedPair(rule, [&](int a, int b) {
        SCOPED_TRACE(std::to_string(a) + ", " + std::to_string(b));
        switch (c.op) {
        case Operation::Add:
        case Operation::Mixed:
            ASSERT_NE(unitsDigit(a), 0);
            ASSERT_NE(unitsDigit(b), 0);
            if (c.level != Level::Within20) {
                ASSERT_GE(unitsDigit(a) + unitsDigit(b), 10);
                ASSERT_EQ(digitCount(a + b), digitCount(a));
            } else {
                ASSERT_GE(a + b, 10);
            }
            if (c.level == Level::FourDigitsByFour) {
                ASSERT_GE(hundredsDigit(a) + hundredsDigit(b), 10);
            } else if (isOneOf(c.level, {Level::ThreeDigitsByTwo, Level::ThreeDigitsByThree, Level::FourDigitsByTwo,
                                         Level::FourDigitsByThree})) {
                ASSERT_GE(tensDigit(a) + tensDigit(b), 10);
            }
            break;
        case Operation::Sub:
            ASSERT_NE(unitsDigit(a), 0);
            ASSERT_NE(unitsDigit(b), 0);
            ASSERT_GE(a - b, 0);
            if (isOneOf(c.level, {Level::Within20, Level::TwoDigitsByOne})) {
                ASSERT_LE(unitsDigit(a), unitsDigit(b));
            } else {
                ASSERT_LT(unitsDigit(a), unitsDigit(b));
            }
            if (c.level == Level::ThreeDigitsByTwo) {
                ASSERT_LE(tensDigit(a), tensDigit(b));
            } else if (isOneOf(c.level, {Level::ThreeDigitsByThree, Level::FourDigitsByTwo, Level::FourDigitsByThree,
                                         Level::FourDigitsByFour})) {
                ASSERT_LT(tensDigit(a), tensDigit(b));
            }
            break;
        case Operation::Mul:
            ASSERT_GE(a, 2);
            ASSERT_GE(b, 2);
            if (a >= 10) {
                ASSERT_NE(unitsDigit(a), 0);
            }
            if (b >= 10) {
                ASSERT_NE(unitsDigit(b), 0);
            }
            break;
        case Operation::Div:
            ASSERT_LE(a * b, 9801);
            break;
        }
    });
}

INSTANTIATE_TEST_SUITE_P(All, EveryLevel, testing::ValuesIn(allShownLevels()),
                         [](const testing::TestParamInfo<LevelCase>& info) { return info.param.name; });

TEST(SubtractionLevels, MinimumDifferences)
{
    const std::vector<std::pair<Level, int>> minimums = {
        {Level::TwoDigitsByTwo, 11},    {Level::ThreeDigitsByTwo, 101},  {Level::ThreeDigitsByThree, 101},
        {Level::FourDigitsByTwo, 1001}, {Level::FourDigitsByThree, 1001}, {Level::FourDigitsByFour, 1001}};
    for (const auto& [level, minimum] : minimums) {
        int smallest = 1 << 30;
        forEachAcceptedPair(subtractionRule(level), [&](int a, int b) { smallest = std::min(smallest, a - b); });
        EXPECT_GE(smallest, minimum) << levelCaption(Operation::Sub, level);
    }
}

TEST(SubtractionLevels, MinuendsEndingInNineAreRedrawnWhereBMustBorrow)
{
    for (Level level : {Level::TwoDigitsByTwo, Level::ThreeDigitsByOne}) {
        EXPECT_TRUE(subtractionRule(level).firstRejected(49));
        EXPECT_TRUE(subtractionRule(level).firstRejected(50));
        EXPECT_FALSE(subtractionRule(level).firstRejected(48));
    }
    // "2位 - 1位" lets B equal the units digit, so 49 - 9 stays possible.
    EXPECT_FALSE(subtractionRule(Level::TwoDigitsByOne).firstRejected(49));
}

TEST(MixedLevels, ResultsAreNeverNegativeAndZeroIsReachable)
{
    for (Level level : offeredLevels(Operation::Mixed)) {
        const ThirdRule& third = mixedThirdRule(level);
        int smallest = 1 << 30;
        forEachAcceptedPair(mixedPairRule(level), [&](int a, int b) {
            for (int c = third.draw.lowest; c <= third.draw.highest(); ++c)
                if (!third.rejected(a, b, c))
                    smallest = std::min(smallest, a + b - c);
        });
        EXPECT_GE(smallest, 0) << levelCaption(Operation::Mixed, level);
        const int expectedSmallest = level == Level::Within20 ? 2
                                     : isOneOf(level, {Level::TwoDigitsByTwo, Level::ThreeDigitsByThree}) ? 0
                                                                                                         : smallest;
        EXPECT_EQ(smallest, expectedSmallest) << levelCaption(Operation::Mixed, level);
    }
}

std::vector<int> acceptedThirds(Level level, int a, int b)
{
    const ThirdRule& rule = mixedThirdRule(level);
    std::vector<int> accepted;
    for (int c = rule.draw.lowest; c <= rule.draw.highest(); ++c)
        if (!rule.rejected(a, b, c))
            accepted.push_back(c);
    return accepted;
}

TEST(MixedLevels, ThirdTermsAllowedAfterGivenFirstTerms)
{
    using V = std::vector<int>;
    EXPECT_EQ(acceptedThirds(Level::Within20, 7, 5), (V{2, 3, 4, 6, 8, 9}));
    EXPECT_EQ(acceptedThirds(Level::Within20, 3, 7), (V{2, 4, 5, 6, 8}));
    EXPECT_EQ(acceptedThirds(Level::TwoDigitsByOne, 47, 8), (V{5, 6, 7, 9}));
    const V afterSum62 = acceptedThirds(Level::TwoDigitsByTwo, 23, 39);
    EXPECT_EQ(std::count(afterSum62.begin(), afterSum62.end(), 41), 0);
    EXPECT_EQ(std::count(afterSum62.begin(), afterSum62.end(), 42), 1);
    EXPECT_EQ(std::count(afterSum62.begin(), afterSum62.end(), 47), 1);
    const V afterSum40 = acceptedThirds(Level::TwoDigitsByTwo, 13, 27);
    EXPECT_EQ(std::count(afterSum40.begin(), afterSum40.end(), 30), 1);
    const V afterSum430 = acceptedThirds(Level::ThreeDigitsByThree, 151, 279);
    EXPECT_EQ(afterSum430.front(), 101);
    EXPECT_EQ(afterSum430.back(), 430);
    EXPECT_EQ(afterSum430.size(), 330u - 2u);
}

} // namespace
} // namespace zorvel
