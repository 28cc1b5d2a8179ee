// The class's tables in SQL: the counting, the medians (window functions)
// and the grouping run in SQLite; names and dates are put together here.
#include "class_record/class_queries.h"

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
    QSqlQuery query = run(db, QStringLiteral(
        "WITH f AS (%1), ranked AS (SELECT p, r, ms, row_number() OVER (PARTITION BY p ORDER BY ms) AS n,"
        " count(*) OVER (PARTITION BY p) AS c FROM f)"
        " SELECT p, count(*), sum(r), avg(CASE WHEN n IN ((c + 1) / 2, (c + 2) / 2) THEN ms END) FROM ranked GROUP BY p")
                                  .arg(firstAnswers(range)));
    while (nextRow(query)) {
        PupilSummary& row = rows[query.value(0).toLongLong()];
        row.questions = query.value(1).toInt();
        row.accuracy = row.questions > 0 ? query.value(2).toDouble() / row.questions : 0.0;
        row.medianSeconds = query.value(3).toDouble() / 1000.0;
    }
    // Time spent: each question until its last answer, each practice answer.
    query = run(db, QStringLiteral(
        "SELECT p, sum(ms) FROM (SELECT t.pupil_id AS p, (SELECT max(ms) FROM answers a WHERE a.question_id = q.id) AS ms"
        " FROM tests t JOIN questions q ON q.test_id = t.id WHERE %1"
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
