// The reading schedule's bookkeeping: one planned step at a time.
#include "listening_pace/reading_schedule.h"

#include "listening_pace/reading_settings.h"

#include <algorithm>

namespace zorvel {

void ReadingSchedule::configure(bool autoNext, std::int64_t gapMs)
{
    autoNext_ = autoNext;
    gapMs_ = gapMs;
    if (!autoNext_ && step_ == ReadingStep::Next)
        step_ = ReadingStep::None;
}

void ReadingSchedule::readingStarted(std::int64_t, bool twice)
{
    ++outstanding_;
    againPlanned_ = twice;
    step_ = ReadingStep::None;
}

void ReadingSchedule::readingEnded(std::int64_t now)
{
    if (outstanding_ == 0)
        return;
    if (--outstanding_ > 0)
        return;
    if (againPlanned_) {
        againPlanned_ = false;
        plan(ReadingStep::ReadAgain, kRepeatPauseMs, now);
    } else if (autoNext_) {
        plan(ReadingStep::Next, gapMs_, now);
    }
}

void ReadingSchedule::plan(ReadingStep step, std::int64_t delay, std::int64_t now)
{
    step_ = step;
    if (paused_)
        remaining_ = delay;
    else
        due_ = now + delay;
}

void ReadingSchedule::pause(std::int64_t now)
{
    if (paused_)
        return;
    paused_ = true;
    remaining_ = std::max<std::int64_t>(0, due_ - now);
}

void ReadingSchedule::resume(std::int64_t now)
{
    if (!paused_)
        return;
    paused_ = false;
    due_ = now + remaining_;
}

void ReadingSchedule::stop()
{
    outstanding_ = 0;
    againPlanned_ = false;
    paused_ = false;
    step_ = ReadingStep::None;
}

std::optional<std::int64_t> ReadingSchedule::dueAt() const
{
    if (paused_ || step_ == ReadingStep::None)
        return std::nullopt;
    return due_;
}

ReadingStep ReadingSchedule::take(std::int64_t now)
{
    const std::optional<std::int64_t> due = dueAt();
    if (!due || now < *due)
        return ReadingStep::None;
    const ReadingStep step = step_;
    step_ = ReadingStep::None;
    return step;
}

} // namespace zorvel
