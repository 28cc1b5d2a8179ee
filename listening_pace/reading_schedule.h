// When the next reading of a listening test is due. The window tells the
// schedule what happens (a sentence handed to the voice, a reading heard to
// its end, pause, resume) with the time on its clock, and asks it with take()
// what is due now. Nothing here reads a clock or runs a timer.
//
// A question read twice is read again kRepeatPauseMs after its first reading
// ends; with questions following by themselves, the next one is due the gap
// after the last reading ends. A reading handed over while others are still
// being spoken ends when all of them have.
#pragma once

#include <cstdint>
#include <optional>

namespace zorvel {

enum class ReadingStep { None, ReadAgain, Next };

class ReadingSchedule {
public:
    // autoNext: after the last reading, Next is due gapMs later.
    void configure(bool autoNext, std::int64_t gapMs);

    // A sentence has been handed to the voice; twice: read it once more
    // after it ends. Cancels whatever was due.
    void readingStarted(std::int64_t now, bool twice);
    // The voice has spoken one sentence to its end.
    void readingEnded(std::int64_t now);
    // Holds whatever is due; on resume the rest of the wait follows.
    void pause(std::int64_t now);
    void resume(std::int64_t now);
    // Nothing due or awaited any more.
    void stop();

    bool paused() const { return paused_; }
    // Readings handed over and not yet heard.
    int readingsOutstanding() const { return outstanding_; }
    // When the next step is due on the caller's clock; none while paused or
    // while a reading is still being heard.
    std::optional<std::int64_t> dueAt() const;
    // The step due at `now`, once; None when nothing is due yet.
    ReadingStep take(std::int64_t now);

private:
    void plan(ReadingStep step, std::int64_t delay, std::int64_t now);

    bool autoNext_ = false;
    std::int64_t gapMs_ = 0;
    int outstanding_ = 0;
    bool againPlanned_ = false;
    bool paused_ = false;
    ReadingStep step_ = ReadingStep::None;
    std::int64_t due_ = 0;       // while not paused
    std::int64_t remaining_ = 0; // while paused
};

} // namespace zorvel
