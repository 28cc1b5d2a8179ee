// What the records window and zorvel-records read back from the pupils'
// record: tests, best times, the chart, the mistakes book and the listening
// tests (RecordQueries), and ticking a question in or out of the book.
// Plain Qt Core types only.
#pragma once

#include "records/practice_week.h"
#include "records/test_reports.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

namespace zorvel::records {

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
    int questions = 0;       // questions shown (a 达标测试: its question count)
    int wrongAnswers = 0;    // wrong answers submitted
    int wrongQuestions = 0;  // questions answered wrong at the first try
    int answered = 0;        // questions given an answer
    QString time;            // finished test's time as the stopwatch shows it ("4:12.40"), else empty
    TestEnd ended = TestEnd::Interrupted;
    bool playbackReached = false;
    bool redo = false;
    std::optional<FluencyResult> fluency;  // a 达标测试's result
};

// The questions a test got wrong as the window said it ("错 2 题"): those
// answered wrong at the first try; for a 达标测试 every question of the test
// not answered right (unanswered ones too). None for a listening test in
// which nothing was typed: it was marked on paper, if at all.
inline std::optional<int> wrongQuestions(const TestRow& row)
{
    if (row.fluency)
        return row.fluency->questions - row.fluency->correct;
    if (row.exercise.mode == QLatin1String("listening") && row.answered == 0)
        return std::nullopt;
    return row.wrongQuestions;
}

struct BestTime {
    Exercise exercise;   // window, level, type
    QString time;        // "1:07.06"
    QDateTime when;
};

struct ChartPoint {
    QDateTime started;
    double seconds = 0;
    int wrongQuestions = 0;  // wrong at the first try, as in the tests table
};

// A pupil's best 达标 of one test: most correct, then the shortest time.
struct FluencyBest {
    int correct = 0;
    qint64 elapsedMs = 0;
    QDateTime when;
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

class RecordQueries {
public:
    virtual ~RecordQueries() = default;

    // Empty when the store works; otherwise one Chinese sentence saying what
    // is wrong (shown once by the records window).
    virtual QString problem() const = 0;
    // Empty when the latest read below returned the whole answer; otherwise
    // one Chinese sentence saying why it failed, and the read returned
    // nothing rather than part of the record.
    virtual QString readProblem() const { return {}; }

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

    // The pupil's best 达标 of a 达标测试 (FluencyResult::test); none yet.
    virtual std::optional<FluencyBest> fluencyBest(qint64 /*pupil*/, const QString& /*test*/) { return std::nullopt; }
    // The 达标测试 the pupil took last; empty when none.
    virtual QString lastFluencyTest(qint64 /*pupil*/) { return {}; }
    // Every pupil's seven days ending with lastDay, in the order they were added.
    virtual std::vector<PracticeWeek> practiceWeeks(const QDate& /*lastDay*/) { return {}; }
};

} // namespace zorvel::records
