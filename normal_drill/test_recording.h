// What a drill window tells the pupils' record about the test on screen: the
// test begun with its first question, each question shown, each answer
// checked (with the time since its question appeared), the playback reached
// and how the test ended. Without a recorder nothing is told.
#pragma once

#include "listening_pace/reading_settings.h"
#include "questions/question.h"
#include "records/test_reports.h"

#include <memory>
#include <optional>

namespace zorvel {

class MonotonicClock;

class TestRecording {
public:
    TestRecording(records::TestRecorder* recorder, std::shared_ptr<const MonotonicClock> clock);

    // A test begun and not yet ended.
    bool isOpen() const { return open_; }
    void begin(const records::Exercise& exercise, const QDateTime& started, bool redo);
    void question(int number, const Question& question);
    // A question shown that the record does not keep (another exercise than
    // the test's): its answers are not told either.
    void questionNotKept() { lastNumber_ = 0; }
    // An answer to the question shown last; nothing when no question of a
    // test is on screen.
    void answer(const QString& text, bool right);
    // Once per test.
    void playbackReached();
    // A 达标测试's result, before its end.
    void fluencyResult(const records::FluencyResult& result);
    // The reading settings of a listening test: told for the open test, and
    // for every test begun from now on.
    void readingSettings(const ReadingSettings& settings);
    // Ends the open test; the ended test's questions stay on screen for the
    // answers still typed to them (listening mode) until forget().
    void end(records::TestEnd end, const QString& stopwatchText = QString());
    // The questions left the screen: later answers belong to no test.
    void forget();

private:
    records::TestRecorder* recorder_;
    std::shared_ptr<const MonotonicClock> clock_;
    records::TestId test_ = 0;
    bool open_ = false;
    bool playbackReached_ = false;
    std::optional<ReadingSettings> reading_;
    int lastNumber_ = 0;        // the question shown last, 0 when none
    qint64 lastShownMs_ = 0;    // when it appeared
};

// The question as the record keeps it: operand texts and the answer's text.
records::QuestionShown shownQuestion(const Question& question);

} // namespace zorvel
