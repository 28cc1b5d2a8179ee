// The daily practice's rules at their edges: box moves at the speed
// thresholds of each setting, mastery over the last three answers, the
// choice, order, limits and repeats of a session (shuffled over many seeds,
// families apart, teaching order, missed facts first); the keys the record
// stores.
#include "facts/daily_session.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

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

// Runs a whole session; answer gives the pupil's answer (right, ms) to a fact
// and the question's position.
template <typename Answer>
std::vector<Fact> runSession(FactBook& book, const PracticePlan& plan, Day today, Answer answer, std::uint64_t seed = 1)
{
    DailySession session(book, plan, today, seededDraws(seed));
    std::vector<Fact> asked;
    while (const std::optional<Fact> fact = session.next()) {
        asked.push_back(*fact);
        const auto [right, ms] = answer(*fact, static_cast<int>(asked.size()) - 1);
        session.answered(*fact, book.apply({fact->index(), right, ms, today, plan.speed}).box);
    }
    return asked;
}

const auto kAllFast = [](const Fact&, int) { return std::pair{true, 1000}; };

TEST(Session, ChoosesTheDueFactsThenNewOnesButNothingNotYetDue)
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

    DailySession session(book, plan, 100, seededDraws(3));
    EXPECT_EQ(session.length(), 20);
    EXPECT_EQ(session.newFacts(), 18);
    std::set<int> asked;
    while (const std::optional<Fact> fact = session.next())
        asked.insert(fact->index());
    EXPECT_EQ(asked.size(), 20u);
    EXPECT_TRUE(asked.count(a.index()) && asked.count(b.index()));
    EXPECT_FALSE(asked.count(c.index()) || asked.count(mastered.index()));
}

TEST(Session, AtMostTwentyNewFactsADay)
{
    FactBook book;
    PracticePlan plan;
    plan.sets = {FactSet::Add, FactSet::Mul};
    EXPECT_EQ(runSession(book, plan, 50, kAllFast).size(), 20u);
    EXPECT_EQ(book.newFactsOn(50), 20);
    // A second session the same day: nothing due, no new fact allowed.
    DailySession again(book, plan, 50, seededDraws(1));
    EXPECT_TRUE(again.nothingToDo());
    EXPECT_FALSE(again.next());
    // The next day: the 20 are due, and no room is left for new ones.
    DailySession tomorrow(book, plan, 51, seededDraws(1));
    EXPECT_EQ(tomorrow.newFacts(), 0);
    EXPECT_EQ(tomorrow.length(), 20);
    // With 5 due, 15 new facts fill the session.
    FactBook small;
    for (int b = 1; b <= 5; ++b)
        small.apply({Fact{FactSet::Add, 9, b}.index(), true, 1000, 60, plan.speed});
    DailySession mixed(small, plan, 61, seededDraws(1));
    EXPECT_EQ(mixed.length(), 20);
    EXPECT_EQ(mixed.newFacts(), 15);
}

// A missed fact comes back after 3 to 5 others (one more when the question
// next in line is of its family), at most 3 times, each return one question
// more: the 20 planned questions, the new ones among them, are all asked.
TEST(Session, MissedFactsComeBackAsQuestionsAdded)
{
    for (std::uint64_t seed = 0; seed < 50; ++seed) {
        FactBook book;
        const PracticePlan plan;
        DailySession session(book, plan, 10, seededDraws(seed));
        ASSERT_EQ(session.newFacts(), 20);
        std::vector<Fact> asked;
        std::set<int> missed;
        while (const std::optional<Fact> fact = session.next()) {
            asked.push_back(*fact);
            const bool wrong = asked.size() <= 2 || missed.count(fact->index());
            if (wrong)
                missed.insert(fact->index());
            const int length = session.length();
            const bool added = session.answered(*fact, book.apply({fact->index(), !wrong, 1000, 10, plan.speed}).box);
            EXPECT_EQ(session.length(), length + (added ? 1 : 0));
        }
        ASSERT_EQ(asked.size(), 24u) << seed;
        std::map<int, std::vector<int>> positions;
        for (int i = 0; i < int(asked.size()); ++i)
            positions[asked[static_cast<std::size_t>(i)].index()].push_back(i);
        EXPECT_EQ(positions.size(), 20u);
        for (const auto& [fact, at] : positions) {
            ASSERT_EQ(at.size(), missed.count(fact) ? 3u : 1u) << Fact::at(fact).text();
            for (std::size_t i = 1; i < at.size(); ++i) {
                EXPECT_GE(at[i] - at[i - 1] - 1, 3) << seed;
                EXPECT_LE(at[i] - at[i - 1] - 1, 6) << seed;
            }
        }
    }
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
    const auto wrong = [](const Fact&, int) { return std::pair{false, 1000}; };
    const std::vector<Fact> asked = runSession(book, plan, 3, wrong);
    ASSERT_EQ(asked.size(), 3u);  // the one fact, three times
    EXPECT_EQ(asked[0].index(), static_cast<int>(FactSet::Div) * kFactsPerSet);
    DailySession later(book, plan, 3, seededDraws(1));
    EXPECT_FALSE(later.nothingToDo());  // still in box 1: due again
    DailySession none(FactBook::rebuilt({}), PracticePlan{{}, Speed::Standard}, 3, seededDraws(1));
    EXPECT_TRUE(none.nothingToDo());
}

