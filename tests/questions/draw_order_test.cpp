// Scripted draws through every kind of redraw loop: each case lists the
// values drawn in order (rejected passes included) and the question that
// must come out when exactly that script has been used up.
#include "scripted_random.h"

#include "questions/generators.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorvel {
namespace {

struct Step {
    int value;
    IntDraw draw;
};

struct DrawCase {
    std::string name;
    Operation op;
    Level level;
    std::vector<Step> steps;
    std::vector<std::string> operands;
    float answer;
};

void PrintTo(const DrawCase& c, std::ostream* os) { *os << c.name; }

constexpr IntDraw one = kOneDigitDraw, two = kTwoDigitDraw, three = kThreeDigitDraw;

const std::vector<DrawCase> kCases = {
    // Addition.
    {"add20KeepsFirst", Operation::Add, Level::Within20,
     {{3, d7_3}, {3, d8_2}, {4, d8_2}, {7, d8_2}}, {"3", "7"}, 10},
    {"add20EqualAddends", Operation::Add, Level::Within20, {{5, d7_3}, {5, d8_2}, {6, d8_2}}, {"5", "6"}, 11},
    {"add2p1RedrawsBoth", Operation::Add, Level::TwoDigitsByOne,
     {{40, d70_31}, {7, d8_2}, {42, d70_31}, {5, d8_2}, {95, d70_31}, {8, d8_2}, {47, d70_31}, {8, d8_2}},
     {"47", "8"}, 55},
    {"add2p2KeepsFirst", Operation::Add, Level::TwoDigitsByTwo,
     {{40, d50_11}, {23, d50_11}, {30, d50_21}, {36, d50_21}, {77, d50_21}, {38, d50_21}}, {"23", "38"}, 61},
    {"add3p2TensDigitsAlone", Operation::Add, Level::ThreeDigitsByTwo,
     {{157, d900_101}, {28, d80_21}, {157, d900_101}, {68, d80_21}}, {"157", "68"}, 225},
    {"add3p3SumLimit", Operation::Add, Level::ThreeDigitsByThree,
     {{589, d500_101}, {421, d800_201}, {151, d500_101}, {279, d800_201}}, {"151", "279"}, 430},
    {"add4p4HundredsDigits", Operation::Add, Level::FourDigitsByFour,
     {{1253, d5000_1001}, {2468, d8000_2001}, {1213, d5000_1001}, {2908, d8000_2001}}, {"1213", "2908"}, 4121},
    // Subtraction.
    {"sub20", Operation::Sub, Level::Within20, {{19, d9_11}, {2, d8_2}, {9, d8_2}}, {"19", "9"}, 10},
    {"sub2m1EqualUnits", Operation::Sub, Level::TwoDigitsByOne, {{40, d70_31}, {43, d70_31}, {3, d8_2}}, {"43", "3"}, 40},
    {"sub2m1KeepsFirst", Operation::Sub, Level::TwoDigitsByOne, {{48, d70_31}, {3, d8_2}, {8, d8_2}}, {"48", "8"}, 40},
    {"sub2m2RedrawsNineAlone", Operation::Sub, Level::TwoDigitsByTwo,
     {{49, d50_41}, {90, d50_41}, {52, d50_41}, {47, d60_21}, {22, d60_21}, {27, d60_21}}, {"52", "27"}, 25},
    {"sub3m1RedrawsNineAlone", Operation::Sub, Level::ThreeDigitsByOne,
     {{149, d900_101}, {143, d900_101}, {3, d8_2}, {4, d8_2}}, {"143", "4"}, 139},
    {"sub3m2RedrawsBoth", Operation::Sub, Level::ThreeDigitsByTwo,
     {{562, d900_101}, {47, d80_21}, {142, d900_101}, {47, d80_21}, {542, d900_101}, {47, d80_21}},
     {"542", "47"}, 495},
    {"sub3m3TensMustBorrow", Operation::Sub, Level::ThreeDigitsByThree,
     {{642, d700_301}, {247, d500_201}, {632, d700_301}, {247, d500_201}}, {"632", "247"}, 385},
    {"sub4m4MinimumDifference", Operation::Sub, Level::FourDigitsByFour,
     {{3632, d5000_1001}, {2947, d8000_2001}, {5632, d5000_1001}, {2147, d8000_2001}}, {"5632", "2147"}, 3485},
    // Mixed.
    {"mixed20EqualTerms", Operation::Mixed, Level::Within20,
     {{5, d7_3}, {5, d8_2}, {5, d8_2}, {9, d8_2}, {7, d8_2}}, {"5", "5", "7"}, 3},
    {"mixed2p1Third", Operation::Mixed, Level::TwoDigitsByOne,
     {{47, d70_31}, {8, d8_2}, {3, d8_2}, {8, d8_2}, {9, d8_2}}, {"47", "8", "9"}, 46},
    {"mixed2p2Third", Operation::Mixed, Level::TwoDigitsByTwo,
     {{23, d50_11}, {39, d50_21}, {41, d50_11}, {39, d50_11}, {42, d50_11}}, {"23", "39", "42"}, 20},
    {"mixed3p3ThirdUpToSum", Operation::Mixed, Level::ThreeDigitsByThree,
     {{151, d500_101}, {279, d800_201}, {151, d500_101}, {279, d500_101}, {431, d500_101}, {430, d500_101}},
     {"151", "279", "430"}, 0},
    // Multiplication.
    {"mul1x1KeepsFirst", Operation::Mul, Level::OneDigitByOne, {{3, d7_3}, {3, one}, {3, one}, {9, one}}, {"3", "9"}, 27},
    {"mul1x1NineTimesTwo", Operation::Mul, Level::OneDigitByOne, {{9, d7_3}, {2, one}}, {"9", "2"}, 18},
    {"mul1x2RedrawsBoth", Operation::Mul, Level::OneDigitByTwo, {{5, one}, {20, two}, {6, one}, {21, two}}, {"6", "21"}, 126},
    {"mul2x1FirstAlone", Operation::Mul, Level::TwoDigitsByOne, {{30, two}, {31, two}, {2, one}}, {"31", "2"}, 62},
    {"mul2x2EitherEndsInZero", Operation::Mul, Level::TwoDigitsByTwo,
     {{11, two}, {20, two}, {20, two}, {11, two}, {12, two}, {13, two}}, {"12", "13"}, 156},
    {"mul1x3", Operation::Mul, Level::OneDigitByThree, {{5, one}, {110, three}, {5, one}, {111, three}}, {"5", "111"}, 555},
    {"mul3x1", Operation::Mul, Level::ThreeDigitsByOne, {{110, three}, {5, one}, {101, three}, {2, one}}, {"101", "2"}, 202},
    // Division: quotient, then divisor, never redrawn.
    {"div1eq1", Operation::Div, Level::OneDigitByOne, {{7, one}, {8, one}}, {"56", "8"}, 7},
    {"div3eq1", Operation::Div, Level::ThreeDigitsByOne, {{2, one}, {101, three}}, {"202", "101"}, 2},
    {"div2eq2EndsInZero", Operation::Div, Level::TwoDigitsByTwo, {{20, two}, {90, two}}, {"1800", "90"}, 20},
    {"div1eq3", Operation::Div, Level::OneDigitByThree, {{999, three}, {9, one}}, {"8991", "9"}, 999},
};

class DrawOrder : public testing::TestWithParam<DrawCase> {};

TEST_P(DrawOrder, UsesExactlyTheScriptedDraws)
{
    const DrawCase& c = GetParam();
    ScriptedRandom rng;
    for (const Step& step : c.steps)
        rng.append(rFor(step.value, step.draw));
    const Question q = generateQuestion(c.op, c.level, NumberType::Integer, rng);
    EXPECT_EQ(rng.left(), 0u) << "fewer draws than scripted";
    ASSERT_EQ(static_cast<std::size_t>(q.operandCount), c.operands.size());
    for (std::size_t i = 0; i < c.operands.size(); ++i)
        EXPECT_EQ(q.operands[i], c.operands[i]) << "operand " << i;
    EXPECT_EQ(q.correctAnswer, c.answer);
}

INSTANTIATE_TEST_SUITE_P(Levels, DrawOrder, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<DrawCase>& info) { return info.param.name; });

} // namespace
} // namespace zorvel
