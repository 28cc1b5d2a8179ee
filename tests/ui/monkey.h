// The monkey of the drill windows: a stream of random events (clicks on
// whatever is enabled and shown, keypad and keyboard keys, pastes of any
// content and length, "返 回" and reopening, the clock moved forwards,
// backwards and far ahead, the rest reminder answered) played on one window,
// with the invariants of monkey_invariants.h checked after every event and
// the round trip of each event timed.
#pragma once

#include "fakes.h"
#include "monkey_invariants.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <random>

namespace zorvel::testing {

// A number from the environment, or fallback.
quint64 fromEnvironment(const char* name, quint64 fallback);

// One monkey on one window: plays `count` events and says what broke first.
class Monkey {
public:
    Monkey(const QString& form, quint64 seed);

    QString play(int count);
    double worstMs() const { return worstMs_; }
    QString worstEvent() const { return worstEvent_; }
    int reminders() const { return reminders_; }
    int reopenings() const { return reopenings_; }
    int finishedTests() const { return finished_; }

private:
    int below(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random_)); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    void open();
    void wire();
    void event();
    void clickSomething(bool options);
    void clickProgress();
    void planAnswer();
    void playPlanned();
    void pressKey(QWidget* target);
    void paste();
    void moveClock();
    void awaitDueReminder();
    void reminderShown(const QString& title);
    void testBrokenOff();
    QString randomText();
    qint64 now() const { return clock_->now; }

    QString form_;
    std::mt19937_64 random_;
    std::shared_ptr<ManualClock> clock_ = std::make_shared<ManualClock>();
    std::shared_ptr<Recorder> record_ = std::make_shared<Recorder>();
    MessageBoxShower answerReminder_;
    std::unique_ptr<QDialog> dialog_;
    DrillWindow* window_ = nullptr;
    MonkeyKnowledge known_;
    bool diligent_ = false;
    bool running_ = false;  // the stopwatch of a normal test, as the events say
    qint64 startedAt_ = 0;
    std::deque<QString> lastEvents_;
    // Keys of an answer being typed, one per event: a button name or "key:c".
    std::deque<QString> planned_;
    QString current_;
    QStringList broken_;
    double worstMs_ = 0;
    // Events slower than this are printed (ZORVEL_MONKEY_SLOW_MS); 0: none.
    const double slowMs_ = double(fromEnvironment("ZORVEL_MONKEY_SLOW_MS", 0));
    QString worstEvent_;
    int reminders_ = 0;
    int reopenings_ = -1;  // the first opening is none
    int finished_ = 0;  // tests taken to "再测一次"
    bool wasFinished_ = false;
};

} // namespace zorvel::testing
