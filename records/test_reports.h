// What a drill window tells the pupils' record while a pupil practises
// (TestRecorder), and the types it reports in. The drill windows see only
// this interface; the store behind it is chosen where the program is put
// together. Plain Qt Core types only: no SQL and no widgets cross this line.
#pragma once

#include "listening_pace/reading_settings.h"

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

namespace zorvel::records {

// How a test ended.
enum class TestEnd {
    Finished,     // the last question answered right (normal) or reached (listening)
    Restarted,    // "再测一次" before the end
    Reset,        // a level or number type chosen mid-test
    Reminder,     // broken off by the rest reminder
    Closed,       // the window closed mid-test ("返 回")
    Interrupted,  // the program ended (or crashed) mid-test; set as the store closes, or at the next start
};
QString testEndKey(TestEnd end);  // "finished", "restarted", "reset", "reminder", "closed", "interrupted"
std::optional<TestEnd> testEndFromKey(const QString& key);

// The exercise a test practises, as the window shows it.
struct Exercise {
    QString window;        // "Form81"
    QString operation;     // "add", "sub", "mixed", "mul", "div"
    QString mode;          // "normal", "listening"
    QString levelOption;   // "Option4": the widget that selects the level
    QString levelCaption;  // "2位 + 1位", as on screen
    QString numberType;    // "integer", "1dp", "2dp"
};

// One question as shown: its operand texts (the third empty but in the mixed
// windows) and its correct answer as text ("55", "4.7").
struct QuestionShown {
    std::array<QString, 3> operands;
    QString correctAnswer;
};

using TestId = qint64;

// How a 达标测试 came out.
struct FluencyResult {
    QString test;           // the test as chosen: a preset's key, or a teacher's own ("custom:…")
    int limitSeconds = 0;   // 0: no limit
    int questions = 0;      // the test's question count
    int correct = 0;
    qint64 elapsedMs = 0;
    bool passed = false;
};

// What a drill window reports. Every call returns at once: the store writes
// in the background, and a store that cannot write simply drops the record
// (the drill goes on unrecorded).
class TestRecorder {
public:
    virtual ~TestRecorder() = default;
    // redo: the test was opened by "重练" from the mistakes book.
    virtual TestId beginTest(const Exercise& exercise, const QDateTime& started, bool redo) = 0;
    virtual void recordQuestion(TestId test, int number, const QuestionShown& question) = 0;
    // An answer submitted in normal mode (or typed in listening mode):
    // the text as typed, whether it was right, ms since the question appeared.
    virtual void recordAnswer(TestId test, int number, const QString& text, bool right,
                              qint64 msSinceQuestion) = 0;
    virtual void recordPlaybackReached(TestId test) = 0;
    // The reading settings a listening test is read with; the last given
    // to a test holds.
    virtual void recordReadingSettings(TestId test, const ReadingSettings& settings) = 0;
    // stopwatchText: a finished normal test's reading as shown ("1:07.06"), else empty.
    virtual void endTest(TestId test, TestEnd end, const QString& stopwatchText) = 0;
    // The result of a 达标测试, told before its end.
    virtual void recordFluencyResult(TestId /*test*/, const FluencyResult& /*result*/) {}
    // The questions of the current pupil's mistakes book for this exercise,
    // oldest first, for a "重练" test.
    virtual std::vector<QuestionShown> redoQuestions(const Exercise& exercise) = 0;
};

} // namespace zorvel::records
