// The daily practice on the offscreen platform, for a pupil with ten years
// of practice in all four sets (73,000 answers), in memory and in the real
// record store on a temporary file, where ten years of the other windows'
// tests add their first answers to the boxes (a normal test a day, a
// 达标测试 and a listening test a week: about 80,000 answers more):
//   BM_DailyConfirmToNextPainted  a click of "确定" on a right answer until
//                     the next question is painted (the answer stored, the
//                     box moved, the next fact chosen)
//   BM_ChooseSession  the boxes read from the store and the day's 20 chosen
//   BM_GridPainted    the boxes read from the store and the grid of the four
//                     sets painted
//   BM_RebuildBoxes   every box of the record made again from its answers
#include "bench/facts/ten_years.h"
#include "daily_practice/daily_window.h"
#include "fact_grid/fact_grid.h"
#include "records/fact_records.h"
#include "records/record_writes.h"
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"

#include "ui_bench.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <random>

using namespace zorvel;

namespace {

facts::MemoryFactStore& tenYearStore()
{
    static facts::MemoryFactStore store = [] {
        facts::MemoryFactStore filled;
        filled.setPlan(facts::allFourSets());
        for (const facts::FactAnswer& answer : facts::tenYearsOfAnswers())
            filled.recordAnswer(answer);
        return filled;
    }();
    return store;
}

QString recordPath()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("records.db"));
}

// One test of a window with its questions of basic facts of the operation,
// each answered once (90 % right, in 1 to 8 s), as the writer records it.
void writeTest(records::RecordWrites& writes, qint64 pupil, const records::Exercise& exercise, const QDateTime& started,
               int questions, std::mt19937& random)
{
    static records::TestId id = 0;
    ++id;
    writes.beginTest(id, QStringLiteral("bench"), pupil, exercise, started, false);
    const facts::FactSet set = *facts::setFromKey(exercise.operation.toStdString());
    for (int n = 1; n <= questions; ++n) {
        const facts::Fact fact{set, int(random() % 9) + 1, int(random() % 9) + 1};
        const QString answer = QString::number(fact.answer());
        writes.question(id, n, {{QString::number(fact.first()), QString::number(fact.second()), QString()}, answer});
        const bool right = random() % 10 != 0;
        writes.answer(id, n, right ? answer : QStringLiteral("0"), right, 1000 + random() % 7000);
    }
    writes.endTest(id, records::TestEnd::Finished, QStringLiteral("1:00.00"));
}

// The other windows' tests of one day.
void writeOtherTests(records::RecordWrites& writes, qint64 pupil, facts::Day day, std::mt19937& random)
{
    const QDateTime evening = QDate::fromJulianDay(day).startOfDay().addSecs(18 * 3600);
    writeTest(writes, pupil, {"Form84", "mul", "normal", "Option3", "1位 × 1位", "integer"}, evening, 10, random);
    if (day % 7 == 0)
        writeTest(writes, pupil, {"FormFluency4", "div", "fluency", "Option3", "÷1位=1位", "integer"},
                  evening.addSecs(600), 60, random);
    if (day % 7 == 3)
        writeTest(writes, pupil, {"Form92", "sub", "listening", "Option4", "20以内", "integer"}, evening.addSecs(600),
                  20, random);
}

