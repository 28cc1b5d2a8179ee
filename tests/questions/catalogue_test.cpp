// The catalogue: which levels and number types each operation offers, its
// defaults and captions, and the look-ups the tools use.
#include "questions/catalogue.h"
#include "questions/written_math.h"

#include <gtest/gtest.h>

namespace zorvel {
namespace {

TEST(Catalogue, OfferedLevelsAndTypes)
{
    const struct {
        Operation op;
        int levels;
        bool decimals;
        Level defaultLevel;
    } rows[] = {
        {Operation::Add, 9, true, Level::TwoDigitsByOne},  {Operation::Sub, 9, true, Level::TwoDigitsByOne},
        {Operation::Mixed, 7, true, Level::TwoDigitsByOne}, {Operation::Mul, 6, false, Level::OneDigitByOne},
        {Operation::Div, 6, false, Level::OneDigitByOne},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(offeredLevels(row.op).size(), std::size_t(row.levels)) << operationInfo(row.op).key;
        EXPECT_TRUE(isNumberTypeOffered(row.op, NumberType::Integer));
        EXPECT_EQ(isNumberTypeOffered(row.op, NumberType::OneDecimal), row.decimals);
        EXPECT_EQ(isNumberTypeOffered(row.op, NumberType::TwoDecimals), row.decimals);
        EXPECT_EQ(operationInfo(row.op).defaultLevel, row.defaultLevel);
        EXPECT_TRUE(isLevelShown(row.op, row.defaultLevel));
    }
    EXPECT_FALSE(isLevelShown(Operation::Mixed, Level::FourDigitsByThree));
    EXPECT_TRUE(isLevelShown(Operation::Mixed, Level::FourDigitsByTwo));
    EXPECT_FALSE(isLevelShown(Operation::Mul, Level::TwoDigitsByThree));
    EXPECT_FALSE(isLevelShown(Operation::Div, Level::TwoDigitsByThree));
    EXPECT_FALSE(isLevelShown(Operation::Add, Level::OneDigitByOne));
    // 9 + 9 + 7 levels with three types each, 6 + 6 with integers only.
    EXPECT_EQ(offeredExercises().size(), 87u);
}

TEST(Catalogue, CaptionsWithTheirBlanks)
{
    EXPECT_EQ(levelCaption(Operation::Mixed, Level::FourDigitsByTwo), "4位 + 2位");
    EXPECT_EQ(levelCaption(Operation::Sub, Level::FourDigitsByFour), "4位 - 4位");
    EXPECT_EQ(levelCaption(Operation::Mul, Level::TwoDigitsByOne), "2位 * 1位");
    EXPECT_EQ(levelCaption(Operation::Div, Level::TwoDigitsByOne), "/2位=1位");
    EXPECT_EQ(numberTypeCaption(Operation::Add, NumberType::Integer), "整   数");
    EXPECT_EQ(operationInfo(Operation::Mixed).operatorWords[1], " 减 ");
}

TEST(Catalogue, LookUps)
{
    EXPECT_EQ(operationFromKey("mixed"), Operation::Mixed);
    EXPECT_FALSE(operationFromKey("Add").has_value());
    EXPECT_EQ(levelFromName(Operation::Add, "Option4"), Level::TwoDigitsByOne);
    EXPECT_EQ(levelFromName(Operation::Add, "2位 + 1位"), Level::TwoDigitsByOne);
    EXPECT_EQ(levelFromName(Operation::Sub, "2位 - 2位"), Level::TwoDigitsByTwo);
    // The same option holds different levels in different operations.
    EXPECT_EQ(levelFromName(Operation::Mul, "Option4"), Level::OneDigitByTwo);
    EXPECT_EQ(levelFromName(Operation::Div, "Option4"), Level::TwoDigitsByOne);
    EXPECT_EQ(levelOptionName(Operation::Mul, Level::TwoDigitsByOne), "Option5");
    EXPECT_FALSE(levelFromName(Operation::Div, "Option14").has_value());
    EXPECT_EQ(levelOptionName(Operation::Add, Level::OneDigitByOne), "");
    EXPECT_FALSE(levelFromName(Operation::Sub, "2位 + 1位").has_value());
    EXPECT_FALSE(levelFromName(Operation::Div, "").has_value());
    EXPECT_FALSE(levelFromName(Operation::Add, "Option7").has_value());
    EXPECT_EQ(numberTypeFromName("Option8"), NumberType::OneDecimal);
    EXPECT_EQ(numberTypeFromName("2dp"), NumberType::TwoDecimals);
    EXPECT_EQ(numberTypeFromName("integer"), NumberType::Integer);
    EXPECT_FALSE(numberTypeFromName("3dp").has_value());
}

TEST(WrittenMath, TrueSignsWithABlankEitherSide)
{
    EXPECT_EQ(writtenMath("1位 * 1位"), "1位 × 1位");
    EXPECT_EQ(writtenMath("/2位=1位"), "÷ 2位 = 1位");
    EXPECT_EQ(writtenMath("67 - 9 = 58"), "67 − 9 = 58");
    EXPECT_EQ(writtenMath("1.5 + 2.3 -0.8 =  3"), "1.5 + 2.3 − 0.8 = 3");
    EXPECT_EQ(writtenMath(" 20以内 "), "20以内");
}

} // namespace
} // namespace zorvel
