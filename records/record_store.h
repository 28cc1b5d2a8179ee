// The pupils' record: what the drill windows tell it while a pupil practises
// (TestRecorder) and what the records window, the menu and zorvel-records
// read back (RecordStore). The windows and the records window see only these
// interfaces; the SQLite store behind them is chosen where the program is put
// together. Plain Qt Core types only: no SQL and no widgets cross this line.
#pragma once

#include "listening_pace/reading_settings.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
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
    // The questions of the current pupil's mistakes book for this exercise,
    // oldest first, for a "重练" test.
    virtual std::vector<QuestionShown> redoQuestions(const Exercise& exercise) = 0;
};

struct Pupil {
    qint64 id = 0;
    QString name;
};

struct TestFilter {
    std::optional<qint64> pupil;       // none: every pupil
    QString operation;                 // empty: all
    QString mode;                      // empty: all
    std::optional<QDate> since, until; // inclusive, local dates
};

struct TestRow {
    TestId id = 0;
    QString pupil;
    QDateTime started;   // local time (held as its offset from UTC)
    Exercise exercise;
    int questions = 0;       // questions shown
    int wrongAnswers = 0;    // wrong answers submitted
    QString time;            // finished normal test's stopwatch reading, else empty
    TestEnd ended = TestEnd::Interrupted;
    bool playbackReached = false;
    bool redo = false;
};

struct BestTime {
    Exercise exercise;   // window, level, type
    QString time;        // "1:07.06"
    QDateTime when;
};

struct ChartPoint {
    QDateTime started;
    double seconds = 0;
    int wrongAnswers = 0;
};

// A question of the mistakes book.
struct Mistake {
    qint64 id = 0;
    Exercise exercise;
    QuestionShown question;
    int timesWrong = 0;
    QDateTime lastWrong;
};

// A listening test's twenty questions with whether each is in the book.
struct ListeningQuestion {
    qint64 questionId = 0;
    int number = 0;
    QuestionShown question;
    bool inBook = false;
};

class RecordStore : public TestRecorder {
public:
    // Empty when the store works; otherwise one Chinese sentence saying what
    // is wrong (shown once by the records window).
    virtual QString problem() const = 0;
    // Waits until everything recorded so far is on disk (or dropped).
    virtual void flush() = 0;
    // Empty when the latest read below returned the whole answer; otherwise
    // one Chinese sentence saying why it failed, and the read returned
    // nothing rather than part of the record.
    virtual QString readProblem() const { return {}; }

    virtual std::vector<Pupil> pupils() = 0;
    virtual Pupil currentPupil() = 0;
    virtual void setCurrentPupil(qint64 id) = 0;
    virtual std::optional<Pupil> addPupil(const QString& name) = 0;   // none: name taken or empty
    virtual bool renamePupil(qint64 id, const QString& name) = 0;
    // What removing the pupil loses: the number of tests and of book questions.
    virtual std::pair<int, int> pupilRecordCount(qint64 id) = 0;
    virtual bool removePupil(qint64 id) = 0;  // never the last pupil
    // The listening windows' reading settings kept for the pupil (the
    // defaults when none are kept), and keeping new ones.
    virtual ReadingSettings readingSettings(qint64 pupil) = 0;
    virtual void keepReadingSettings(qint64 pupil, const ReadingSettings& settings) = 0;

    // Ended tests only (a test still running is not listed), newest first.
    virtual std::vector<TestRow> tests(const TestFilter& filter) = 0;
    virtual std::vector<BestTime> bestTimes(qint64 pupil) = 0;
    virtual std::vector<ChartPoint> chart(qint64 pupil, const QString& window,
                                          const QString& levelOption, const QString& numberType) = 0;
    // Grouped by window, level, type; oldest first. A question ticked in a
    // listening test is booked under the normal-mode window of its operation.
    virtual std::vector<Mistake> mistakes(qint64 pupil) = 0;
    virtual std::vector<TestRow> listeningTests(qint64 pupil) = 0;
    virtual std::vector<ListeningQuestion> listeningQuestions(TestId test) = 0;
    virtual void setInBook(qint64 questionId, bool inBook) = 0;
};

} // namespace zorvel::records
