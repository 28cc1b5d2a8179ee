// Many seeded questions at every level and type: the exact result of the
// shown operands, typed by a pupil, is judged right; decimal operands show
// the decimals their pattern promises; listening answers never repeat.
#include "questions/generators.h"
#include "questions/number_text.h"

#include <gtest/gtest.h>

#include <string>

namespace zorvel {
namespace {

// An operand text as a whole number of hundredths ("4.7" -> 470).
long long hundredthsOf(const std::string& text)
{
    long long whole = 0;
    long long fraction = 0;
    int fractionDigits = -1;
    for (char c : text) {
        if (c == '.') {
            fractionDigits = 0;
            continue;
        }
        if (c < '0' || c > '9')
            ADD_FAILURE() << "unexpected character in operand " << text;
        if (fractionDigits < 0) {
            whole = whole * 10 + (c - '0');
        } else {
            fraction = fraction * 10 + (c - '0');
            ++fractionDigits;
        }
    }
    if (fractionDigits < 0)
        fractionDigits = 0;
    EXPECT_LE(fractionDigits, 2) << text;
    for (int i = fractionDigits; i < 2; ++i)
        fraction *= 10;
    return whole * 100 + fraction;
}

std::string exactText(long long hundredths)
{
    return std::to_string(hundredths / 100) + "." + std::to_string(hundredths % 100 / 10) +
           std::to_string(hundredths % 10);
}

int decimalsShown(const std::string& text)
{
    const std::size_t point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

TEST(EveryLevelAndType, ShownOperandsGiveTheCorrectAnswer)
{
    SeededRandom rng(20261207);
    for (const Exercise& e : offeredExercises()) {
        const Operation op = e.operation;
        SCOPED_TRACE(std::string(operationInfo(op).key) + " " + std::string(levelOptionName(op, e.level)) + " " +
                     std::string(numberTypeOptionName(e.type)));
        for (int i = 0; i < 2000; ++i) {
            const Question q = generateQuestion(op, e.level, e.type, rng);
            ASSERT_EQ(q.operandCount, op == Operation::Mixed ? 3 : 2);
            const long long a = hundredthsOf(q.operands[0]);
            const long long b = hundredthsOf(q.operands[1]);
            long long result = 0;
            switch (op) {
            case Operation::Add: result = a + b; break;
            case Operation::Sub: result = a - b; break;
            case Operation::Mixed: result = a + b - hundredthsOf(q.operands[2]); break;
            case Operation::Mul: result = a * b / 100; break;
            case Operation::Div: result = a * 100 / b; ASSERT_EQ(a * 100 % b, 0); break;
            }
            ASSERT_GE(result, 0);
            ASSERT_TRUE(isRightAnswer(exactText(result), q.correctAnswer))
                << q.operands[0] << " " << q.operands[1] << " " << q.operands[2] << " = "
                << exactText(result) << " but answer " << q.correctAnswer;
            if (op == Operation::Add || op == Operation::Sub) {
                const int decimals = e.type == NumberType::Integer ? 0 : e.type == NumberType::OneDecimal ? 1 : 2;
                ASSERT_EQ(decimalsShown(q.operands[0]), decimals) << q.operands[0];
                ASSERT_EQ(decimalsShown(q.operands[1]), decimals) << q.operands[1];
            }
        }
    }
}

TEST(EveryOperation, ListeningAnswersNeverRepeatBackToBack)
{
    SeededRandom rng(7);
    for (Operation op : kAllOperations) {
        QuestionSource source(op, Mode::Listening);
        float previous = -1.0f;
        for (int i = 0; i < 5000; ++i) {
            const Question q = source.next(offeredLevels(op).front(), NumberType::Integer, rng);
            ASSERT_NE(q.correctAnswer, previous) << operationInfo(op).key << " question " << i;
            previous = q.correctAnswer;
        }
    }
}

} // namespace
} // namespace zorvel
