// Scoring against the pass line and the personal-best rule, one row per case:
// limits, unanswered questions, an early hand-in, ties.
#include "fluency/scoring.h"

#include <gtest/gtest.h>

using namespace zorvel::fluency;

namespace {

FluencyTest sixtyInFive()
{
    return *presetByKey(QStringLiteral("add-sub-20-60"));
}

FluencyTest untimed(int questions, int percent)
{
    return customTest(zorvel::Operation::Mul, zorvel::Level::OneDigitByOne, zorvel::NumberType::Integer, questions, 0,
                      percent);
}

struct ScoreRow {
    const char* name;
    FluencyTest test;
    Outcome outcome;
    int correct;
    qint64 elapsedMs;
    const char* percent;
    const char* perMinute;
    bool passed;
};

class ScoreRows : public ::testing::TestWithParam<ScoreRow> {};

TEST_P(ScoreRows, ScoresAgainstThePassLine)
{
    const ScoreRow& row = GetParam();
    const Score s = score(row.test, row.outcome);
    EXPECT_EQ(s.correct, row.correct);
    EXPECT_EQ(s.total, row.test.questions);
    EXPECT_EQ(s.elapsedMs, row.elapsedMs);
    EXPECT_EQ(s.percentText(), QString::fromUtf8(row.percent));
    EXPECT_EQ(s.perMinuteText(), QString::fromUtf8(row.perMinute));
    EXPECT_EQ(s.passed, row.passed);
}

INSTANTIATE_TEST_SUITE_P(
    Fluency, ScoreRows,
    ::testing::Values(
        // All 60 answered inside 5 minutes, 54 right: exactly 90 % passes.
        ScoreRow{"exactly_the_pass_line", sixtyInFive(), {60, 54, 240000}, 54, 240000, "90 %", "10.8", true},
        ScoreRow{"one_below_the_pass_line", sixtyInFive(), {60, 53, 240000}, 53, 240000, "88.3 %", "10.6", false},
        // The time ran out with 2 questions unanswered: not correct, no pass,
        // and the time counts as the whole limit; 96.67 % rounds up.
        ScoreRow{"time_ran_out", sixtyInFive(), {58, 58, 300000}, 58, 300000, "96.7 %", "11.6", false},
        // A hand-in before the end leaves questions unanswered: per minute
        // of the whole limit, not of the 20 s used.
        ScoreRow{"early_hand_in", sixtyInFive(), {22, 22, 20000}, 22, 20000, "36.7 %", "4.4", false},
        // An answer checked a moment after the limit does not count the time past it.
        ScoreRow{"answer_after_the_limit", sixtyInFive(), {60, 60, 300020}, 60, 300000, "100 %", "12.0", false},
        ScoreRow{"last_answer_on_the_limit", sixtyInFive(), {60, 60, 300000}, 60, 300000, "100 %", "12.0", true},
        // Without a limit a slow but accurate pupil passes.
        ScoreRow{"no_limit_slow", untimed(20, 90), {20, 18, 1800000}, 18, 1800000, "90 %", "0.6", true},
        ScoreRow{"teacher_percent", untimed(20, 100), {20, 19, 60000}, 19, 60000, "95 %", "19.0", false},
        ScoreRow{"nothing_answered", sixtyInFive(), {0, 0, 0}, 0, 0, "0 %", "0.0", false},
        ScoreRow{"half_a_percent_short", untimed(200, 90), {200, 179, 60000}, 179, 60000, "89.5 %", "179.0", false}),
    [](const ::testing::TestParamInfo<ScoreRow>& info) { return std::string(info.param.name); });

struct BestRow {
    const char* name;
    std::optional<PersonalBest> before;
    Score score;
    bool changed;
};

class BestRows : public ::testing::TestWithParam<BestRow> {};

Score passed(int correct, qint64 ms) { return Score{correct, 60, 60, ms, 0, 0, true}; }
Score failed(int correct, qint64 ms) { return Score{correct, 60, 60, ms, 0, 0, false}; }
const QDateTime kEarlier(QDate(2026, 12, 1), QTime(9, 0));
const QDateTime kNow(QDate(2026, 12, 7), QTime(9, 0));

TEST_P(BestRows, OnlyABetterPassChangesTheBest)
{
    const BestRow& row = GetParam();
    const std::optional<PersonalBest> after = bestAfter(row.before, row.score, kNow);
    if (!row.changed) {
        ASSERT_EQ(after.has_value(), row.before.has_value());
        if (after) {
            EXPECT_EQ(after->when, kEarlier);
        }
        return;
    }
    ASSERT_TRUE(after);
    EXPECT_EQ(after->correct, row.score.correct);
    EXPECT_EQ(after->elapsedMs, row.score.elapsedMs);
    EXPECT_EQ(after->when, kNow);
}

INSTANTIATE_TEST_SUITE_P(
    Fluency, BestRows,
    ::testing::Values(BestRow{"first_pass", std::nullopt, passed(55, 250000), true},
                      BestRow{"first_fail", std::nullopt, failed(59, 100000), false},
                      BestRow{"more_correct", PersonalBest{55, 200000, kEarlier}, passed(56, 290000), true},
                      BestRow{"fewer_correct", PersonalBest{58, 280000, kEarlier}, passed(57, 100000), false},
                      BestRow{"as_many_faster", PersonalBest{58, 280000, kEarlier}, passed(58, 279990), true},
                      BestRow{"as_many_slower", PersonalBest{58, 280000, kEarlier}, passed(58, 280010), false},
                      BestRow{"tie_keeps_the_old", PersonalBest{58, 280000, kEarlier}, passed(58, 280000), false},
                      BestRow{"better_but_failed", PersonalBest{54, 299000, kEarlier}, failed(60, 100000), false}),
    [](const ::testing::TestParamInfo<BestRow>& info) { return std::string(info.param.name); });

// A teacher's own test is brought into range and named again by its choice.
TEST(FluencyChoice, CustomTestsAreClampedAndNamedAgain)
{
    const FluencyTest big = customTest(zorvel::Operation::Add, zorvel::Level::FourDigitsByFour,
                                       zorvel::NumberType::OneDecimal, 500, 99, 0);
    EXPECT_EQ(big.questions, kMaxQuestions);
    EXPECT_EQ(big.limitSeconds, kMaxLimitMinutes * 60);
    EXPECT_EQ(big.passPercent, 1);
    const FluencyTest small = customTest(zorvel::Operation::Mul, zorvel::Level::Within20,
                                         zorvel::NumberType::TwoDecimals, 3, 0, 100);
    EXPECT_EQ(small.questions, kMinQuestions);
    EXPECT_FALSE(small.timed());
    EXPECT_EQ(small.level, zorvel::operationInfo(zorvel::Operation::Mul).defaultLevel);
    EXPECT_EQ(small.type, zorvel::NumberType::Integer);
    EXPECT_EQ(small.limitText(), QStringLiteral("不限时"));

    for (const FluencyTest& test : {big, small, presets().back()}) {
        const std::optional<FluencyTest> again = testFromChoice(test.choice());
        ASSERT_TRUE(again) << test.choice().toStdString();
        EXPECT_EQ(again->name, test.name);
        EXPECT_EQ(again->choice(), test.choice());
    }
    for (const char* bad : {"", "custom", "custom:pow:Option3:integer:60:300:90", "custom:add:Option3:integer:x:300:90",
                            "custom:add:Option3:integer:60:301:90", "no-such-preset"})
        EXPECT_FALSE(testFromChoice(QString::fromUtf8(bad))) << bad;
}

} // namespace
