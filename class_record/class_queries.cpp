// The class's tables in SQL: the counting, the medians (window functions)
// and the grouping run in SQLite; names and dates are put together here.
#include "class_record/class_queries.h"

#include "class_record/fast_statement.h"
#include "class_record/range_sql.h"
#include "records/fact_records.h"
#include "records/sql_support.h"

#include <QTimeZone>

#include <algorithm>
#include <set>

namespace zorvel::classroom {

using records::nextRow;
using records::run;

namespace {

// A pupil's answers as the table counts them: each question's (or practice
// answer's) first answer, right or not, and the time until its last answer.
struct AnswerTally {
    int questions = 0;
    int rights = 0;
    qint64 ms = 0;
    std::vector<qint64> firstMs;

    void add(bool right, qint64 first, qint64 last)
    {
        ++questions;
        rights += right ? 1 : 0;
        ms += last;
        firstMs.push_back(first);
    }
    double median() { return medianOf(firstMs); }
};

// Every answer of the tests in the order of the answers' key (by question,
// then seq), read in one pass.
void tallyAnswers(const QSqlDatabase& db, const DateRange& range, std::map<qint64, AnswerTally>& tallies)
{
    FastStatement answers(db, QStringLiteral("SELECT t.pupil_id, a.question_id, a.is_right, a.ms FROM answers a"
                                             " JOIN questions q ON q.id = a.question_id JOIN tests t ON t.id = q.test_id"
                                             " WHERE %1 ORDER BY a.question_id, a.seq").arg(testsInRange(range)));
    qint64 question = -1, pupil = 0, firstMs = 0, lastMs = 0;
    bool right = false;
    while (answers.next()) {
        if (answers.integer(1) != question) {
            if (question >= 0)
                tallies[pupil].add(right, firstMs, lastMs);
            question = answers.integer(1);
            pupil = answers.integer(0);
            right = answers.integer(2) != 0;
            firstMs = lastMs = answers.integer(3);
        }
        lastMs = std::max(lastMs, answers.integer(3));
    }
    if (question >= 0)
        tallies[pupil].add(right, firstMs, lastMs);
}

// The daily practice's answers, and the days they were given on (a day's
// answers come one after another).
void tallyPractice(const QSqlDatabase& db, const DateRange& range, std::map<qint64, AnswerTally>& tallies,
                   std::map<qint64, std::set<QDate>>& days)
{
    FastStatement practice(db, QStringLiteral("SELECT pupil_id, is_right, ms, day FROM fact_answers WHERE ") +
                                   factsInRange(range));
    qint64 lastPupil = -1, lastDay = -1;
    while (practice.next()) {
        const qint64 pupil = practice.integer(0);
        tallies[pupil].add(practice.integer(1) != 0, practice.integer(2), practice.integer(2));
        if (pupil != lastPupil || practice.integer(3) != lastDay)
            days[pupil].insert(QDate::fromJulianDay(practice.integer(3)));
        lastPupil = pupil;
        lastDay = practice.integer(3);
    }
}

QDate localDate(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).date();
}

void countTests(const QSqlDatabase& db, const DateRange& range, std::map<qint64, PupilSummary>& rows,
                std::map<qint64, std::set<QDate>>& days)
{
    FastStatement tests(db, QStringLiteral("SELECT t.pupil_id, t.started FROM tests t WHERE ") + testsInRange(range));
    while (tests.next()) {
        const qint64 pupil = tests.integer(0);
        ++rows[pupil].tests;
        days[pupil].insert(localDate(tests.integer(1)));
    }
}

void countAnswers(const QSqlDatabase& db, const DateRange& range, std::map<qint64, PupilSummary>& rows,
                  std::map<qint64, std::set<QDate>>& days)
{
    std::map<qint64, AnswerTally> tallies;
    tallyAnswers(db, range, tallies);
    tallyPractice(db, range, tallies, days);
    for (auto& [pupil, tally] : tallies) {
        PupilSummary& row = rows[pupil];
        row.questions = tally.questions;
        row.accuracy = double(tally.rights) / tally.questions;
        row.medianSeconds = tally.median() / 1000.0;
        row.minutes = double(tally.ms) / 60000.0;
    }
    QSqlQuery query = run(db, QStringLiteral("SELECT t.pupil_id, count(DISTINCT f.fluency_test) FROM fluency_results f"
                                   " JOIN tests t ON t.id = f.test_id WHERE f.passed = 1 AND %1 GROUP BY t.pupil_id")
                        .arg(testsInRange(range)));
    while (nextRow(query))
        rows[query.value(0).toLongLong()].fluencyPassed = query.value(1).toInt();
}

int masteredCount(const facts::FactBook& book)
{
    int mastered = 0;
    for (int fact = 0; fact < facts::kFactCount; ++fact)
        mastered += book.state(fact).isMastered() ? 1 : 0;
    return mastered;
}

} // namespace

double medianOf(std::vector<qint64>& values)
{
    const auto middle = values.begin() + qsizetype(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 == 1)
        return double(*middle);
    return (double(*middle) + double(*std::max_element(values.begin(), middle))) / 2;
}

std::vector<ClassPupil> readClassPupils(const QSqlDatabase& db)
{
    std::vector<ClassPupil> pupils;
    QSqlQuery query = run(db, QStringLiteral("SELECT p.id, p.name, coalesce(r.student_number, '') FROM pupils p"
                                             " LEFT JOIN class_roster r ON r.name = p.name"
                                             " ORDER BY r.position IS NULL, r.position, p.name"));
    while (nextRow(query))
        pupils.push_back({query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString()});
    return pupils;
}

std::map<qint64, facts::FactBook> readFactBooks(const QSqlDatabase& db)
{
    std::map<qint64, facts::FactBook> books;
    for (const ClassPupil& pupil : readClassPupils(db))
        books.emplace(pupil.id, records::readFactBook(db, pupil.id));
    return books;
}

std::vector<PupilSummary> readPupilSummaries(const QSqlDatabase& db, const DateRange& range)
{
    std::map<qint64, PupilSummary> rows;
    std::map<qint64, std::set<QDate>> days;
    countTests(db, range, rows, days);
    countAnswers(db, range, rows, days);
    std::vector<PupilSummary> summaries;
    for (const ClassPupil& pupil : readClassPupils(db)) {
        PupilSummary row = rows[pupil.id];
        row.id = pupil.id;
        row.name = pupil.name;
        row.studentNumber = pupil.studentNumber;
        const std::set<QDate>& active = days[pupil.id];
        row.days = int(active.size());
        if (!active.empty())
            row.lastActive = *active.rbegin();
        if (row.questions == 0)
            row.accuracy = row.medianSeconds = std::nullopt;
        row.factsMastered = masteredCount(records::readFactBook(db, pupil.id));
        summaries.push_back(row);
    }
    return summaries;
}

} // namespace zorvel::classroom
