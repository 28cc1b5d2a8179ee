// Speech timings against the targets: speak() returns in well under 1 ms even
// with ten sentences queued; the first sample of "第12题47 加 8" reaches the
// output within 50 ms of speak() on an idle voice; synthesis runs at least 20
// times faster than real time; creating a window's voice is cheap.
#include "speech/engine_voice.h"
#include "speech/memory_output.h"
#include "speech/speaker_output.h"
#include "speech/speech.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

using namespace zorvel;
using Clock = std::chrono::steady_clock;

namespace {

const QString kSentence = QStringLiteral("第12题47 加 8");

// Notes when the first sample arrives; can hold the synthesis thread in
// write() as a device playing in real time would.
class TimingOutput : public PcmOutput {
public:
    bool isAvailable() const override { return true; }
    void write(int, const std::int16_t*, std::size_t) override
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!firstSample_)
            firstSample_ = Clock::now();
        changed_.notify_all();
        changed_.wait(lock, [this] { return !held_; });
    }
    void endUtterance(std::function<void()> heard) override
    {
        if (heard)
            heard();
    }
    void clear() override {}
    void close() override { hold(false); }

    void hold(bool held)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        held_ = held;
        changed_.notify_all();
    }
    Clock::time_point waitFirstSample()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return firstSample_.has_value(); });
        return *firstSample_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Clock::time_point> firstSample_;
    bool held_ = false;
};

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Run alone (--benchmark_filter=coldStart): the first voice of a process,
// from creation to its answer whether it can speak, engine and sound server
// connection included.
void coldStart(benchmark::State& state)
{
    for (auto _ : state) {
        const auto start = Clock::now();
        std::unique_ptr<Voice> voice = createDefaultVoice();
        const auto created = Clock::now();
        benchmark::DoNotOptimize(voice->isAvailable());
        state.SetIterationTime(seconds(Clock::now() - start));
        state.counters["create_us"] = seconds(created - start) * 1e6;
    }
}
BENCHMARK(coldStart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

void speakReturnWithTenQueued(benchmark::State& state)
{
    SynthesisWorker& worker = SynthesisWorker::espeak();
    worker.startup();
    for (auto _ : state) {
        auto output = std::make_shared<TimingOutput>();
        output->hold(true);
        EngineVoice voice(worker, output);
        for (int i = 0; i < 10; ++i)
            voice.speak(kSentence);
        const auto start = Clock::now();
        voice.speak(kSentence);
        state.SetIterationTime(seconds(Clock::now() - start));
    }
}
BENCHMARK(speakReturnWithTenQueued)->UseManualTime()->Unit(benchmark::kMicrosecond);

void firstSampleOnIdleVoice(benchmark::State& state)
{
    SynthesisWorker& worker = SynthesisWorker::espeak();
    worker.startup();
    for (auto _ : state) {
        auto output = std::make_shared<TimingOutput>();
        EngineVoice voice(worker, output);
        const auto start = Clock::now();
        voice.speak(kSentence);
        state.SetIterationTime(seconds(output->waitFirstSample() - start));
    }
}
BENCHMARK(firstSampleOnIdleVoice)->UseManualTime()->Unit(benchmark::kMillisecond);

void synthesisSpeed(benchmark::State& state)
{
    SynthesisWorker& worker = SynthesisWorker::espeak();
    const int sampleRate = worker.startup().sampleRate;
    double audioSeconds = 0;
    double wallSeconds = 0;
    for (auto _ : state) {
        auto output = std::make_shared<MemoryOutput>();
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        const auto start = Clock::now();
        worker.post([&](Synthesizer& synthesizer) {
            synthesizer.synthesise(pinyinReading(QStringLiteral("第20题9801 除 99")).toStdString(),
                                   [&](const std::int16_t* samples, std::size_t count) {
                                       output->write(sampleRate, samples, count);
                                       return true;
                                   });
            output->endUtterance({});
            std::lock_guard<std::mutex> lock(mutex);
            finished = true;
            done.notify_all();
        });
        std::unique_lock<std::mutex> lock(mutex);
        done.wait(lock, [&] { return finished; });
        const double wall = seconds(Clock::now() - start);
        state.SetIterationTime(wall);
        wallSeconds += wall;
        audioSeconds += double(output->utterances().at(0).samples.size()) / sampleRate;
    }
    state.counters["audio_s"] = audioSeconds / double(state.iterations());
    state.counters["x_real_time"] = audioSeconds / wallSeconds;
}
BENCHMARK(synthesisSpeed)->UseManualTime()->Unit(benchmark::kMillisecond);

void createWindowVoice(benchmark::State& state)
{
    for (auto _ : state) {
        const auto start = Clock::now();
        std::unique_ptr<Voice> voice = createDefaultVoice();
        std::unique_ptr<PromptSound> sound = createDefaultPromptSound();
        state.SetIterationTime(seconds(Clock::now() - start));
        state.PauseTiming();
        voice.reset();
        sound.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(createWindowVoice)->UseManualTime()->Unit(benchmark::kMicrosecond);

// From a new voice to its availabilityKnown() answer (the moment a window
// without a device shows its notice).
void firstAvailabilityAnswer(benchmark::State& state)
{
    for (auto _ : state) {
        const auto start = Clock::now();
        std::unique_ptr<Voice> voice = createDefaultVoice();
        QEventLoop answered;
        QObject::connect(voice.get(), &Voice::availabilityKnown, &answered, [&answered] { answered.quit(); });
        answered.exec();
        state.SetIterationTime(seconds(Clock::now() - start));
    }
}
BENCHMARK(firstAvailabilityAnswer)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
