// The week read day by day: first answers of the tests' questions (a daily
// practice is recorded as a test too), the facts' boxes replayed to the
// week's start and to now, and the 达标测试 results.
#include "records/practice_week.h"

#include "records/fact_records.h"
#include "records/sql_support.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace zorvel::records {

namespace {

void countAnswer(PracticeDay& day, bool right, qint64 ms)
{
    ++day.questions;
    day.rightFirst += right ? 1 : 0;
    day.ms += ms;
}

void readTestAnswers(const QSqlDatabase& db, qint64 pupil, PracticeWeek& week)
{
    const QDate first = week.days.front().date;
    // Each question once: its first answer decides right or wrong, its last
    // one how long it took.
    QSqlQuery query = run(db, QStringLiteral("SELECT t.started, a.is_right,"
                                             " (SELECT max(ms) FROM answers WHERE question_id = q.id)"
                                             " FROM tests t JOIN questions q ON q.test_id = t.id"
                                             " JOIN answers a ON a.question_id = q.id AND a.seq = 1"
                                             " WHERE t.pupil_id = ? AND t.started >= ? AND t.started < ?"),
                          {pupil, first.startOfDay().toMSecsSinceEpoch(),
                           week.days.back().date.addDays(1).startOfDay().toMSecsSinceEpoch()});
    while (nextRow(query)) {
        const qint64 day = first.daysTo(QDateTime::fromMSecsSinceEpoch(query.value(0).toLongLong()).date());
        if (day >= 0 && day < 7)
            countAnswer(week.days[std::size_t(day)], query.value(1).toBool(), query.value(2).toLongLong());
    }
}

void readFacts(const QSqlDatabase& db, qint64 pupil, PracticeWeek& week)
{
    const facts::Day first = week.days.front().date.toJulianDay();
    facts::FactBook book;
    std::array<bool, facts::kFactCount> masteredBefore{};
    bool weekBegun = false;
    for (const facts::FactAnswer& answer : readFactAnswers(db, pupil)) {
        if (answer.day >= first && !weekBegun) {
            weekBegun = true;
            for (int f = 0; f < facts::kFactCount; ++f)
                masteredBefore[std::size_t(f)] = book.state(f).isMastered();
        }
        book.apply(answer);
    }
    if (!weekBegun)
        return;
    for (int f = 0; f < facts::kFactCount; ++f)
        week.factsMastered += book.state(f).isMastered() && !masteredBefore[std::size_t(f)] ? 1 : 0;
}

void readFluency(const QSqlDatabase& db, qint64 pupil, PracticeWeek& week)
{
    // A record that could not be brought up to date has no such table.
    if (scalar(db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'fluency_results'")).toInt() == 0)
        return;
    week.fluencyPassed = scalar(db, QStringLiteral("SELECT count(*) FROM fluency_results f JOIN tests t"
                                                   " ON t.id = f.test_id WHERE t.pupil_id = ? AND f.passed"
                                                   " AND t.started >= ? AND t.started < ?"),
                                {pupil, week.days.front().date.startOfDay().toMSecsSinceEpoch(),
                                 week.days.back().date.addDays(1).startOfDay().toMSecsSinceEpoch()})
                             .toInt();
}

} // namespace

int PracticeWeek::daysPractised() const
{
    int n = 0;
    for (const PracticeDay& day : days)
        n += day.questions > 0 ? 1 : 0;
    return n;
}

int PracticeWeek::minutes() const
{
    qint64 ms = 0;
    for (const PracticeDay& day : days)
        ms += day.ms;
    return int((ms + 30000) / 60000);
}

int PracticeWeek::questions() const
{
    int n = 0;
    for (const PracticeDay& day : days)
        n += day.questions;
    return n;
}

int PracticeWeek::rightPercent() const
{
    int right = 0;
    for (const PracticeDay& day : days)
        right += day.rightFirst;
    return questions() > 0 ? (right * 100 + questions() / 2) / questions() : -1;
}

PracticeWeek readPracticeWeek(const QSqlDatabase& db, qint64 pupil, const QDate& lastDay)
{
    PracticeWeek week;
    week.pupil = pupil;
    for (int i = 0; i < 7; ++i)
        week.days[std::size_t(i)].date = lastDay.addDays(i - 6);
    readTestAnswers(db, pupil, week);
    readFacts(db, pupil, week);
    readFluency(db, pupil, week);
    return week;
}

} // namespace zorvel::records
