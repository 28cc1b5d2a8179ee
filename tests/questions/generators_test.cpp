// Whole questions: decimal scaling of scripted questions, levels and types an
// operation does not offer, the listening windows' repeat-answer redraw and
// the question log.
#include "scripted_random.h"

#include "questions/generators.h"
#include "questions/number_text.h"

#include <gtest/gtest.h>

#include <string>

namespace zorvel {
namespace {

struct ScaledCase {
    Operation op;
    NumberType type;
    std::vector<std::string> operands;
    float answer;
};

TEST(DecimalScaling, TextsAndAnswers)
{
    const ScaledCase cases[] = {
        {Operation::Add, NumberType::OneDecimal, {"4.7", "0.8"}, 5.5f},
        {Operation::Add, NumberType::TwoDecimals, {"0.47", "0.08"}, 0.55f},
        {Operation::Sub, NumberType::OneDecimal, {"4.7", "0.8"}, 3.9f},
        {Operation::Sub, NumberType::TwoDecimals, {"0.47", "0.08"}, 0.39f},
    };
    for (const ScaledCase& c : cases) {
        // 47 and 8 satisfy "2位 + 1位" and, drawn as A then B, "2位 - 1位".
        ScriptedRandom rng = scriptOf({{47, d70_31}, {8, d8_2}});
        const Question q = generateQuestion(c.op, Level::TwoDigitsByOne, c.type, rng);
        EXPECT_EQ(q.operands[0], c.operands[0]);
        EXPECT_EQ(q.operands[1], c.operands[1]);
        EXPECT_EQ(q.correctAnswer, c.answer);
        EXPECT_TRUE(isRightAnswer(shortestText(c.answer), q.correctAnswer));
    }
}

TEST(DecimalScaling, MixedTermsUseTheirOwnPatterns)
{
    ScriptedRandom rng = scriptOf({{47, d70_31}, {8, d8_2}, {9, d8_2}});
    const Question q = generateQuestion(Operation::Mixed, Level::TwoDigitsByOne, NumberType::OneDecimal, rng);
    ASSERT_EQ(q.operandCount, 3);
    EXPECT_EQ(q.operands[0], "4.7");
    EXPECT_EQ(q.operands[1], "0.8");
    EXPECT_EQ(q.operands[2], "0.9");
    EXPECT_EQ(q.correctAnswer, 4.6f);

    // 13 + 27 - 30: a whole third term has no trailing point.
    ScriptedRandom whole = scriptOf({{13, d50_11}, {27, d50_21}, {30, d50_11}});
    const Question w = generateQuestion(Operation::Mixed, Level::TwoDigitsByTwo, NumberType::OneDecimal, whole);
    EXPECT_EQ(w.operands[2], "3");
    EXPECT_EQ(w.correctAnswer, 1.0f);
    ScriptedRandom hundredths = scriptOf({{13, d50_11}, {27, d50_21}, {30, d50_11}});
    const Question h = generateQuestion(Operation::Mixed, Level::TwoDigitsByTwo, NumberType::TwoDecimals, hundredths);
    EXPECT_EQ(h.operands[2], "0.3");
    EXPECT_EQ(h.correctAnswer, 0.1f);
}

TEST(GenerateQuestion, UnofferedChoicesFallBackToTheDefaults)
{
    // Mixed has no "4位 + 3位": its default "2位 + 1位" draws instead.
    ScriptedRandom mixed = scriptOf({{47, d70_31}, {8, d8_2}, {9, d8_2}});
    const Question m = generateQuestion(Operation::Mixed, Level::FourDigitsByThree, NumberType::Integer, mixed);
    EXPECT_EQ(m.operands[0], "47");
    EXPECT_EQ(mixed.left(), 0u);

    // Multiplication has no decimal types and no "2位 * 3位".
    ScriptedRandom mul = scriptOf({{9, d7_3}, {2, kOneDigitDraw}});
    const Question p = generateQuestion(Operation::Mul, Level::TwoDigitsByThree, NumberType::TwoDecimals, mul);
    EXPECT_EQ(p.operands[0], "9");
    EXPECT_EQ(p.operands[1], "2");
    EXPECT_EQ(p.correctAnswer, 18.0f);
}

TEST(QuestionSource, ListeningRedrawsARepeatedAnswer)
{
    // 12 - 2 and 19 - 9 both give 10; 13 - 4 gives 9.
    ScriptedRandom rng = scriptOf({{12, d9_11}, {2, d8_2}, {19, d9_11}, {9, d8_2}, {13, d9_11}, {4, d8_2}});
    QuestionSource source(Operation::Sub, Mode::Listening);
    EXPECT_EQ(source.next(Level::Within20, NumberType::Integer, rng).correctAnswer, 10.0f);
    const Question second = source.next(Level::Within20, NumberType::Integer, rng);
    EXPECT_EQ(second.operands[0], "13");
    EXPECT_EQ(second.correctAnswer, 9.0f);
    EXPECT_EQ(rng.left(), 0u);
}

TEST(QuestionSource, PreviousAnswerSurvivesALevelChangeUntilForgotten)
{
    const IntDraw one = kOneDigitDraw, two = kTwoDigitDraw;
    ScriptedRandom rng = scriptOf({{7, one}, {8, one}, {7, one}, {11, two}, {5, one}, {11, two}, {5, one}, {12, two}});
    QuestionSource source(Operation::Div, Mode::Listening);
    EXPECT_EQ(source.next(Level::OneDigitByOne, NumberType::Integer, rng).correctAnswer, 7.0f);
    const Question afterChange = source.next(Level::TwoDigitsByOne, NumberType::Integer, rng);
    EXPECT_EQ(afterChange.operands[0], "55");
    source.forgetPrevious();
    const Question fresh = source.next(Level::TwoDigitsByOne, NumberType::Integer, rng);
    EXPECT_EQ(fresh.operands[0], "60");
    EXPECT_EQ(fresh.correctAnswer, 5.0f);
    EXPECT_EQ(rng.left(), 0u);
}

TEST(QuestionSource, NormalModeAllowsRepeats)
{
    ScriptedRandom rng = scriptOf({{12, d9_11}, {2, d8_2}, {19, d9_11}, {9, d8_2}});
    QuestionSource source(Operation::Sub, Mode::Normal);
    EXPECT_EQ(source.next(Level::Within20, NumberType::Integer, rng).correctAnswer, 10.0f);
    EXPECT_EQ(source.next(Level::Within20, NumberType::Integer, rng).correctAnswer, 10.0f);
    EXPECT_EQ(rng.left(), 0u);
}

TEST(QuestionLog, OutOfRangeNumbersAreIgnored)
{
    QuestionLog log;
    Question q;
    q.operands = {"47", "8", ""};
    for (int n : {0, 1, 20, 21, -1})
        log.write(n, q);
    EXPECT_EQ(log.entry(1).operands[0], "47");
    EXPECT_EQ(log.entry(20).operands[0], "47");
    EXPECT_EQ(log.entry(0).operands[0], "");
    EXPECT_EQ(log.entry(21).operands[0], "");
}

} // namespace
} // namespace zorvel
