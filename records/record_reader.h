// Read-only queries over a record database: what the records window, the
// menu and zorvel-records show. Works on any open connection (the store's
// caller connection, or zorvel-records' read-only one); throws SqlFailure.
#pragma once

#include "records/pupil_register.h"
#include "records/record_queries.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <map>

namespace zorvel::records {

class RecordReader {
public:
    explicit RecordReader(QSqlDatabase db) : db_(std::move(db)) {}
    const QSqlDatabase& database() const { return db_; }

    std::vector<Pupil> pupils() const;                  // in the order they were added
    std::optional<qint64> savedCurrentPupil() const;
    std::pair<int, int> pupilRecordCount(qint64 pupil) const;
    ReadingSettings readingSettings(qint64 pupil) const;

    std::vector<TestRow> tests(const TestFilter& filter) const;  // ended tests, newest first
    std::vector<BestTime> bestTimes(qint64 pupil) const;
    std::vector<ChartPoint> chart(qint64 pupil, const QString& window, const QString& levelOption,
                                  const QString& numberType) const;
    std::vector<Mistake> mistakes(qint64 pupil) const;
    std::vector<ListeningQuestion> listeningQuestions(TestId test) const;
    std::vector<QuestionShown> redoQuestions(qint64 pupil, const Exercise& exercise) const;
    std::optional<FluencyBest> fluencyBest(qint64 pupil, const QString& test) const;
    QString lastFluencyTest(qint64 pupil) const;

private:
    std::map<qint64, Exercise> exercises() const;
    bool hasFluencyResults() const;

    QSqlDatabase db_;
};

// A question's three operands and answer, from column on.
QuestionShown questionAt(const QSqlQuery& query, int column);
// The columns (of q the question, t its test, e the test's exercise) of one
// question, as a query before its row.
QSqlQuery questionRow(const QSqlDatabase& db, qint64 questionId, const QString& columns);

// "1:07.06" -> 6706 hundredths; none for anything else.
std::optional<int> stopwatchHundredths(const QString& text);
// 252400 ms -> "4:12.40", as the stopwatch writes it (hundredths rounded down).
QString stopwatchText(qint64 ms);

} // namespace zorvel::records
