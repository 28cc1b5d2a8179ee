// 达标测试 window benchmarks on the offscreen platform:
//   BM_FluencyConfirmToPainted  "确定" on an answer until the next question
//                     (and the mark of the last) is painted, every fifth answer wrong
//   BM_FluencyEndsOnLimit  how late after its 5-minute limit a test ends:
//                     on a clock moved to 50 ms before the limit (fast), and
//                     on the real clock through the whole five minutes (real)
#include "fluency_drill/fluency_window.h"
#include "questions/number_text.h"

#include "ui_bench.h"

#include <QElapsedTimer>

#include <atomic>

using namespace zorvel;

namespace {

void BM_FluencyConfirmToPainted(benchmark::State& state)
{
    const fluency::FluencyTest test = fluency::customTest(Operation::Mixed, Level::Within20, NumberType::Integer,
                                                          fluency::kMaxQuestions, 0, 90);
    auto window = createFluencyDrillWindow(test, quietServices(), nullptr);
    showAtDesignedSize(window.get());
    QApplication::processEvents();
    auto* confirm = window->findChild<QAbstractButton*>(QStringLiteral("Command16"));
    std::vector<double> clicks;
    press(window.get(), QStringLiteral("Command1"));
    for (auto _ : state) {
        if (!window->isRunning()) {
            press(window.get(), QStringLiteral("Command3"));
            press(window.get(), QStringLiteral("Command1"));
        }
        const QString right = QString::fromStdString(shortestText(window->cycle().correctAnswer()));
        typeAnswer(window.get(), clicks.size() % 5 == 0 ? right + QLatin1Char('1') : right);
        QApplication::processEvents();
        window->repaint();
        timeClickToPainted(state, confirm, clicks);
    }
    reportClickPercentiles(state, clicks);
}

// The steady clock, moved on by hand.
class ShiftedClock final : public MonotonicClock {
public:
    qint64 nowMs() const override { return steady->nowMs() + shift; }
    std::shared_ptr<const MonotonicClock> steady = steadyClock();
    std::atomic<qint64> shift{0};
};

void BM_FluencyEndsOnLimit(benchmark::State& state, bool realTime)
{
    const fluency::FluencyTest test = *fluency::presetByKey(QStringLiteral("times-table-60"));
    const qint64 limitMs = qint64(test.limitSeconds) * 1000;
    std::vector<double> lateMs;
    for (auto _ : state) {
        auto clock = std::make_shared<ShiftedClock>();
        DrillServices services = quietServices();
        services.clock = clock;
        auto window = createFluencyDrillWindow(test, services, nullptr);
        showAtDesignedSize(window.get());
        QApplication::processEvents();
        qint64 endedAt = -1;
        QObject::connect(window.get(), &FluencyDrillWindow::testEnded, [&] { endedAt = clock->nowMs(); });
        const qint64 started = clock->nowMs();
        press(window.get(), QStringLiteral("Command1"));
        if (!realTime)
            clock->shift = limitMs - 50 - (clock->nowMs() - started);
        while (endedAt < 0)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        lateMs.push_back(double(endedAt - (started + limitMs)));
    }
    std::sort(lateMs.begin(), lateMs.end());
    state.counters["median_late_ms"] = lateMs[lateMs.size() / 2];
    state.counters["max_late_ms"] = lateMs.back();
}

} // namespace

BENCHMARK(BM_FluencyConfirmToPainted)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(1000)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_FluencyEndsOnLimit, fast, false)->Iterations(50)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FluencyEndsOnLimit, real, true)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runUiBenchmarks(argc, argv);
}
