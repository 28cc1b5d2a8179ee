// The daily practice on the offscreen platform, for a pupil with ten years
// of practice in all four sets (73,000 answers), in memory and in the real
// record store on a temporary file:
//   BM_DailyConfirmToNextPainted  a click of "确定" on a right answer until
//                     the next question is painted (the answer stored, the
//                     box moved, the next fact chosen)
//   BM_ChooseSession  the boxes read from the store and the day's 20 chosen
//   BM_GridPainted    the boxes read from the store and the grid of the four
//                     sets painted
#include "bench/facts/ten_years.h"
#include "daily_practice/daily_window.h"
#include "fact_grid/fact_grid.h"
#include "records/fact_records.h"
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"

#include "ui_bench.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

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

// The same ten years in a record file: written in one transaction, the
// boxes rebuilt from them.
facts::FactStore& tenYearRecord()
{
    static QTemporaryDir dir;
    static records::SqliteRecordStore store = [] {
        const QString path = dir.filePath(QStringLiteral("records.db"));
        {
            records::SqliteRecordStore made(path, QStringLiteral("bench"));
            made.setPlan(facts::allFourSets());
        }
        {
            const QSqlDatabase db = records::openConnection(QStringLiteral("fill"), path, false);
            const qint64 pupil = records::scalar(db, QStringLiteral("SELECT min(id) FROM pupils")).toLongLong();
            records::Transaction transaction(db);
            for (const facts::FactAnswer& answer : facts::tenYearsOfAnswers())
                records::run(db, QStringLiteral("INSERT INTO fact_answers (pupil_id, fact, is_right, ms, day, speed)"
                                                " VALUES (?, ?, ?, ?, ?, 'standard')"),
                             {pupil, answer.fact, answer.right ? 1 : 0, answer.ms, qint64(answer.day)});
            transaction.commit();
            records::rebuildFactBoxes(db);
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

} // namespace

int main(int argc, char** argv)
{
    return runUiBenchmarks(argc, argv);
}
