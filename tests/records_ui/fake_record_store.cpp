// The in-memory store and the practice it can be filled with.
#include "tests/records_ui/fake_record_store.h"

#include "normal_drill/family_table.h"
#include "questions/catalogue.h"
#include "records/record_reader.h"

#include <algorithm>

namespace zorvel::testing {

using records::BestTime;
using records::ChartPoint;
using records::Exercise;
using records::ListeningQuestion;
using records::Mistake;
using records::Pupil;
using records::QuestionShown;
using records::TestEnd;
using records::TestFilter;
using records::TestId;
using records::TestRow;

FakeRecordStore::FakeRecordStore()
{
    pupils_.push_back({1, QStringLiteral("小明")});
}

qint64 FakeRecordStore::addTest(qint64 pupil, TestRow row)
{
    row.id = ++lastId_;
    for (const Pupil& p : pupils_)
        if (p.id == pupil)
            row.pupil = p.name;
    tests_.push_back({pupil, row, records::stopwatchHundredths(row.time).value_or(0) / 100.0});
    return row.id;
}

void FakeRecordStore::addMistake(qint64 pupil, Mistake mistake)
{
    mistake.id = ++lastId_;
    mistakes_.emplace_back(pupil, mistake);
}

void FakeRecordStore::addListeningQuestions(TestId test, std::vector<ListeningQuestion> questions)
{
    listening_[test] = std::move(questions);
}

Pupil FakeRecordStore::currentPupil()
{
    for (const Pupil& pupil : pupils_)
        if (pupil.id == current_)
            return pupil;
    return pupils_.front();
}

std::optional<Pupil> FakeRecordStore::addPupil(const QString& name)
{
    const bool taken = std::any_of(pupils_.begin(), pupils_.end(), [&](const Pupil& p) { return p.name == name; });
    if (name.isEmpty() || taken)
        return std::nullopt;
    pupils_.push_back({++lastId_, name});
    return pupils_.back();
}

bool FakeRecordStore::renamePupil(qint64 id, const QString& name)
{
    if (name.isEmpty())
        return false;
    for (Pupil& pupil : pupils_)
        if (pupil.id == id)
            pupil.name = name;
    return true;
}

std::pair<int, int> FakeRecordStore::pupilRecordCount(qint64 id)
{
    const auto tests = std::count_if(tests_.begin(), tests_.end(), [&](const StoredTest& t) { return t.pupil == id; });
    const auto book = std::count_if(mistakes_.begin(), mistakes_.end(), [&](const auto& m) { return m.first == id; });
    return {static_cast<int>(tests), static_cast<int>(book)};
}

bool FakeRecordStore::removePupil(qint64 id)
{
    if (pupils_.size() < 2)
        return false;
    ++removals;
    pupils_.erase(std::remove_if(pupils_.begin(), pupils_.end(), [&](const Pupil& p) { return p.id == id; }), pupils_.end());
    if (current_ == id)
        current_ = pupils_.front().id;
    return true;
}

std::vector<TestRow> FakeRecordStore::tests(const TestFilter& filter)
{
    lastFilter = filter;
    std::vector<TestRow> rows;
    rows.reserve(tests_.size());
    for (auto it = tests_.rbegin(); it != tests_.rend(); ++it) {
        const TestRow& row = it->row;
        if ((filter.pupil && *filter.pupil != it->pupil)
            || (!filter.operation.isEmpty() && filter.operation != row.exercise.operation)
            || (!filter.mode.isEmpty() && filter.mode != row.exercise.mode)
            || (filter.since && row.started.date() < *filter.since)
            || (filter.until && row.started.date() > *filter.until))
            continue;
        rows.push_back(row);
    }
    return rows;
}

std::vector<BestTime> FakeRecordStore::bestTimes(qint64 pupil)
{
    std::vector<BestTime> best;
    std::vector<double> bestSeconds;
    for (const StoredTest& test : tests_) {
        if (test.pupil != pupil || test.row.time.isEmpty() || test.row.wrongAnswers > 0)
            continue;
        const Exercise& e = test.row.exercise;
        auto same = std::find_if(best.begin(), best.end(), [&](const BestTime& b) {
            return b.exercise.window == e.window && b.exercise.levelOption == e.levelOption
                && b.exercise.numberType == e.numberType;
        });
        if (same == best.end()) {
            best.push_back({e, test.row.time, test.row.started});
            bestSeconds.push_back(test.seconds);
        } else if (test.seconds < bestSeconds[static_cast<size_t>(same - best.begin())]) {
            *same = {e, test.row.time, test.row.started};
            bestSeconds[static_cast<size_t>(same - best.begin())] = test.seconds;
        }
    }
    std::sort(best.begin(), best.end(), [](const BestTime& a, const BestTime& b) {
        return std::tie(a.exercise.window, a.exercise.levelOption, a.exercise.numberType)
             < std::tie(b.exercise.window, b.exercise.levelOption, b.exercise.numberType);
    });
    return best;
}

std::vector<ChartPoint> FakeRecordStore::chart(qint64 pupil, const QString& window, const QString& levelOption,
                                               const QString& numberType)
{
    std::vector<ChartPoint> points;
    for (const StoredTest& test : tests_) {
        const Exercise& e = test.row.exercise;
        if (test.pupil == pupil && !test.row.time.isEmpty() && e.window == window && e.levelOption == levelOption
            && e.numberType == numberType)
            points.push_back({test.row.started, test.seconds, test.row.wrongQuestions});
    }
    return points;
}

std::vector<Mistake> FakeRecordStore::mistakes(qint64 pupil)
{
    std::vector<Mistake> book;
    for (const auto& [owner, mistake] : mistakes_)
        if (owner == pupil)
            book.push_back(mistake);
    std::stable_sort(book.begin(), book.end(), [](const Mistake& a, const Mistake& b) {
        return std::tie(a.exercise.window, a.exercise.levelOption, a.exercise.numberType)
             < std::tie(b.exercise.window, b.exercise.levelOption, b.exercise.numberType);
    });
    return book;
}

std::vector<TestRow> FakeRecordStore::listeningTests(qint64 pupil)
{
    std::vector<TestRow> rows;
    for (auto it = tests_.rbegin(); it != tests_.rend(); ++it)
        if (it->pupil == pupil && it->row.exercise.mode == QLatin1String("listening"))
            rows.push_back(it->row);
    return rows;
}

std::vector<ListeningQuestion> FakeRecordStore::listeningQuestions(TestId test)
{
    const auto found = listening_.find(test);
    return found == listening_.end() ? std::vector<ListeningQuestion>{} : found->second;
}

void FakeRecordStore::setInBook(qint64 questionId, bool inBook)
{
    bookChanges.emplace_back(questionId, inBook);
    for (auto& [test, questions] : listening_)
        for (ListeningQuestion& question : questions)
            if (question.questionId == questionId)
                question.inBook = inBook;
}

Exercise exerciseOf(const QString& operation, const QString& mode, const QString& levelOption,
                    const QString& numberType)
{
    const Operation op = *operationFromKey(operation.toStdString());
    const OperationInfo& info = operationInfo(op);
    const Level level = *levelFromName(op, levelOption.toStdString());
    return {catalogueText(mode == QLatin1String("normal") ? info.normalWindow : info.listeningWindow),
            operation, mode, levelOption, catalogueText(levelCaption(op, level)), numberType};
}

} // namespace zorvel::testing
