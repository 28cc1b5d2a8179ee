// The statements that change a record database, each one whole transaction.
// The store runs them on its writer thread; opening runs the first few on
// the caller's connection. Throws SqlFailure.
#pragma once

#include "records/record_store.h"

#include <QSqlDatabase>

namespace zorvel::records {

class RecordWrites {
public:
    explicit RecordWrites(QSqlDatabase db) : db_(std::move(db)) {}

    void beginTest(TestId id, qint64 pupil, const Exercise& exercise, const QDateTime& started, bool redo);
    void question(TestId test, int number, const QuestionShown& question);
    void answer(TestId test, int number, const QString& text, bool right, qint64 ms);
    void playbackReached(TestId test);
    void endTest(TestId test, TestEnd end, const QString& stopwatchText);
    void interruptRunningTests();

    // The current pupil, made first if there is none (named defaultName).
    Pupil ensureCurrentPupil(const QString& defaultName);
    void setCurrentPupil(qint64 id);
    std::optional<Pupil> addPupil(const QString& name);
    bool renamePupil(qint64 id, const QString& name);
    bool removePupil(qint64 id);

    void setInBook(qint64 questionId, bool inBook);

private:
    qint64 exerciseId(const Exercise& exercise);
    void bookFirstTry(TestId test, qint64 questionId, bool right);
    bool nameFree(const QString& name, qint64 except);

    QSqlDatabase db_;
};

} // namespace zorvel::records
