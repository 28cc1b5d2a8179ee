// The fact_answers, fact_boxes and fact_plans tables.
#include "records/fact_records.h"

#include "common/window_texts.h"
#include "records/sql_support.h"

#include <QStringList>

namespace zorvel::records {

namespace {

// The last three grades, oldest first, as letters (F fast, S slow, T too
// slow, W wrong), then "@" and the day of the latest wrong answer, if any
// ("WFF@2461234"): a reader that knows only the letters skips the rest.
QString recentText(const facts::FactState& state)
{
    static const char letters[] = {'F', 'S', 'T', 'W'};
    QString text;
    for (int i = 0; i < state.recent.count; ++i)
        text += QLatin1Char(letters[static_cast<int>(state.recent.grades[static_cast<std::size_t>(i)])]);
    if (state.missedDay > 0)
        text += QLatin1Char('@') + QString::number(state.missedDay);
    return text;
}

void setRecentFromText(facts::FactState& state, const QString& text)
{
    for (QChar c : text.section(QLatin1Char('@'), 0, 0)) {
        const int grade = QStringLiteral("FSTW").indexOf(c);
        if (grade >= 0)
            state.recent.add(static_cast<facts::Grade>(grade));
    }
    state.missedDay = text.section(QLatin1Char('@'), 1, 1).toLongLong();
}

QString speedText(facts::Speed speed)
{
    return catalogueText(facts::speedKey(speed));
}

facts::Speed speedFromText(const QString& text)
{
    return facts::speedFromKey(text.toStdString()).value_or(facts::Speed::Standard);
}

// box, due, first_day, attempts, rights, recent, median_ms from column first on.
facts::FactState stateFromRow(const QSqlQuery& row, int first)
{
    facts::FactState state;
    state.box = row.value(first).toInt();
    state.due = row.value(first + 1).toLongLong();
    state.firstDay = row.value(first + 2).toLongLong();
    state.attempts = row.value(first + 3).toInt();
    state.rights = row.value(first + 4).toInt();
    setRecentFromText(state, row.value(first + 5).toString());
    if (state.recent.count > 0)
        state.last = state.recent.grades[static_cast<std::size_t>(state.recent.count - 1)];
    state.medianMs = row.value(first + 6).toInt();
    return state;
}

void writeState(const QSqlDatabase& db, qint64 pupil, int fact, const facts::FactState& state)
{
    run(db,
        QStringLiteral("INSERT OR REPLACE INTO fact_boxes (pupil_id, fact, box, due, first_day, attempts, rights,"
                       " recent, median_ms) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {pupil, fact, state.box, qint64(state.due), qint64(state.firstDay), state.attempts, state.rights,
         recentText(state), state.medianMs});
}

// The median of the fact's right answers within the time limit, from the
// stored answers.
int storedMedianMs(const QSqlDatabase& db, qint64 pupil, int fact)
{
    const QString where = QStringLiteral(" FROM fact_answers WHERE pupil_id = ? AND fact = ? AND is_right = 1 AND ms <= ?");
    const int count = scalar(db, QStringLiteral("SELECT count(*)") + where, {pupil, fact, facts::kTimeoutMs}).toInt();
    if (count == 0)
        return -1;
    QSqlQuery middle = run(db, QStringLiteral("SELECT ms") + where + QStringLiteral(" ORDER BY ms LIMIT ? OFFSET ?"),
                           {pupil, fact, facts::kTimeoutMs, count % 2 == 1 ? 1 : 2, (count - 1) / 2});
    std::vector<int> times;
    while (nextRow(middle))
        times.push_back(middle.value(0).toInt());
    return facts::medianOf(times);
}

} // namespace

void writeFactAnswer(const QSqlDatabase& db, qint64 pupil, const facts::FactAnswer& answer)
{
    if (answer.fact < 0 || answer.fact >= facts::kFactCount)
        return;
    Transaction transaction(db);
    applyFactAnswer(db, pupil, answer);
    transaction.commit();
}

void applyFactAnswer(const QSqlDatabase& db, qint64 pupil, const facts::FactAnswer& answer)
{
    facts::FactBook book;
    QSqlQuery row = run(db, QStringLiteral("SELECT box, due, first_day, attempts, rights, recent, median_ms"
                                           " FROM fact_boxes WHERE pupil_id = ? AND fact = ?"),
                        {pupil, answer.fact});
    if (nextRow(row))
        book.setState(answer.fact, stateFromRow(row, 0));
    run(db,
        QStringLiteral("INSERT INTO fact_answers (pupil_id, fact, is_right, ms, day, speed) VALUES (?, ?, ?, ?, ?, ?)"),
        {pupil, answer.fact, answer.right ? 1 : 0, answer.ms, qint64(answer.day), speedText(answer.speed)});
    facts::FactState state = book.apply(answer);
    state.medianMs = storedMedianMs(db, pupil, answer.fact);
    writeState(db, pupil, answer.fact, state);
}

std::vector<facts::FactAnswer> readFactAnswers(const QSqlDatabase& db, qint64 pupil)
{
    std::vector<facts::FactAnswer> answers;
    QSqlQuery query = run(db, QStringLiteral("SELECT fact, is_right, ms, day, speed FROM fact_answers"
                                             " WHERE pupil_id = ? ORDER BY id"),
                          {pupil});
    while (nextRow(query))
        answers.push_back({query.value(0).toInt(), query.value(1).toBool(), query.value(2).toInt(),
                           query.value(3).toLongLong(), speedFromText(query.value(4).toString())});
    return answers;
}

facts::FactBook readFactBook(const QSqlDatabase& db, qint64 pupil)
{
    facts::FactBook book;
    QSqlQuery query = run(db, QStringLiteral("SELECT fact, box, due, first_day, attempts, rights, recent, median_ms"
                                             " FROM fact_boxes WHERE pupil_id = ?"),
                          {pupil});
    while (nextRow(query)) {
        const int fact = query.value(0).toInt();
        if (fact >= 0 && fact < facts::kFactCount)
            book.setState(fact, stateFromRow(query, 1));
    }
    return book;
}

void rebuildFactBoxes(const QSqlDatabase& db)
{
    Transaction transaction(db);
    std::vector<qint64> pupils;
    QSqlQuery ids = run(db, QStringLiteral("SELECT DISTINCT pupil_id FROM fact_answers"));
    while (nextRow(ids))
        pupils.push_back(ids.value(0).toLongLong());
    run(db, QStringLiteral("DELETE FROM fact_boxes"));
    for (qint64 pupil : pupils) {
        const facts::FactBook book = facts::FactBook::rebuilt(readFactAnswers(db, pupil));
        for (int fact = 0; fact < facts::kFactCount; ++fact) {
            if (book.state(fact).asked())
                writeState(db, pupil, fact, book.state(fact));
        }
    }
    transaction.commit();
}

facts::PracticePlan readFactPlan(const QSqlDatabase& db, qint64 pupil)
{
    QSqlQuery query = run(db, QStringLiteral("SELECT sets, speed FROM fact_plans WHERE pupil_id = ?"), {pupil});
    facts::PracticePlan plan;
    if (!nextRow(query))
        return plan;
    plan.sets.clear();
    for (const QString& key : query.value(0).toString().split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (const std::optional<facts::FactSet> set = facts::setFromKey(key.toStdString()))
            plan.sets.push_back(*set);
    }
    plan.speed = speedFromText(query.value(1).toString());
    return plan;
}

void writeFactPlan(const QSqlDatabase& db, qint64 pupil, const facts::PracticePlan& plan)
{
    QStringList sets;
    for (facts::FactSet set : plan.sets)
        sets << catalogueText(facts::setKey(set));
    run(db, QStringLiteral("INSERT OR REPLACE INTO fact_plans (pupil_id, sets, speed) VALUES (?, ?, ?)"),
        {pupil, sets.join(QLatin1Char(',')), speedText(plan.speed)});
}

} // namespace zorvel::records
