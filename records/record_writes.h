// The statements that change a record database, each one whole transaction.
// The store runs them on its writer thread. Throws SqlFailure.
#pragma once

#include <optional>

#include "records/pupil_register.h"
#include "records/test_reports.h"

#include <QSqlDatabase>

namespace zorvel::records {

class RecordWrites {
public:
    explicit RecordWrites(QSqlDatabase db) : db_(std::move(db)) {}
    const QSqlDatabase& database() const { return db_; }

    // The test is the current pupil's, written by the running copy session.
    void beginTest(TestId id, const QString& session, qint64 pupil, const Exercise& exercise, const QDateTime& started,
                   bool redo);
    void question(TestId test, int number, const QuestionShown& question);
    void answer(TestId test, int number, const QString& text, bool right, qint64 ms);
    void playbackReached(TestId test);
    void testReading(TestId test, const ReadingSettings& settings);
    void keepReading(qint64 pupil, const ReadingSettings& settings);
    // A 达标测试's result is written with its end, in one transaction: a test
    // is never on disk with a result but without its end.
    void endTest(TestId test, TestEnd end, const QString& stopwatchText,
                 const std::optional<FluencyResult>& result = std::nullopt);

    // The current pupil, made first if there is none (named defaultName;
    // *made says whether it was).
    Pupil ensureCurrentPupil(const QString& defaultName, bool* made = nullptr);
    Pupil currentPupil(qint64 chosen);  // `chosen` while it exists, else the saved current pupil
    void setCurrentPupil(qint64 id);
    std::optional<Pupil> addPupil(const QString& name);
    bool renamePupil(qint64 id, const QString& name);
    bool removePupil(qint64 id);

    void setInBook(qint64 questionId, bool inBook);
    void fluencyResult(TestId test, const FluencyResult& result);

private:
    qint64 exerciseId(const Exercise& exercise);
    void bookFirstTry(TestId test, qint64 questionId, bool right);
    // The question into the book (or out of it) under the normal-mode window
    // of its operation, whichever window showed it.
    void bookUnderNormalWindow(qint64 questionId, bool inBook);
    bool nameFree(const QString& name, qint64 except);

    QSqlDatabase db_;
};

// A new test's id: the time in its upper bits, so that ids follow the order
// in which tests were begun, and random lower bits, so that two copies of the
// program writing one record never choose the same id.
TestId newTestId();

} // namespace zorvel::records
