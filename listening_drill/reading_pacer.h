// The reading schedule on the window's clock: a timer that wakes when the
// schedule says a step is due and says which (read the question again, or
// go on to the next). The timer only wakes it; the clock decides, so a test
// moves an injected clock and the pacer follows.
#pragma once

#include "listening_pace/reading_schedule.h"
#include "normal_drill/drill_services.h"

#include <QObject>
#include <QTimer>

#include <memory>

namespace zorvel {

class ReadingPacer : public QObject {
    Q_OBJECT
public:
    ReadingPacer(std::shared_ptr<const MonotonicClock> clock, QObject* parent = nullptr);

    void configure(bool autoNext, int gapMs);
    // A sentence handed to the voice now (twice: read once more after it).
    void readingStarted(bool twice);
    // The voice has spoken one sentence to its end.
    void readingEnded();
    void pause();
    void resume();
    void stop();
    bool paused() const { return schedule_.paused(); }
    // Readings started and not yet ended.
    int readingsOutstanding() const { return schedule_.readingsOutstanding(); }

signals:
    void readAgainDue();
    void nextDue();

private:
    void rearm();
    void wake();

    std::shared_ptr<const MonotonicClock> clock_;
    ReadingSchedule schedule_;
    QTimer timer_;
};

} // namespace zorvel
