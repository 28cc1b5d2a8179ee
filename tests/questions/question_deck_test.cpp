// The test deck: no repeats within a test or a page's worth of questions
// where the level is large enough, never the same question twice in a row,
// the listening answer rule kept, and the walk of a level's questions
// agreeing with what its generator makes.
#include "questions/question_deck.h"
#include "questions/question_space.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zorvel {
namespace {

std::string textOf(const Question& q)
{
    std::string text;
    for (int i = 0; i < q.operandCount; ++i)
        text += q.operands[std::size_t(i)] + ' ';
    return text;
}

// A source stuck on one value: the generator makes the same question again
// and again wherever its level row accepts that value's draws.
class StuckRandom final : public RandomSource {
public:
    explicit StuckRandom(double r) : r_(r) {}
    double next() override { return r_; }
    void reseedFromClock() override {}

private:
    double r_;
};

// Deals `tests` tests of `span` questions in a row and checks each against
// the rules; the deck remembers a third of a small level.
void checkDeals(const Exercise& e, Mode mode, int span, int tests, std::uint64_t seed)
{
    SCOPED_TRACE(std::string(operationInfo(e.operation).key) + " " + std::string(levelCaption(e.operation, e.level)) +
                 " " + std::string(numberTypeKey(e.type)) + " span " + std::to_string(span));
    const long long distinct = countQuestions(e.operation, e.level, 3LL * span);
    const std::size_t apart = std::size_t(std::max<long long>(1, std::min<long long>(span, distinct / 3)));
    SeededRandom rng(seed);
    QuestionDeck deck(e.operation, mode, span);
    Question previous;
    bool first = true;
    for (int t = 0; t < tests; ++t) {
        deck.startTest();
        std::vector<std::string> asked;
        for (int n = 0; n < span; ++n) {
            const Question q = deck.draw(e.level, e.type, rng);
            if (!first) {
                ASSERT_FALSE(sameQuestion(q, previous)) << textOf(q);
                if (mode == Mode::Listening) {
                    ASSERT_NE(q.correctAnswer, previous.correctAnswer) << textOf(q);
                }
            }
            const std::size_t from = asked.size() - std::min(asked.size(), apart - 1);
            for (std::size_t i = from; i < asked.size(); ++i)
                ASSERT_NE(asked[i], textOf(q)) << "question " << n + 1 << " of test " << t + 1;
            asked.push_back(textOf(q));
            previous = q;
            first = false;
        }
    }
}

TEST(QuestionDeck, EveryExerciseDealsTestsWithoutRepeats)
{
    for (const Exercise& e : offeredExercises()) {
        checkDeals(e, Mode::Normal, 10, 30, 11);
        checkDeals(e, Mode::Listening, 20, 15, 12);
    }
}

TEST(QuestionDeck, PagesOfTheLargestSizeHaveNoRepeats)
{
    for (const Exercise& e : offeredExercises())
        checkDeals(e, Mode::Normal, 150, 2, 13);
}

// The generator makes one question only; the walk of the level supplies the
// others.
TEST(QuestionDeck, AGeneratorStuckOnOneQuestionStillGivesAWholeTest)
{
    StuckRandom rng(0.3);
    EXPECT_EQ(textOf(generateQuestion(Operation::Mul, Level::OneDigitByOne, NumberType::Integer, rng)), "5 4 ");
    for (Mode mode : {Mode::Normal, Mode::Listening}) {
        QuestionDeck deck(Operation::Mul, mode, 10);
        std::set<std::string> asked;
        for (int n = 0; n < 10; ++n)
            asked.insert(textOf(deck.draw(Level::OneDigitByOne, NumberType::Integer, rng)));
        EXPECT_EQ(asked.size(), 10u);
    }
}

TEST(QuestionDeck, BookQuestionsCountAsAsked)
{
    StuckRandom rng(0.3);
    QuestionDeck deck(Operation::Mul, Mode::Normal, 10);
    deck.startTest();
    const Question book = generateQuestion(Operation::Mul, Level::OneDigitByOne, NumberType::Integer, rng);
    deck.noteAsked(book);
    Question other = book;
    other.operands = {"7", "8", ""};
    deck.noteAsked(other);
    for (int n = 0; n < 8; ++n) {
        const Question q = deck.draw(Level::OneDigitByOne, NumberType::Integer, rng);
        EXPECT_FALSE(sameQuestion(q, book));
        EXPECT_FALSE(sameQuestion(q, other));
    }
}

TEST(QuestionDeck, ANewTestMayRepeatTheLastTestButNotItsLastQuestion)
{
    StuckRandom rng(0.3);
    QuestionDeck deck(Operation::Mul, Mode::Normal, 10);
    const Question first = deck.draw(Level::OneDigitByOne, NumberType::Integer, rng);
    deck.startTest();
    const Question second = deck.draw(Level::OneDigitByOne, NumberType::Integer, rng);
    EXPECT_FALSE(sameQuestion(first, second));
    deck.startTest();
    EXPECT_TRUE(sameQuestion(deck.draw(Level::OneDigitByOne, NumberType::Integer, rng), first));
}

// Small levels are walked whole and compared with everything their
// generator makes in many draws; larger ones are counted up to a cap.
TEST(QuestionSpace, TheWalkFindsExactlyWhatTheGeneratorMakes)
{
    for (const Exercise& e : offeredExercises()) {
        if (e.type != NumberType::Integer)
            continue;
        SCOPED_TRACE(std::string(operationInfo(e.operation).key) + " " + std::string(levelCaption(e.operation, e.level)));
        const long long count = countQuestions(e.operation, e.level, 3000);
        if (count >= 3000)
            continue;
        std::set<std::string> walked;
        Question found;
        findQuestion(e.operation, e.level, e.type, 0, [&](const Question& q) {
            walked.insert(textOf(q));
            return false;
        }, found);
        EXPECT_EQ(static_cast<long long>(walked.size()), count);
        SeededRandom rng(5);
        std::set<std::string> drawn;
        for (int i = 0; i < 200 * count; ++i)
            drawn.insert(textOf(generateQuestion(e.operation, e.level, e.type, rng)));
        EXPECT_EQ(drawn, walked);
    }
}

TEST(QuestionSpace, CountsOfTheEntryLevels)
{
    EXPECT_EQ(countQuestions(Operation::Add, Level::Within20, 1000), 36);
    EXPECT_EQ(countQuestions(Operation::Sub, Level::Within20, 1000), 44);
    EXPECT_EQ(countQuestions(Operation::Mul, Level::OneDigitByOne, 1000), 49);
    EXPECT_EQ(countQuestions(Operation::Mul, Level::OneDigitByOne, 20), 20);
    EXPECT_EQ(countQuestions(Operation::Add, Level::FourDigitsByFour, 450), 450);
}

} // namespace
} // namespace zorvel
