// The countdown of a 达标测试 on an injected monotonic clock.
#include "fluency/countdown.h"

#include <algorithm>

namespace zorvel::fluency {

Countdown::Countdown(Clock clock, qint64 limitMs) : clock_(std::move(clock)), limitMs_(std::max<qint64>(limitMs, 0)) {}

void Countdown::start()
{
    startMs_ = clock_();
    stoppedElapsedMs_ = 0;
    started_ = true;
    running_ = true;
}

void Countdown::stop()
{
    if (!running_)
        return;
    stoppedElapsedMs_ = rawElapsedMs();
    running_ = false;
}

void Countdown::reset()
{
    startMs_ = stoppedElapsedMs_ = 0;
    started_ = running_ = false;
}

qint64 Countdown::rawElapsedMs() const
{
    if (!started_)
        return 0;
    const qint64 elapsed = running_ ? std::max<qint64>(clock_() - startMs_, 0) : stoppedElapsedMs_;
    return limitMs_ > 0 ? std::min(elapsed, limitMs_) : elapsed;
}

qint64 Countdown::elapsedMs() const { return rawElapsedMs(); }

qint64 Countdown::remainingMs() const { return limitMs_ > 0 ? limitMs_ - rawElapsedMs() : 0; }

bool Countdown::expired() const { return limitMs_ > 0 && started_ && rawElapsedMs() >= limitMs_; }

qint64 Countdown::shownMs() const { return limitMs_ > 0 ? remainingMs() : rawElapsedMs(); }

qint64 Countdown::msUntilExpiry() const
{
    if (limitMs_ == 0)
        return -1;
    return remainingMs();
}

} // namespace zorvel::fluency