// Over 1,000 seeds and three days of all four sets: the questions are
// shuffled, and two of one family (7 × 8, 8 × 7, 56 ÷ 8) never follow each
// other, returns of missed facts included.
TEST(SessionOrder, ShuffledWithFamiliesApart)
{
    std::set<int> firstQuestions;
    for (std::uint64_t seed = 0; seed < 1000; ++seed) {
        FactBook book;
        const PracticePlan plan{{FactSet::Add, FactSet::Sub, FactSet::Mul, FactSet::Div}, Speed::Standard};
        for (Day day = 1; day <= 3; ++day) {
            const auto answer = [](const Fact&, int position) { return std::pair{position % 7 != 2, 1000}; };
            const std::vector<Fact> asked = runSession(book, plan, day, answer, seed * 3 + static_cast<std::uint64_t>(day));
            ASSERT_GE(asked.size(), 20u);
            if (day == 1)
                firstQuestions.insert(asked.front().index());
            for (std::size_t i = 1; i < asked.size(); ++i)
                ASSERT_FALSE(sameFamily(asked[i - 1], asked[i]))
                    << "seed " << seed << " day " << day << ": " << asked[i - 1].text() << ", " << asked[i].text();
        }
    }
    EXPECT_GE(firstQuestions.size(), 15u);  // not the same opening every day
}

TEST(SessionOrder, FamiliesAreWhatUndoesOrSwaps)
{
    const Fact mul{FactSet::Mul, 7, 8};
    EXPECT_TRUE(sameFamily(mul, Fact{FactSet::Mul, 8, 7}));
    EXPECT_TRUE(sameFamily(mul, Fact{FactSet::Div, 7, 8}));  // 56 ÷ 8
    EXPECT_TRUE(sameFamily(mul, Fact{FactSet::Div, 8, 7}));  // 56 ÷ 7
    EXPECT_FALSE(sameFamily(mul, Fact{FactSet::Add, 7, 8}));
    EXPECT_FALSE(sameFamily(mul, Fact{FactSet::Mul, 7, 9}));
    EXPECT_TRUE(sameFamily(Fact{FactSet::Add, 7, 8}, Fact{FactSet::Sub, 8, 7}));  // 15 - 7
}

// New facts in teaching order: each group comes whole before the next.
TEST(SessionOrder, NewFactsInTeachingOrder)
{
    using Group = bool (*)(const Fact&);
    struct Row {
        FactSet set;
        std::vector<std::pair<Group, int>> groups;  // in order, with their sizes
    };
    const auto has = [](const Fact& f, int n) { return f.a == n || f.b == n; };
    static const auto hasN = has;
    const Row rows[] = {
        {FactSet::Mul,
         {{[](const Fact& f) { return hasN(f, 2); }, 17},
          {[](const Fact& f) { return hasN(f, 5); }, 15},
          {[](const Fact& f) { return hasN(f, 1); }, 13},
          {[](const Fact& f) { return f.a == f.b; }, 6},
          {[](const Fact&) { return true; }, 30}}},
        {FactSet::Add,
         {{[](const Fact& f) { return hasN(f, 1); }, 17},
          {[](const Fact& f) { return hasN(f, 2); }, 15},
          {[](const Fact& f) { return f.a == f.b; }, 7},
          {[](const Fact& f) { return f.a + f.b == 10; }, 4},
          {[](const Fact&) { return true; }, 38}}},
    };
    for (const Row& row : rows) {
        const std::vector<Fact> order = newFactsInOrder(FactBook(), PracticePlan{{row.set}, Speed::Standard});
        ASSERT_EQ(order.size(), 81u);
        std::size_t at = 0;
        for (const auto& [inGroup, size] : row.groups) {
            for (int i = 0; i < size; ++i, ++at)
                EXPECT_TRUE(inGroup(order[at])) << setName(row.set) << " " << order[at].text() << " at " << at;
        }
        EXPECT_EQ(order[0].text(), row.set == FactSet::Mul ? "1 × 2" : "1 + 1");
    }
}

// A fact missed today is due tomorrow at the latest, whatever box it
// climbed to later in the day, and comes first in tomorrow's session.
TEST(Session, MissedTodayDueTomorrowAndAskedFirst)
{
    struct Row {
        const char* before;  // answers on day 10, one-digit fact, standard speed
        const char* today;   // answers on day 20
        Day due;
        bool first;          // asked first on the due day
    } rows[] = {
        {"FFFF", "WFF", 21, true},
        {"FFFF", "WF", 21, true},
        {"FFFF", "W", 20, true},
        {"FFFF", "F", 41, false},
        {"W", "FF", 23, false},  // missed on another day
        {"FFFF", "FWF", 21, true},
    };
    for (const Row& row : rows) {
        FactBook book;
        const PracticePlan plan;
        // Fifty other facts mastered and due the same day, most overdue.
        for (int i = 30; i < 80; ++i) {
            book.apply({i + 2 * kFactsPerSet, true, 1000, 1, plan.speed});
            book.apply({i + 2 * kFactsPerSet, true, 1000, 2, plan.speed});
        }
        for (char grade : std::string(row.before))
            book.apply({kOneDigit.index(), grade != 'W', grade == 'F' ? 1000 : 5000, 10, plan.speed});
        for (char grade : std::string(row.today))
            book.apply({kOneDigit.index(), grade != 'W', grade == 'F' ? 1000 : 5000, 20, plan.speed});
        EXPECT_EQ(book.state(kOneDigit).due, row.due) << row.today;
        DailySession session(book, plan, row.due, seededDraws(5));
        EXPECT_EQ(session.next()->index() == kOneDigit.index(), row.first) << row.today;
    }
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
