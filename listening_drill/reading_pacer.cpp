// The pacer's timer: armed for the time left on the clock, at most a short
// while at once, so that a clock other than the timer's is followed too.
#include "listening_drill/reading_pacer.h"

#include <algorithm>

namespace zorvel {
namespace {

constexpr qint64 kLongestSleepMs = 50;

} // namespace

ReadingPacer::ReadingPacer(std::shared_ptr<const MonotonicClock> clock, QObject* parent)
    : QObject(parent), clock_(std::move(clock))
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &ReadingPacer::wake);
}

void ReadingPacer::configure(bool autoNext, int gapMs)
{
    schedule_.configure(autoNext, gapMs);
    rearm();
}

void ReadingPacer::readingStarted(bool twice)
{
    schedule_.readingStarted(clock_->nowMs(), twice);
    rearm();
}

void ReadingPacer::readingEnded()
{
    schedule_.readingEnded(clock_->nowMs());
    rearm();
}

void ReadingPacer::pause()
{
    schedule_.pause(clock_->nowMs());
    rearm();
}

void ReadingPacer::resume()
{
    schedule_.resume(clock_->nowMs());
    rearm();
}

void ReadingPacer::stop()
{
    schedule_.stop();
    rearm();
}

void ReadingPacer::rearm()
{
    const std::optional<std::int64_t> due = schedule_.dueAt();
    if (!due) {
        timer_.stop();
        return;
    }
    const qint64 left = std::max<qint64>(0, *due - clock_->nowMs());
    timer_.start(static_cast<int>(std::min(left, kLongestSleepMs)));
}

void ReadingPacer::wake()
{
    const ReadingStep step = schedule_.take(clock_->nowMs());
    rearm();
    if (step == ReadingStep::ReadAgain)
        emit readAgainDue();
    else if (step == ReadingStep::Next)
        emit nextDue();
}

} // namespace zorvel
