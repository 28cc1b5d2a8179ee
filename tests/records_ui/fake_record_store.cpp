// The in-memory store and the practice it can be filled with.
#include "tests/records_ui/fake_record_store.h"

#include "normal_drill/family_table.h"
#include "questions/catalogue.h"
#include "records/record_reader.h"

#include <algorithm>
#include <random>

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
        if (test.pupil != pupil || test.row.time.isEmpty())
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
            points.push_back({test.row.started, test.seconds, test.row.wrongAnswers});
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

namespace {

struct Practised {
    Exercise exercise;
    double startSeconds;   // a beginner's time
    int digits[2];         // operand sizes for made-up questions
};

QuestionShown madeUpQuestion(const Practised& p, std::mt19937& random)
{
    auto draw = [&](int digits) {
        const int low = digits == 1 ? 2 : (digits == 2 ? 10 : 100);
        return std::uniform_int_distribution<int>(low, low * 10 - 1)(random);
    };
    const int a = draw(p.digits[0]);
    const int b = draw(p.digits[1]);
    const QString& op = p.exercise.operation;
    const int answer = op == QLatin1String("sub") ? a - b : (op == QLatin1String("mul") ? a * b : a + b);
    return {{QString::number(a), QString::number(b), QString()}, QString::number(answer)};
}

QString stopwatchText(double seconds)
{
    const int hundredths = static_cast<int>(seconds * 100);
    return QStringLiteral("%1:%2.%3").arg(hundredths / 6000).arg(hundredths / 100 % 60, 2, 10, QLatin1Char('0'))
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

void fillPractice(FakeRecordStore& store, int count, const QDate& lastDay, int days, quint32 seed)
{
    std::mt19937 random(seed);
    const std::vector<Practised> practised = {
        {exerciseOf("add", "normal", "Option4", "integer"), 70, {2, 1}},
        {exerciseOf("add", "normal", "Option5", "integer"), 95, {2, 2}},
        {exerciseOf("sub", "normal", "Option4", "integer"), 85, {2, 1}},
        {exerciseOf("mul", "normal", "Option3", "integer"), 60, {1, 1}},
        {exerciseOf("mixed", "normal", "Option4", "1dp"), 140, {2, 1}},
        {exerciseOf("add", "listening", "Option4", "integer"), 0, {2, 1}},
    };
    std::uniform_real_distribution<double> unit(0, 1);
    const QDateTime first(lastDay.addDays(-days + 1), QTime(17, 0));
    for (int i = 0; i < count; ++i) {
        const double progress = count > 1 ? double(i) / (count - 1) : 1.0;
        const Practised& p = practised[std::uniform_int_distribution<size_t>(0, practised.size() - 1)(random)];
        TestRow row;
        row.exercise = p.exercise;
        row.started = QDateTime(first.date().addDays(static_cast<qint64>(progress * (days - 1))),
                                QTime(16, 0).addSecs(i % 11 * 900));
        const bool listening = p.exercise.mode == QLatin1String("listening");
        const bool finished = listening || unit(random) < 0.85;
        row.ended = finished ? TestEnd::Finished : (unit(random) < 0.5 ? TestEnd::Closed : TestEnd::Reset);
        row.questions = listening ? 20 : (finished ? 10 : 1 + i % 9);
        row.wrongAnswers = listening ? 0 : static_cast<int>(unit(random) * (3.5 - 2.5 * progress));
        row.playbackReached = listening;
        row.redo = !listening && i % 23 == 0;
        if (finished && !listening)
            row.time = stopwatchText(p.startSeconds * (1.5 - 0.6 * progress) * (0.9 + 0.2 * unit(random)));
        const qint64 id = store.addTest(1, row);
        // Only the recent listening tests get their questions: a pupil marks this week's paper.
        if (listening && count - i <= 2000) {
            std::vector<ListeningQuestion> questions;
            for (int n = 1; n <= 20; ++n)
                questions.push_back({id * 100 + n, n, madeUpQuestion(p, random), false});
            store.addListeningQuestions(id, questions);
        }
        if (row.wrongAnswers > 0 && i % 5 == 0 && !listening)
            store.addMistake(1, {0, p.exercise, madeUpQuestion(p, random), row.wrongAnswers, row.started});
    }
}

} // namespace zorvel::testing
