// The daily practice on the offscreen platform, for a pupil with ten years
// of practice in all four sets:
//   BM_DailyConfirmToNextPainted  a click of "确定" on a right answer until
//                     the next question is painted (the answer stored, the
//                     box moved, the next fact chosen)
//   BM_GridPainted    the book read from the store and the grid of the four
//                     sets painted
#include "bench/facts/ten_years.h"
#include "daily_practice/daily_window.h"
#include "fact_grid/fact_grid.h"

#include "ui_bench.h"

#include <QElapsedTimer>

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

void BM_DailyConfirmToNextPainted(benchmark::State& state)
{
    facts::MemoryFactStore& store = tenYearStore();
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
        QElapsedTimer timer;
        timer.start();
        confirm->click();
        QApplication::processEvents();
        const qint64 ns = timer.nsecsElapsed();
        state.SetIterationTime(ns / 1e9);
        clicks.push_back(ns / 1000.0);
    }
    reportClickPercentiles(state, clicks);
}
BENCHMARK(BM_DailyConfirmToNextPainted)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(400);

void BM_GridPainted(benchmark::State& state)
{
    facts::MemoryFactStore& store = tenYearStore();
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
BENCHMARK(BM_GridPainted)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runUiBenchmarks(argc, argv);
}
