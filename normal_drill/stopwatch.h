// The stopwatch of a drill window: started at the first question of a test,
// read from a monotonic clock, and turned into the three captions minutes,
// seconds and hundredths. The window's 7 ms timer only asks for a reading.
#pragma once

#include <QString>
#include <QtGlobal>

namespace zorvel {

struct StopwatchReading {
    int minutes = 0;     // 0..59
    int seconds = 0;     // 0..59
    int hundredths = 0;  // 0..99
    QString minutesText() const;     // "0", "7", "10"
    QString secondsText() const;     // "05", "42"
    QString hundredthsText() const;  // "00", "98"
};

// The whole elapsed time rounded to hundredths (halves to even), then split:
// 65996 ms reads 1:06.00, 985 ms reads 0:00.98.
StopwatchReading readingFor(qint64 elapsedMs);

// Milliseconds from elapsedMs until the reading next changes, so that a
// repaint can be timed to the change instead of waiting for the next tick.
qint64 msUntilNextReadingChange(qint64 elapsedMs);

// A test running this long is broken off with the rest reminder.
inline constexpr qint64 kRestReminderMs = 10 * 60 * 1000 + 2 * 1000;

class Stopwatch {
public:
    void start(qint64 nowMs);
    void reset() { running_ = false; }
    bool isStarted() const { return running_; }
    qint64 elapsedMs(qint64 nowMs) const { return running_ ? nowMs - startMs_ : 0; }

private:
    bool running_ = false;
    qint64 startMs_ = 0;
};

} // namespace zorvel
