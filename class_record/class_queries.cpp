// The class's tables in SQL: the counting, the medians (window functions)
// and the grouping run in SQLite; names and dates are put together here.
#include "class_record/class_queries.h"

#include "class_record/fast_statement.h"
#include "class_record/range_sql.h"
#include "records/fact_records.h"
#include "records/sql_support.h"

#include <QTimeZone>

#include <set>

namespace zorvel::classroom {

using records::nextRow;
using records::run;

namespace {

// First answers of the tests' questions and the daily practice's answers: pupil (p), right (r), ms.
QString firstAnswers(const DateRange& range)
{
    return QStringLiteral("SELECT t.pupil_id AS p, a.is_right AS r, a.ms AS ms FROM tests t JOIN questions q ON q.test_id = t.id"
                          " JOIN answers a ON a.question_id = q.id AND a.seq = 1 WHERE %1"
                          " UNION ALL SELECT pupil_id, is_right, ms FROM fact_answers WHERE %2")
        .arg(testsInRange(range), factsInRange(range));
}

QDate localDate(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).date();
}

void countTests(const QSqlDatabase& db, const DateRange& range, std::map<qint64, PupilSummary>& rows,
                std::map<qint64, std::set<QDate>>& days)
{
    QSqlQuery query = run(db, QStringLiteral("SELECT t.pupil_id, t.started FROM tests t WHERE ") + testsInRange(range));
    while (nextRow(query)) {
        const qint64 pupil = query.value(0).toLongLong();
        ++rows[pupil].tests;
        days[pupil].insert(localDate(query.value(1).toLongLong()));
    }
    query = run(db, QStringLiteral("SELECT DISTINCT pupil_id, day FROM fact_answers WHERE ") + factsInRange(range));
    while (nextRow(query))
        days[query.value(0).toLongLong()].insert(QDate::fromJulianDay(query.value(1).toLongLong()));
}

void countAnswers(const QSqlDatabase& db, const DateRange& range, std::map<qint64, PupilSummary>& rows)
{
    // Every first answer, pupil by pupil from the fastest: the count, the
    // right ones and the middle time.
    FastStatement first(db, QStringLiteral("SELECT p, r, ms FROM (%1) ORDER BY p, ms").arg(firstAnswers(range)));
    std::map<qint64, std::vector<qint64>> times;
    while (first.next()) {
        PupilSummary& row = rows[first.integer(0)];
        ++row.questions;
        row.accuracy = row.accuracy.value_or(0) + double(first.integer(1));
        times[first.integer(0)].push_back(first.integer(2));
    }
    for (auto& [pupil, ms] : times) {
        PupilSummary& row = rows[pupil];
        row.accuracy = *row.accuracy / row.questions;
        row.medianSeconds = double(ms[(ms.size() - 1) / 2] + ms[ms.size() / 2]) / 2000.0;
    }
    // Time spent: each question until its last answer, each practice answer.
    QSqlQuery query = run(db, QStringLiteral(
        "SELECT p, sum(m) FROM (SELECT t.pupil_id AS p, x.m AS m FROM (SELECT question_id, max(ms) AS m FROM answers"
        " GROUP BY question_id) x JOIN questions q ON q.id = x.question_id JOIN tests t ON t.id = q.test_id WHERE %1"
        " UNION ALL SELECT pupil_id, ms FROM fact_answers WHERE %2) GROUP BY p").arg(testsInRange(range), factsInRange(range)));
    while (nextRow(query))
        rows[query.value(0).toLongLong()].minutes = query.value(1).toDouble() / 60000.0;
    query = run(db, QStringLiteral("SELECT t.pupil_id, count(DISTINCT f.fluency_test) FROM fluency_results f"
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
    countAnswers(db, range, rows);
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
