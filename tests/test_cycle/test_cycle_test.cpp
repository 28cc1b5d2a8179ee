// A drill test's cycle driven as the windows drive it, with no window.
#include "test_cycle/test_cycle.h"

#include <gtest/gtest.h>

namespace zorvel {
namespace {

// Asks the next question of the cycle from a fixed seed.
Question ask(TestCycle& cycle, Operation operation, SeededRandom& random)
{
    cycle.advance();
    const Question question = cycle.draw(operationInfo(operation).defaultLevel, NumberType::Integer, random);
    cycle.show(question);
    return question;
}

TEST(TestCycle, EndsAtTheRightAnswerToTheLastQuestionAndNotesFirstTryMistakesOnce)
{
    SeededRandom random(7);
    TestCycle cycle(Operation::Mul, Mode::Normal, 3);
    std::vector<Question> asked;
    for (int n = 1; n <= 3; ++n) {
        asked.push_back(ask(cycle, Operation::Mul, random));
        EXPECT_EQ(cycle.questionNumber(), n);
        EXPECT_EQ(cycle.correctAnswer(), asked.back().correctAnswer);
        if (n == 2) {
            EXPECT_FALSE(cycle.answer(false));
            EXPECT_FALSE(cycle.answer(false));
        }
        EXPECT_EQ(cycle.answer(true), n == 3);
    }
    EXPECT_TRUE(cycle.ended());
    ASSERT_EQ(cycle.wrongAtFirstTry().size(), 1u);
    EXPECT_EQ(cycle.wrongAtFirstTry()[0].operands, asked[1].operands);

    // The next test starts with nothing noted; "再测一次" forgets the answer,
    // choosing an exercise keeps it.
    cycle.backToStart(false);
    EXPECT_EQ(cycle.questionNumber(), 0);
    EXPECT_EQ(cycle.correctAnswer(), asked.back().correctAnswer);
    EXPECT_TRUE(cycle.wrongAtFirstTry().empty());
    EXPECT_FALSE(cycle.ended());
    cycle.backToStart(true);
    EXPECT_EQ(cycle.correctAnswer(), 0.0f);
}

TEST(TestCycle, BookQuestionsOfARedoComeFirstAndADroppedRedoDrawsAgain)
{
    SeededRandom random(7);
    TestCycle cycle(Operation::Add, Mode::Normal, 10);
    records::QuestionShown shown;
    shown.operands = {QStringLiteral("17"), QStringLiteral("25"), QString()};
    shown.correctAnswer = QStringLiteral("42");
    cycle.queue({shown, shown}, 2);
    EXPECT_EQ(ask(cycle, Operation::Add, random).operands[0], "17");
    cycle.dropQueued();
    const Question drawn = ask(cycle, Operation::Add, random);
    EXPECT_FALSE(drawn.operands[0] == "17" && drawn.operands[1] == "25");
    EXPECT_EQ(cycle.log().entry(1).correctAnswer, 42.0f);
}

} // namespace
} // namespace zorvel
