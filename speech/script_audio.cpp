// Synthesis of a script into an AudioFileWriter, one sentence at a time.
#include "speech/script_audio.h"

#include "speech/audio_file.h"
#include "speech/speech_log.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace zorvel {
namespace {

// Samples this quiet at either end of a sentence are the engine's silence.
constexpr int kQuietLevel = 64;
// The loudest sample written: about -2.7 dBFS, so that the file peaks below
// -1 dBFS even after a lossy encoder's overshoot.
constexpr int kPeakLimit = 24000;

// A sentence louder than the limit is turned down as a whole.
void limitPeak(std::int16_t* samples, std::size_t count)
{
    int peak = 0;
    for (std::size_t i = 0; i < count; ++i)
        peak = std::max(peak, std::abs(int(samples[i])));
    if (peak <= kPeakLimit)
        return;
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = std::int16_t(int(samples[i]) * kPeakLimit / peak);
}

QString seedComment(std::uint64_t seed)
{
    return QStringLiteral("种子 %1").arg(seed);
}

std::pair<std::size_t, std::size_t> soundedPart(const std::vector<std::int16_t>& samples)
{
    std::size_t first = 0;
    std::size_t end = samples.size();
    while (first < end && std::abs(samples[first]) <= kQuietLevel)
        ++first;
    while (end > first && std::abs(samples[end - 1]) <= kQuietLevel)
        --end;
    return {first, end};
}

} // namespace

QString writeScriptAudio(Synthesizer& synthesizer, ReadingStyle style, const AudioExport& job)
{
    const int rate = synthesizer.sampleRate();
    AudioFileWriter writer(job.path, job.format);
    writer.setTags(job.title, QStringLiteral("Zorvel"), job.seed ? seedComment(*job.seed) : QString());
    if (!writer.open(rate))
        return writer.error();
    synthesizer.setRatePercent(job.ratePercent);
    std::vector<std::int16_t> sentence;
    QString problem;
    for (const ScriptLine& line : job.script) {
        sentence.clear();
        const std::string text = readingFor(style, QString::fromStdString(line.sentence)).toStdString();
        const bool spoken = synthesizer.synthesise(text, [&](const std::int16_t* samples, std::size_t count) {
            sentence.insert(sentence.end(), samples, samples + count);
            return true;
        });
        if (!spoken) {
            problem = QStringLiteral("语音引擎未能朗读“%1”").arg(QString::fromStdString(line.sentence));
            break;
        }
        const auto [first, end] = soundedPart(sentence);
        limitPeak(sentence.data() + first, end - first);
        const auto silence = static_cast<std::size_t>(static_cast<std::int64_t>(line.silenceAfterMs) * rate / 1000);
        if (!writer.write(sentence.data() + first, end - first) || !writer.writeSilence(silence)) {
            problem = writer.error();
            break;
        }
    }
    synthesizer.setRatePercent(100);
    if (!problem.isEmpty())
        return problem;
    return writer.commit() ? QString() : writer.error();
}

void exportOnWorker(SynthesisWorker& worker, AudioExport job, std::function<void(const QString&)> done)
{
    worker.post([&worker, job = std::move(job), done = std::move(done)](Synthesizer& synthesizer) {
        const EngineStartup& startup = worker.startup();
        if (!startup.ready || !startup.choice) {
            done(QStringLiteral("未检测到语音引擎，无法导出音频"));
            return;
        }
        if (!synthesizer.selectVoice(startup.voices[startup.choice->index])) {
            done(QStringLiteral("语音引擎无法选用中文语音"));
            return;
        }
        // A computer that stays silent still shows what the file says.
        if (const QString logPath = qEnvironmentVariable("ZORVEL_SPEECH_LOG"); !logPath.isEmpty()) {
            const SpeechLog log(logPath);
            for (const ScriptLine& line : job.script)
                log.append(QString::fromStdString(line.sentence));
        }
        done(writeScriptAudio(synthesizer, startup.choice->style, job));
    });
}

AudioExporter engineAudioExporter()
{
    return [](AudioExport job, std::function<void(const QString&)> done) {
        exportOnWorker(SynthesisWorker::espeak(), std::move(job), std::move(done));
    };
}

} // namespace zorvel
