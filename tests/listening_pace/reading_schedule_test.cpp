// The reading schedule driven by scripts of events on a clock the test
// owns: each row is a run of "time event" steps, where "take" checks what
// is due at that time (none, again, next).
#include "listening_pace/reading_schedule.h"
#include "listening_pace/reading_settings.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace zorvel {
namespace {

struct ScheduleRow {
    const char* name;
    bool autoNext;
    int gapMs;
    const char* script;  // "time event[=expected]; ..."
};

const ScheduleRow kRows[] = {
    {"once_by_hand", false, 5000,
     "0 read1; 1800 end; 1800 take=none; 999999 take=none"},
    {"twice_by_hand", false, 5000,
     "0 read2; 1800 end; 2799 take=none; 2800 take=again; 2800 take=none; 2800 read1; 4600 end; 99999 take=none"},
    {"once_auto", true, 5000,
     "0 read1; 1800 end; 6799 take=none; 6800 take=next; 6800 take=none"},
    {"twice_auto_gap_after_second", true, 10000,
     "0 read2; 1000 end; 2000 take=again; 2000 read1; 3000 end; 12999 take=none; 13000 take=next"},
    {"gap_waits_for_every_queued_reading", true, 5000,
     "0 read1; 500 read1; 1000 end; 9000 take=none; 2000 end; 6999 take=none; 7000 take=next"},
    {"repeat_restarts_the_gap", true, 5000,
     "0 read1; 1000 end; 4000 read1; 5999 take=none; 6000 take=none; 5000 end; 9999 take=none; 10000 take=next"},
    {"repeat_cancels_the_second_reading", true, 5000,
     "0 read2; 1000 end; 1500 read1; 2000 take=none; 2500 end; 3500 take=none; 7499 take=none; 7500 take=next"},
    {"pause_holds_the_rest_of_the_gap", true, 5000,
     "0 read1; 1000 end; 3000 pause; 60000 take=none; 60000 resume; 62999 take=none; 63000 take=next"},
    {"pause_while_reading_holds_the_whole_gap", true, 5000,
     "0 read1; 500 pause; 1000 end; 30000 take=none; 30000 resume; 34999 take=none; 35000 take=next"},
    {"pause_holds_the_second_reading", true, 5000,
     "0 read2; 1000 end; 1500 pause; 9000 take=none; 9000 resume; 9499 take=none; 9500 take=again"},
    {"stop_forgets_everything", true, 5000,
     "0 read2; 1000 end; 1200 stop; 99999 take=none; 99999 end; 999999 take=none"},
    {"late_take_is_still_due_once", true, 15000,
     "0 read1; 1000 end; 50000 take=next; 50001 take=none"},
};

void PrintTo(const ScheduleRow& row, std::ostream* out)
{
    *out << row.name;
}

ReadingStep stepNamed(const std::string& name)
{
    return name == "again" ? ReadingStep::ReadAgain : name == "next" ? ReadingStep::Next : ReadingStep::None;
}

class ReadingScheduleTest : public ::testing::TestWithParam<ScheduleRow> {};

TEST_P(ReadingScheduleTest, followsItsScript)
{
    const ScheduleRow& row = GetParam();
    ReadingSchedule schedule;
    schedule.configure(row.autoNext, row.gapMs);
    std::istringstream steps(row.script);
    std::string step;
    while (std::getline(steps, step, ';')) {
        std::istringstream words(step);
        std::int64_t now = 0;
        std::string event;
        words >> now >> event;
        if (event == "read1" || event == "read2") {
            schedule.readingStarted(now, event == "read2");
        } else if (event == "end") {
            schedule.readingEnded(now);
        } else if (event == "pause") {
            schedule.pause(now);
        } else if (event == "resume") {
            schedule.resume(now);
        } else if (event == "stop") {
            schedule.stop();
        } else {
            ASSERT_EQ(event.rfind("take=", 0), 0u) << step;
            EXPECT_EQ(int(schedule.take(now)), int(stepNamed(event.substr(5)))) << "at step \"" << step << "\"";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ReadingScheduleTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadingSettingsText, readsBackAndIgnoresWhatItDoesNotKnow)
{
    const ReadingSettings slowTwice{SpeechPace::Slow, true, true, 15};
    EXPECT_EQ(readingSettingsFromText(readingSettingsText(slowTwice)), slowTwice);
    EXPECT_EQ(readingSettingsText(slowTwice), "pace=slow twice=1 auto=1 gap=15 hide=0");
    const ReadingSettings defaults;
    for (const char* broken : {"", "pace=quick", "gap=7", "gap=10x", "twice=yes auto=2", "garbage gap"})
        EXPECT_EQ(readingSettingsFromText(broken), defaults) << broken;
    EXPECT_EQ(readingSettingsFromText("gap=5 pace=fast").gapSeconds, 5);
    EXPECT_EQ(readingSettingsFromText("gap=5 pace=fast").pace, SpeechPace::Fast);
}

} // namespace
} // namespace zorvel
