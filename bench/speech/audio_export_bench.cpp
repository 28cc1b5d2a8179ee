// A twenty-question listening test with 15-second gaps and its answers
// (about seven minutes of audio) written by the real engine as WAV, Ogg
// Vorbis and MP3: the processor time of the whole export, in this process.
#include "../window_timing.h"

#include "listening_pace/listening_script.h"
#include "questions/generators.h"
#include "questions/random_source.h"
#include "speech/script_audio.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <future>

using namespace zorvel;

namespace {

AudioExport twentyQuestions(const QString& path, AudioFormat format)
{
    SeededRandom random(7);
    QuestionSource source(Operation::Add, Mode::Listening);
    std::vector<Question> questions;
    for (int n = 0; n < 20; ++n)
        questions.push_back(source.next(Level::TwoDigitsByOne, NumberType::Integer, random));
    ReadingSettings settings;
    settings.gapSeconds = 15;
    return {path, format, listeningTestScript(Operation::Add, questions, settings, true), 100, {}, {}};
}

void exportTest(benchmark::State& state)
{
    const auto format = static_cast<AudioFormat>(state.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("test.audio"));
    SynthesisWorker& worker = SynthesisWorker::espeak();
    worker.startup();
    for (auto _ : state) {
        const double before = bench::cpuMs();
        std::promise<QString> written;
        exportOnWorker(worker, twentyQuestions(path, format), [&](const QString& problem) { written.set_value(problem); });
        const QString problem = written.get_future().get();
        state.SetIterationTime((bench::cpuMs() - before) / 1000.0);
        if (!problem.isEmpty())
            state.SkipWithError(problem.toUtf8().constData());
    }
    state.counters["bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(exportTest)->Arg(int(AudioFormat::Wav))->Arg(int(AudioFormat::Ogg))->Arg(int(AudioFormat::Mp3))
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
