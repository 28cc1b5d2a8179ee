// Normal-mode drill window benchmarks on the offscreen platform:
//   BM_AskToPainted   a click of "出 题" until the new question is painted
//   BM_ConfirmToPainted  a click of "确定" on a right answer until the mark
//                     is painted, without a record and with the real record
//                     store on a temporary file (every fifth question first
//                     answered wrong, untimed, so the book is written too)
//   BM_StopwatchLag   how far the shown stopwatch trails the true elapsed
//                     time while the window sits idle (counters in ms)
#include "normal_drill/normal_window.h"
#include "questions/number_text.h"
#include "records/sqlite_record_store.h"

#include "ui_bench.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <vector>

using namespace zorvel;

namespace {

void answerRight(DrillWindow* window)
{
    typeAnswer(window, QString::fromStdString(shortestText(window->cycle().correctAnswer())));
    press(window, QStringLiteral("Command16"));
}

void BM_AskToPainted(benchmark::State& state, const char* form)
{
    auto dialog = createNormalDrillWindow(QString::fromLatin1(form), quietServices());
    auto* window = static_cast<DrillWindow*>(dialog.get());
    showAtDesignedSize(dialog.get());
    QApplication::processEvents();
    auto* ask = window->findChild<QAbstractButton*>(QStringLiteral("Command1"));
    std::vector<double> clicks;
    for (auto _ : state) {
        if (!ask->isEnabled())
            press(window, QStringLiteral("Command3"));
        timeClickToPainted(state, ask, clicks);
        answerRight(window);
        QApplication::processEvents();
        dialog->repaint();
    }
    reportClickPercentiles(state, clicks);
}

void BM_ConfirmToPainted(benchmark::State& state, const char* form, bool recording)
{
    QTemporaryDir dir;
    std::unique_ptr<records::SqliteRecordStore> store;
    DrillServices services = quietServices();
    if (recording) {
        store = std::make_unique<records::SqliteRecordStore>(dir.filePath(QStringLiteral("records.db")),
                                                             QStringLiteral("bench"));
        services.recorder = store.get();
    }
    auto dialog = createNormalDrillWindow(QString::fromLatin1(form), services);
    auto* window = static_cast<DrillWindow*>(dialog.get());
    showAtDesignedSize(dialog.get());
    QApplication::processEvents();
    auto* ask = window->findChild<QAbstractButton*>(QStringLiteral("Command1"));
    auto* confirm = window->findChild<QAbstractButton*>(QStringLiteral("Command16"));
    std::vector<double> clicks;
    for (auto _ : state) {
        if (!ask->isEnabled())
            press(window, QStringLiteral("Command3"));
        ask->click();
        const QString right = QString::fromStdString(shortestText(window->cycle().correctAnswer()));
        if (clicks.size() % 5 == 0) {
            typeAnswer(window, right + QLatin1Char('1'));
            confirm->click();
            press(window, QStringLiteral("Command15"));  // takes the digit too many back
        } else {
            typeAnswer(window, right);
        }
        QApplication::processEvents();
        dialog->repaint();
        timeClickToPainted(state, confirm, clicks);
    }
    reportClickPercentiles(state, clicks);
    dialog.reset();
}

double shownMs(QWidget* window)
{
    auto text = [window](const char* name) {
        return window->findChild<QLabel*>(QString::fromLatin1(name))->text().toLongLong();
    };
    return text("Label5") * 60000.0 + text("Label2") * 1000.0 + text("Label11") * 10.0;
}

void BM_StopwatchLag(benchmark::State& state)
{
    auto clock = steadyClock();
    std::vector<double> lags;
    for (auto _ : state) {
        auto dialog = createNormalDrillWindow(QStringLiteral("Form81"), quietServices());
        showAtDesignedSize(dialog.get());
        QApplication::processEvents();
        press(dialog.get(), QStringLiteral("Command1"));
        const qint64 started = clock->nowMs();
        // Sample at moments unrelated to the 7 ms tick.
        QTimer sampler;
        sampler.setTimerType(Qt::PreciseTimer);
        QObject::connect(&sampler, &QTimer::timeout, [&] {
            lags.push_back(double(clock->nowMs() - started) - shownMs(dialog.get()));
            sampler.setInterval(3 + int(lags.size() % 11));
        });
        sampler.start(5);
        QElapsedTimer run;
        run.start();
        while (run.elapsed() < 3000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    std::sort(lags.begin(), lags.end());
    state.counters["samples"] = double(lags.size());
    state.counters["median_lag_ms"] = lags[lags.size() / 2];
    state.counters["p99_lag_ms"] = lags[lags.size() * 99 / 100];
    state.counters["max_lag_ms"] = lags.back();
}

} // namespace

BENCHMARK_CAPTURE(BM_AskToPainted, Form81, "Form81")->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_AskToPainted, Form83, "Form83")->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_AskToPainted, Form85, "Form85")->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ConfirmToPainted, Form81_unrecorded, "Form81", false)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ConfirmToPainted, Form81_recorded, "Form81", true)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ConfirmToPainted, Form83_recorded, "Form83", true)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_StopwatchLag)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runUiBenchmarks(argc, argv);
}
