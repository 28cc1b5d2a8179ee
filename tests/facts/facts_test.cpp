// The daily practice's rules at their edges: box moves at the speed
// thresholds of each setting, mastery over the last three answers, and the
// order, limits and repeats of a session; the keys the record stores.
#include "facts/daily_session.h"

#include <gtest/gtest.h>

#include <map>

namespace zorvel::facts {
namespace {

const Fact kOneDigit{FactSet::Mul, 2, 3};  // 2 × 3 = 6
const Fact kTwoDigits{FactSet::Mul, 7, 8}; // 7 × 8 = 56

struct MoveRow {
    const char* name;
    Speed speed;
    Fact fact;
    int box;     // before the answer; 0: the fact's first answer
    bool right;
    int ms;
    int expected;
};

void PrintTo(const MoveRow& row, std::ostream* os)
{
    *os << row.name;
}

class BoxMoves : public testing::TestWithParam<MoveRow> {};

TEST_P(BoxMoves, AnswerPutsFactInBox)
{
    const MoveRow& row = GetParam();
    const Grade g = grade(row.right, row.ms, thresholdMs(row.fact, row.speed));
    EXPECT_EQ(row.box == 0 ? firstBox(g) : nextBox(row.box, g), row.expected);
}

const MoveRow kMoves[] = {
    // 标准: T = 3 s for a one-digit answer.
    {"standard_2_99_up", Speed::Standard, kOneDigit, 3, true, 2990, 4},
    {"standard_3_00_up", Speed::Standard, kOneDigit, 3, true, 3000, 4},
    {"standard_3_01_stays", Speed::Standard, kOneDigit, 3, true, 3010, 3},
    {"standard_6_00_stays", Speed::Standard, kOneDigit, 3, true, 6000, 3},
    {"standard_6_01_down", Speed::Standard, kOneDigit, 3, true, 6010, 2},
    {"standard_wrong", Speed::Standard, kOneDigit, 4, false, 1000, 1},
    {"standard_timed_out", Speed::Standard, kOneDigit, 4, true, kTimeoutMs + 1, 1},
    {"standard_top_box_stays_top", Speed::Standard, kOneDigit, 5, true, 1000, 5},
    {"standard_box1_never_below", Speed::Standard, kOneDigit, 1, true, 9000, 1},
    {"standard_first_3_00", Speed::Standard, kOneDigit, 0, true, 3000, 2},
    {"standard_first_3_01", Speed::Standard, kOneDigit, 0, true, 3010, 1},
    {"standard_first_wrong", Speed::Standard, kOneDigit, 0, false, 500, 1},
    // One second more for the second digit of 56.
    {"standard_two_digits_4_00_up", Speed::Standard, kTwoDigits, 2, true, 4000, 3},
    {"standard_two_digits_4_01_stays", Speed::Standard, kTwoDigits, 2, true, 4010, 2},
    {"standard_two_digits_8_01_down", Speed::Standard, kTwoDigits, 2, true, 8010, 1},
    // 宽松: T = 6 s.
    {"gentle_3_01_up", Speed::Gentle, kOneDigit, 2, true, 3010, 3},
    {"gentle_6_00_up", Speed::Gentle, kOneDigit, 2, true, 6000, 3},
    {"gentle_6_01_stays", Speed::Gentle, kOneDigit, 2, true, 6010, 2},
    {"gentle_12_00_stays", Speed::Gentle, kOneDigit, 2, true, 12000, 2},
    {"gentle_12_01_down", Speed::Gentle, kOneDigit, 2, true, 12010, 1},
    {"gentle_timed_out", Speed::Gentle, kOneDigit, 3, false, kTimeoutMs, 1},
    {"gentle_first_6_00", Speed::Gentle, kOneDigit, 0, true, 6000, 2},
    // 严格: T = 2 s.
    {"strict_2_99_stays", Speed::Strict, kOneDigit, 3, true, 2990, 3},
    {"strict_2_00_up", Speed::Strict, kOneDigit, 3, true, 2000, 4},
    {"strict_4_00_stays", Speed::Strict, kOneDigit, 3, true, 4000, 3},
    {"strict_4_01_down", Speed::Strict, kOneDigit, 3, true, 4010, 2},
    {"strict_3_00_two_digits_up", Speed::Strict, kTwoDigits, 3, true, 3000, 4},
    {"strict_wrong", Speed::Strict, kTwoDigits, 5, false, 800, 1},
    {"strict_first_2_01", Speed::Strict, kOneDigit, 0, true, 2010, 1},
};

INSTANTIATE_TEST_SUITE_P(Thresholds, BoxMoves, testing::ValuesIn(kMoves),
                         [](const testing::TestParamInfo<MoveRow>& info) { return std::string(info.param.name); });

// A one-digit fact answered at standard speed: F fast, S slow, W wrong.
FactState afterAnswers(const std::string& answers)
{
    FactBook book;
    for (char answer : answers)
        book.apply({kOneDigit.index(), answer != 'W', answer == 'F' ? 1500 : 5000, 100, Speed::Standard});
    return book.state(kOneDigit);
}

TEST(Facts, SubtractionAndDivisionAskTheirFactBackwards)
{
    EXPECT_EQ((Fact{FactSet::Add, 7, 8}).withAnswer(), "7 + 8 = 15");
    EXPECT_EQ((Fact{FactSet::Sub, 7, 8}).withAnswer(), "15 - 8 = 7");
    EXPECT_EQ((Fact{FactSet::Mul, 7, 8}).withAnswer(), "7 × 8 = 56");
    EXPECT_EQ((Fact{FactSet::Div, 7, 8}).withAnswer(), "56 ÷ 8 = 7");
}

TEST(Mastery, TwoFastOfTheLastThreeAndTheLatestRight)
{
    struct Row {
        const char* answers;
        bool mastered;
        Colour colour;
    } rows[] = {
        {"FSF", true, Colour::Green},
        {"FFW", false, Colour::Red},
        {"SSF", false, Colour::LightGreen},
        {"FF", true, Colour::Green},
        {"F", false, Colour::LightGreen},
        {"FFS", true, Colour::Green},
        {"WFF", true, Colour::Green},
        {"FFWS", false, Colour::Yellow},
        {"FFSSF", false, Colour::LightGreen},
        {"", false, Colour::Grey},
    };
    for (const Row& row : rows) {
        const FactState state = afterAnswers(row.answers);
        EXPECT_EQ(state.isMastered(), row.mastered) << row.answers;
        EXPECT_EQ(state.colour(), row.colour) << row.answers;
    }
}

TEST(Mastery, KeepsAttemptsRightAnswersAndTheirMedian)
{
    std::vector<FactAnswer> answers;
    for (int ms : {4000, 1000, 2500, 9000})
        answers.push_back({kTwoDigits.index(), true, ms, 7, Speed::Standard});
    answers.push_back({kTwoDigits.index(), false, 700, 8, Speed::Standard});
    FactBook book;
    for (const FactAnswer& answer : answers)
        book.apply(answer);
    // Answer by answer, or rebuilt from all of them at once: the same.
    for (const FactBook& b : {book, FactBook::rebuilt(answers)}) {
        const FactState& state = b.state(kTwoDigits);
        EXPECT_EQ(state.attempts, 5);
        EXPECT_EQ(state.rights, 4);
        EXPECT_EQ(state.medianMs, 3250);
        EXPECT_EQ(state.box, 1);
        EXPECT_EQ(state.due, 8);
        EXPECT_EQ(state.firstDay, 7);
    }
}

// Runs a whole session; answer gives the pupil's answer (right, ms) to a fact.
template <typename Answer>
std::vector<Fact> runSession(FactBook& book, const PracticePlan& plan, Day today, Answer answer)
{
    DailySession session(book, plan, today);
    std::vector<Fact> asked;
    while (const std::optional<Fact> fact = session.next()) {
        asked.push_back(*fact);
        const auto [right, ms] = answer(*fact);
        session.answered(*fact, book.apply({fact->index(), right, ms, today, plan.speed}).box);
    }
    return asked;
}

TEST(Session, DueFactsMostOverdueFirstThenNewFacts)
{
    FactBook book;
    const PracticePlan plan;  // multiplication, standard
    const Fact a{FactSet::Mul, 9, 9}, b{FactSet::Mul, 8, 9}, c{FactSet::Mul, 9, 8}, mastered{FactSet::Mul, 7, 9};
    book.apply({b.index(), true, 1000, 90, plan.speed});   // box 2, due 91
    book.apply({a.index(), true, 1000, 95, plan.speed});   // box 2, due 96
    book.apply({c.index(), true, 1000, 100, plan.speed});  // box 2, due 101: not yet
    book.apply({mastered.index(), true, 1000, 90, plan.speed});
    book.apply({mastered.index(), true, 1000, 91, plan.speed});  // box 3, due 94
    book.apply({mastered.index(), true, 1000, 94, plan.speed});  // box 4, due 101
    ASSERT_TRUE(book.state(mastered).isMastered());

    DailySession session(book, plan, 100);
    EXPECT_EQ(session.length(), 20);
    EXPECT_EQ(session.newFacts(), 18);
    EXPECT_EQ(session.next()->index(), b.index());
    EXPECT_EQ(session.next()->index(), a.index());
    // Then the new facts, small ones first.
    const Fact first = *session.next();
    EXPECT_EQ(first.index(), (Fact{FactSet::Mul, 1, 1}.index()));
    std::vector<Fact> rest;
    while (const std::optional<Fact> fact = session.next())
        rest.push_back(*fact);
    EXPECT_EQ(rest.size(), 17u);
    for (const Fact& fact : rest) {
        EXPECT_NE(fact.index(), c.index());
        EXPECT_NE(fact.index(), mastered.index());
        EXPECT_FALSE(book.state(fact).asked());
    }
}

TEST(Session, AtMostTwentyNewFactsADay)
{
    FactBook book;
    PracticePlan plan;
    plan.sets = {FactSet::Add, FactSet::Mul};
    const auto fast = [](const Fact&) { return std::pair{true, 1000}; };
    EXPECT_EQ(runSession(book, plan, 50, fast).size(), 20u);
    EXPECT_EQ(book.newFactsOn(50), 20);
    // A second session the same day: nothing due, no new fact allowed.
    DailySession again(book, plan, 50);
    EXPECT_TRUE(again.nothingToDo());
    EXPECT_FALSE(again.next());
    // The next day: the 20 are due, and no room is left for new ones.
    DailySession tomorrow(book, plan, 51);
    EXPECT_EQ(tomorrow.newFacts(), 0);
    EXPECT_EQ(tomorrow.length(), 20);
    // With 5 due, 15 new facts fill the session.
    FactBook small;
    for (int b = 1; b <= 5; ++b)
        small.apply({Fact{FactSet::Add, 9, b}.index(), true, 1000, 60, plan.speed});
    DailySession mixed(small, plan, 61);
    EXPECT_EQ(mixed.length(), 20);
    EXPECT_EQ(mixed.newFacts(), 15);
}

TEST(Session, WrongFactsReturnAfterThreeToFiveOthersAtMostThreeTimes)
{
    FactBook book;
    const PracticePlan plan;
    const Fact hard{FactSet::Mul, 1, 1};  // the first new fact
    const Fact hard2{FactSet::Mul, 1, 2};
    const auto answer = [&](const Fact& fact) {
        const bool wrong = fact.index() == hard.index() || fact.index() == hard2.index();
        return std::pair{!wrong, 1000};
    };
    const std::vector<Fact> asked = runSession(book, plan, 10, answer);
    ASSERT_EQ(asked.size(), 20u);
    std::map<int, std::vector<int>> positions;
    for (int i = 0; i < int(asked.size()); ++i)
        positions[asked[static_cast<std::size_t>(i)].index()].push_back(i);
    for (const Fact& fact : {hard, hard2}) {
        const std::vector<int>& at = positions[fact.index()];
        ASSERT_EQ(at.size(), 3u) << fact.text();
        for (std::size_t i = 1; i < at.size(); ++i) {
            EXPECT_GE(at[i] - at[i - 1] - 1, 3) << fact.text();
            EXPECT_LE(at[i] - at[i - 1] - 1, 5) << fact.text();
        }
    }
    for (const auto& [fact, at] : positions) {
        if (fact != hard.index() && fact != hard2.index()) {
            EXPECT_EQ(at.size(), 1u) << Fact::at(fact).text();
        }
    }
    EXPECT_EQ(book.state(hard).box, 1);
    // The next day they come first.
    DailySession tomorrow(book, plan, 11);
    EXPECT_EQ(tomorrow.next()->index(), hard.index());
    EXPECT_EQ(tomorrow.next()->index(), hard2.index());
}

TEST(Session, ShortSessionAsksWhatIsLeftAndSaysWhenDone)
{
    FactBook book;
    PracticePlan plan;
    plan.sets = {FactSet::Div};
    // Every division fact mastered and due in the future but one, in box 1.
    for (int i = 0; i < kFactsPerSet; ++i) {
        const int fact = static_cast<int>(FactSet::Div) * kFactsPerSet + i;
        book.apply({fact, true, 1000, 1, plan.speed});
        book.apply({fact, i != 0, 1000, 2, plan.speed});
    }
    const auto wrong = [](const Fact&) { return std::pair{false, 1000}; };
    const std::vector<Fact> asked = runSession(book, plan, 3, wrong);
    ASSERT_EQ(asked.size(), 3u);  // the one fact, three times
    EXPECT_EQ(asked[0].index(), static_cast<int>(FactSet::Div) * kFactsPerSet);
    DailySession later(book, plan, 3);
    EXPECT_FALSE(later.nothingToDo());  // still in box 1: due again
    DailySession none(FactBook::rebuilt({}), PracticePlan{{}, Speed::Standard}, 3);
    EXPECT_TRUE(none.nothingToDo());
}

// The record keeps sets and speeds by key: each must come back as itself,
// and a key of the other kind, a wrong case or nothing as none.
TEST(Keys, SetsAndSpeedsComeBackFromTheirKeys)
{
    for (FactSet set : kAllSets)
        EXPECT_EQ(setFromKey(setKey(set)), set) << setKey(set);
    for (Speed speed : kAllSpeeds)
        EXPECT_EQ(speedFromKey(speedKey(speed)), speed) << speedKey(speed);
    for (const char* key : {"", "Add", "gentle", "mult"})
        EXPECT_EQ(setFromKey(key), std::nullopt) << key;
    for (const char* key : {"", "Strict", "mul", "fast"})
        EXPECT_EQ(speedFromKey(key), std::nullopt) << key;
}

} // namespace
} // namespace zorvel::facts
