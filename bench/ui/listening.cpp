// Listening-mode benchmark on the offscreen platform: a click of "出 题" with
// speech on, until control is back in the event loop, while ever more
// sentences wait in the voice's queue (synthesised by espeak-ng into memory).
#include "listening_drill/listening_window.h"
#include "speech/engine_voice.h"
#include "speech/memory_output.h"
#include "speech/synthesis_worker.h"

#include "ui_bench.h"

#include <QAbstractButton>
#include <QElapsedTimer>

#include <vector>

using namespace zorvel;

namespace {

void BM_AskWithSpeechQueued(benchmark::State& state)
{
    DrillServices services = defaultDrillServices();
    services.voice = [] {
        return std::make_unique<EngineVoice>(SynthesisWorker::espeak(), std::make_shared<MemoryOutput>());
    };
    bool available = false;
    auto makeVoice = services.voice;
    services.voice = [&] {
        auto voice = makeVoice();
        available = voice->isAvailable();
        return voice;
    };
    auto dialog = createListeningDrillWindow(QStringLiteral("Form93"), services);
    showAtDesignedSize(dialog.get());
    QApplication::processEvents();
    auto* ask = dialog->findChild<QAbstractButton*>(QStringLiteral("Command1"));
    auto* restart = dialog->findChild<QAbstractButton*>(QStringLiteral("Command3"));
    qint64 sentences = 0;
    std::vector<double> clicks;
    for (auto _ : state) {
        if (!ask->isEnabled())
            restart->click();
        QElapsedTimer timer;
        timer.start();
        ask->click();
        const qint64 ns = timer.nsecsElapsed();
        state.SetIterationTime(ns / 1e9);
        clicks.push_back(ns / 1000.0);
        ++sentences;
        QApplication::processEvents();
    }
    state.counters["sentences_queued"] = double(sentences);
    state.counters["voice_available"] = available ? 1 : 0;
    reportClickPercentiles(state, clicks);
}

} // namespace

BENCHMARK(BM_AskWithSpeechQueued)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(2000)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    return runUiBenchmarks(argc, argv);
}