// The same ten years in a record file, day by day: the daily practice's
// answers and the other windows' tests, the boxes kept with each of those.
facts::FactStore& tenYearRecord()
{
    static records::SqliteRecordStore store = [] {
        const QString path = recordPath();
        {
            records::SqliteRecordStore made(path, QStringLiteral("bench"));
            made.setPlan(facts::allFourSets());
        }
        {
            const QSqlDatabase db = records::openConnection(QStringLiteral("fill"), path, false);
            records::run(db, QStringLiteral("PRAGMA synchronous = OFF"));
            const qint64 pupil = records::scalar(db, QStringLiteral("SELECT min(id) FROM pupils")).toLongLong();
            records::RecordWrites writes(db);
            std::mt19937 random(11);
            const std::vector<facts::FactAnswer> practice = facts::tenYearsOfAnswers();
            std::size_t next = 0;
            for (facts::Day day = facts::kTenYearsFirstDay; day < facts::kTenYearsFirstDay + facts::kTenYearsDays; ++day) {
                records::Transaction transaction(db);
                for (; next < practice.size() && practice[next].day == day; ++next)
                    records::run(db, QStringLiteral("INSERT INTO fact_answers (pupil_id, fact, is_right, ms, day, speed)"
                                                    " VALUES (?, ?, ?, ?, ?, 'standard')"),
                                 {pupil, practice[next].fact, practice[next].right ? 1 : 0, practice[next].ms, qint64(day)});
                transaction.commit();
                writeOtherTests(writes, pupil, day, random);
            }
            records::rebuildFactBoxes(db);
            const int answers = records::scalar(db, QStringLiteral("SELECT count(*) FROM fact_answers")).toInt();
            std::fprintf(stderr, "record: %d answers in the boxes\n", answers);
        }
        records::closeConnection(QStringLiteral("fill"));
        return records::SqliteRecordStore(path, QStringLiteral("bench"));
    }();
    return store;
}

facts::FactStore& chosenStore(const benchmark::State& state)
{
    return state.range(0) ? tenYearRecord() : static_cast<facts::FactStore&>(tenYearStore());
}

void BM_DailyConfirmToNextPainted(benchmark::State& state)
{
    facts::FactStore& store = chosenStore(state);
    int day = 0;
    auto dialog = createDailyPracticeWindow(quietServices(), store, [&day] {
        return QDate::fromJulianDay(facts::kTenYearsFirstDay + facts::kTenYearsDays + day);
    });
    auto* window = static_cast<DailyPracticeWindow*>(dialog.get());
    showAtDesignedSize(dialog.get());
    press(window, QStringLiteral("Command1"));
    QApplication::processEvents();
    auto* confirm = window->findChild<QAbstractButton*>(QStringLiteral("Command16"));
    std::vector<double> clicks;
    for (auto _ : state) {
        state.PauseTiming();
        while (!window->currentFact()) {
            // The session is over: the next day's.
            ++day;
            press(window, QStringLiteral("Command3"));
            press(window, QStringLiteral("Command1"));
            QApplication::processEvents();
        }
        typeAnswer(window, QString::number(window->currentFact()->answer()));
        QApplication::processEvents();
        state.ResumeTiming();
        timeClickToPainted(state, confirm, clicks);
    }
    reportClickPercentiles(state, clicks);
}
BENCHMARK(BM_DailyConfirmToNextPainted)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(400)
    ->ArgName("record")->Arg(0)->Arg(1);

void BM_ChooseSession(benchmark::State& state)
{
    facts::FactStore& store = chosenStore(state);
    const facts::Day today = facts::kTenYearsFirstDay + facts::kTenYearsDays;
    for (auto _ : state) {
        facts::DailySession session(store.book(), store.plan(), today, facts::seededDraws(1));
        int chosen = 0;
        while (session.next())
            ++chosen;
        benchmark::DoNotOptimize(chosen);
    }
}
BENCHMARK(BM_ChooseSession)->Unit(benchmark::kMillisecond)->ArgName("record")->Arg(0)->Arg(1);

void BM_GridPainted(benchmark::State& state)
{
    facts::FactStore& store = chosenStore(state);
    facts::FactGrid grid;
    grid.resize(600, 640);
    grid.show();
    QApplication::processEvents();
    const facts::Day today = facts::kTenYearsFirstDay + facts::kTenYearsDays;
    for (auto _ : state) {
        grid.showBook(store.book(), facts::allFourSets().sets, today);
        grid.repaint();
    }
}
BENCHMARK(BM_GridPainted)->Unit(benchmark::kMillisecond)->ArgName("record")->Arg(0)->Arg(1);

void BM_RebuildBoxes(benchmark::State& state)
{
    tenYearRecord();
    const QSqlDatabase db = records::openConnection(QStringLiteral("rebuild"), recordPath(), false);
    for (auto _ : state)
        records::rebuildFactBoxes(db);
}
BENCHMARK(BM_RebuildBoxes)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return runUiBenchmarks(argc, argv);
}
