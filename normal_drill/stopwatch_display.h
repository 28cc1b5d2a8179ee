// The stopwatch as the pupil sees it: the five labels Label5 ":" Label2 "."
// Label11, Timer1 ticking every 7 ms while a test runs, and the clock it
// reads. Each tick is handed to the window as the elapsed time; the window
// decides whether to show it.
#pragma once

#include "normal_drill/stopwatch.h"

#include <QObject>

#include <array>
#include <memory>

class QLabel;
class QTimer;
class QWidget;

namespace zorvel {

class MonotonicClock;
class TwipsLayout;

class StopwatchDisplay : public QObject {
    Q_OBJECT
public:
    StopwatchDisplay(QWidget* window, TwipsLayout& layout, int top, const QString& minutesCaption,
                     std::shared_ptr<const MonotonicClock> clock);

    // Starts with the first question of a test; a running stopwatch goes on.
    void startIfIdle();
    // Timer1 off; the reading stays on show.
    void stop();
    // Not started, showing "0" "00" "00".
    void zero();
    void show(qint64 elapsedMs);
    void setVisible(bool visible);
    // The reading on the labels, "1:07.06" (shown or hidden).
    QString shownText() const;

signals:
    void ticked(qint64 elapsedMs);

private:
    void tick();
    void showReading(const StopwatchReading& reading);

    std::shared_ptr<const MonotonicClock> clock_;
    Stopwatch stopwatch_;
    std::array<QLabel*, 5> labels_{};
    QTimer* timer_ = nullptr;
    // One extra repaint timed to the next change of the shown reading, so the
    // stopwatch never trails the 7 ms tick by a whole interval.
    QTimer* changeRepaint_ = nullptr;
};

} // namespace zorvel
