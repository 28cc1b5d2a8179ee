// The clock of a 达标测试: started with the first question, it counts down
// the limit (or up, as a stopwatch, without one) on a monotonic clock that
// is handed in, so that a test can be run to its end without waiting.
#pragma once

#include <QtGlobal>

#include <functional>

namespace zorvel::fluency {

class Countdown {
public:
    using Clock = std::function<qint64()>;  // monotonic milliseconds

    // limitMs 0: no limit.
    Countdown(Clock clock, qint64 limitMs);

    void start();
    // Freezes the elapsed time (the test was handed in or ran out).
    void stop();
    // Back to before start(), for a new test on the same limit.
    void reset();
    bool isRunning() const { return running_; }
    bool isStarted() const { return started_; }

    // From start to now, or to stop(); never more than the limit.
    qint64 elapsedMs() const;
    // The limit less the elapsed time; 0 without a limit.
    qint64 remainingMs() const;
    bool expired() const;
    // What the pupil sees: the time left, or the time used without a limit.
    qint64 shownMs() const;
    // Milliseconds until the limit is reached (0 once it is); -1 without one.
    qint64 msUntilExpiry() const;

private:
    qint64 rawElapsedMs() const;

    Clock clock_;
    qint64 limitMs_;
    qint64 startMs_ = 0;
    qint64 stoppedElapsedMs_ = 0;
    bool started_ = false;
    bool running_ = false;
};

} // namespace zorvel::fluency
