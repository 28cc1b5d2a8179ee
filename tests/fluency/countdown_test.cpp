// The countdown on a clock moved by hand: what it shows, when it runs out,
// and that stopping freezes it and a reset waits for the next start.
#include "fluency/countdown.h"

#include <gtest/gtest.h>

using zorvel::fluency::Countdown;

namespace {

struct Step {
    qint64 advanceMs;
    qint64 shown;
    qint64 untilExpiry;
    bool expired;
};

struct CountdownRow {
    const char* name;
    qint64 limitMs;
    std::vector<Step> steps;
};

class CountdownRows : public ::testing::TestWithParam<CountdownRow> {};

TEST_P(CountdownRows, ShowsAndRunsOutOnTheClock)
{
    qint64 now = 86'399'000;  // any start: the clock is monotonic, not the time of day
    Countdown countdown([&now] { return now; }, GetParam().limitMs);
    EXPECT_FALSE(countdown.expired());
    countdown.start();
    for (const Step& step : GetParam().steps) {
        now += step.advanceMs;
        EXPECT_EQ(countdown.shownMs(), step.shown) << "after " << step.advanceMs;
        EXPECT_EQ(countdown.msUntilExpiry(), step.untilExpiry);
        EXPECT_EQ(countdown.expired(), step.expired);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fluency, CountdownRows,
    ::testing::Values(
        CountdownRow{"five_minutes", 300000,
                     {{0, 300000, 300000, false}, {1, 299999, 299999, false}, {299979, 20, 20, false},
                      {19, 1, 1, false}, {1, 0, 0, true}, {5000, 0, 0, true}}},
        CountdownRow{"no_limit_counts_up", 0,
                     {{0, 0, -1, false}, {61000, 61000, -1, false}, {3600000, 3661000, -1, false}}}),
    [](const ::testing::TestParamInfo<CountdownRow>& info) { return std::string(info.param.name); });

TEST(Countdown, StopFreezesTheTimeUsed)
{
    qint64 now = 5000;
    Countdown countdown([&now] { return now; }, 60000);
    EXPECT_EQ(countdown.elapsedMs(), 0);
    countdown.start();
    now += 12345;
    countdown.stop();
    now += 100000;
    EXPECT_FALSE(countdown.isRunning());
    EXPECT_EQ(countdown.elapsedMs(), 12345);
    EXPECT_EQ(countdown.shownMs(), 60000 - 12345);
    EXPECT_FALSE(countdown.expired());

    // A clock read past the limit before the stop counts the limit only.
    countdown.start();
    now += 70000;
    countdown.stop();
    EXPECT_EQ(countdown.elapsedMs(), 60000);
    EXPECT_TRUE(countdown.expired());
}

TEST(Countdown, ResetWaitsForTheNextStart)
{
    qint64 now = 0;
    Countdown countdown([&now] { return now; }, 60000);
    countdown.start();
    now += 70000;
    ASSERT_TRUE(countdown.expired());
    countdown.reset();
    now += 5000;
    EXPECT_FALSE(countdown.isStarted());
    EXPECT_FALSE(countdown.isRunning());
    EXPECT_FALSE(countdown.expired());
    EXPECT_EQ(countdown.shownMs(), 60000);
    countdown.start();
    now += 2000;
    EXPECT_EQ(countdown.shownMs(), 58000);
}

} // namespace
