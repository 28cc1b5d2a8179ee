// The facts, the common mistakes, the 达标测试 and the conflicts of the class.
#include "class_record/class_queries.h"

#include "class_record/fast_statement.h"
#include "class_record/range_sql.h"
#include "facts/fact.h"
#include "records/sql_support.h"

#include <algorithm>
#include <set>

namespace zorvel::classroom {

using records::nextRow;
using records::run;

namespace {

std::map<qint64, QString> pupilNames(const QSqlDatabase& db)
{
    std::map<qint64, QString> names;
    for (const ClassPupil& pupil : readClassPupils(db))
        names[pupil.id] = pupil.name;
    return names;
}

// The names of the pupils, in the order of the class.
QStringList inClassOrder(const std::set<qint64>& ids, const std::vector<ClassPupil>& pupils)
{
    QStringList names;
    for (const ClassPupil& pupil : pupils)
        if (ids.count(pupil.id))
            names << pupil.name;
    return names;
}

} // namespace

namespace {

// One fact's practice answers in the range: who answered it, who got it
// wrong, how often, and the times.
struct FactTally {
    std::set<qint64> asked;
    std::set<qint64> wrong;
    int wrongAnswers = 0;
    std::vector<qint64> ms;
};

// Every practice answer in the range, read in one pass and counted here.
std::map<int, FactTally> tallyFacts(const QSqlDatabase& db, const DateRange& range)
{
    std::map<int, FactTally> tallies;
    FastStatement answers(db, QStringLiteral("SELECT fact, pupil_id, is_right, ms FROM fact_answers WHERE ") +
                                  factsInRange(range));
    while (answers.next()) {
        FactTally& tally = tallies[int(answers.integer(0))];
        const qint64 pupil = answers.integer(1);
        tally.asked.insert(pupil);
        if (answers.integer(2) == 0)
            tally.wrong.insert(pupil);
        tally.wrongAnswers += int(1 - answers.integer(2));
        tally.ms.push_back(answers.integer(3));
    }
    return tallies;
}

} // namespace

std::vector<FactSummary> readFactSummaries(const QSqlDatabase& db, const DateRange& range)
{
    std::map<int, FactSummary> rows;
    std::map<int, FactTally> tallies = tallyFacts(db, range);
    for (auto& [fact, tally] : tallies) {
        FactSummary& row = rows[fact];
        row.pupilsAsked = int(tally.asked.size());
        row.wrongAnswers = tally.wrongAnswers;
        row.medianMs = qRound(medianOf(tally.ms));
    }
    for (const auto& [pupil, book] : readFactBooks(db))
        for (int fact = 0; fact < facts::kFactCount; ++fact)
            if (book.state(fact).isMastered())
                ++rows[fact].pupilsMastered;
    const std::vector<ClassPupil> pupils = readClassPupils(db);
    std::vector<FactSummary> summaries;
    for (auto& [fact, row] : rows) {
        row.fact = fact;
        const auto tally = tallies.find(fact);
        if (tally != tallies.end())
            row.pupilsWrong = inClassOrder(tally->second.wrong, pupils);
        summaries.push_back(row);
    }
    return summaries;
}

namespace {

struct MistakeKey {
    QString operation;
    QStringList operands;
    QString answer;
    bool operator<(const MistakeKey& other) const
    {
        return std::tie(operation, operands, answer) < std::tie(other.operation, other.operands, other.answer);
    }
};

void addMistake(std::map<MistakeKey, std::pair<std::set<qint64>, int>>& found, MistakeKey key, qint64 pupil, int times)
{
    auto& entry = found[std::move(key)];
    entry.first.insert(pupil);
    entry.second += times;
}

} // namespace

std::vector<ClassMistake> readClassMistakes(const QSqlDatabase& db, const DateRange& range)
{
    std::map<MistakeKey, std::pair<std::set<qint64>, int>> found;
    QSqlQuery query = run(db, QStringLiteral(
        "SELECT e.operation, q.first, q.second, q.third, q.answer, t.pupil_id, count(*) FROM answers a"
        " JOIN questions q ON q.id = a.question_id JOIN tests t ON t.id = q.test_id JOIN exercises e ON e.id = t.exercise_id"
        " WHERE a.is_right = 0 AND %1 GROUP BY e.operation, q.first, q.second, q.third, q.answer, t.pupil_id").arg(testsInRange(range)));
    while (nextRow(query)) {
        QStringList operands = {query.value(1).toString().trimmed(), query.value(2).toString().trimmed(),
                                query.value(3).toString().trimmed()};
        if (operands.last().isEmpty())
            operands.removeLast();
        addMistake(found, {query.value(0).toString(), operands, query.value(4).toString().trimmed()},
                   query.value(5).toLongLong(), query.value(6).toInt());
    }
    query = run(db, QStringLiteral("SELECT fact, pupil_id, count(*) FROM fact_answers WHERE is_right = 0 AND %1"
                                   " GROUP BY fact, pupil_id").arg(factsInRange(range)));
    while (nextRow(query)) {
        const facts::Fact fact = facts::Fact::at(query.value(0).toInt());
        const std::string_view key = facts::setKey(fact.set);
        addMistake(found, {QString::fromLatin1(key.data(), qsizetype(key.size())),
                           {QString::number(fact.first()), QString::number(fact.second())}, QString::number(fact.answer())},
                   query.value(1).toLongLong(), query.value(2).toInt());
    }
    const std::vector<ClassPupil> pupils = readClassPupils(db);
    std::vector<ClassMistake> mistakes;
    for (const auto& [key, entry] : found)
        mistakes.push_back({key.operation, key.operands, key.answer, int(entry.first.size()), entry.second,
                            inClassOrder(entry.first, pupils)});
    std::stable_sort(mistakes.begin(), mistakes.end(), [](const ClassMistake& a, const ClassMistake& b) {
        return std::tie(b.pupilsWrong, b.timesWrong) < std::tie(a.pupilsWrong, a.timesWrong);
    });
    return mistakes;
}

std::vector<FluencyTest> readFluencyTests(const QSqlDatabase& db, const DateRange& range)
{
    const std::map<qint64, QString> names = pupilNames(db);
    std::vector<FluencyTest> tests;
    QSqlQuery query = run(db, QStringLiteral(
        "SELECT t.pupil_id, t.started, f.fluency_test, f.limit_seconds, f.total, f.correct, f.elapsed_ms, f.passed"
        " FROM fluency_results f JOIN tests t ON t.id = f.test_id WHERE %1 ORDER BY t.started, t.id").arg(testsInRange(range)));
    while (nextRow(query)) {
        FluencyTest test;
        test.pupil = query.value(0).toLongLong();
        test.name = names.count(test.pupil) ? names.at(test.pupil) : QString();
        test.started = QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong());
        test.test = query.value(2).toString();
        test.result = {test.test, query.value(3).toInt(), query.value(4).toInt(), query.value(5).toInt(),
                       query.value(6).toLongLong(), query.value(7).toInt() != 0};
        tests.push_back(test);
    }
    return tests;
}

std::vector<Conflict> readConflicts(const QSqlDatabase& db)
{
    std::vector<Conflict> conflicts;
    QSqlQuery query = run(db, QStringLiteral("SELECT test_uuid, pupil, started, file, noticed FROM class_conflicts ORDER BY id"));
    while (nextRow(query))
        conflicts.push_back({query.value(0).toString(), query.value(1).toString(),
                             QDateTime::fromMSecsSinceEpoch(query.value(2).toLongLong()), query.value(3).toString(),
                             QDateTime::fromMSecsSinceEpoch(query.value(4).toLongLong())});
    return conflicts;
}

} // namespace zorvel::classroom
