// The default voice and prompt sound, with the speech log when asked for.
#include "speech/speech.h"

#include "speech/engine_voice.h"
#include "speech/pcm_prompt_sound.h"
#include "speech/speaker_output.h"
#include "speech/speech_log.h"

#include <QFile>

namespace zorvel {
namespace {

QString speechLogPath()
{
    return qEnvironmentVariable("ZORVEL_SPEECH_LOG");
}

std::optional<MonoPcm> dingSound()
{
    QFile file(QStringLiteral(":/sounds/ding.wav"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parseWav(file.readAll());
}

} // namespace

std::unique_ptr<Voice> createDefaultVoice(QObject* parent)
{
    const QString logPath = speechLogPath();
    auto voice = std::make_unique<EngineVoice>(SynthesisWorker::espeak(), std::make_shared<SpeakerOutput>(),
                                               logPath.isEmpty() ? parent : nullptr);
    if (logPath.isEmpty())
        return voice;
    return std::make_unique<LoggingVoice>(std::move(voice), SpeechLog(logPath), parent);
}

std::unique_ptr<PromptSound> createDefaultPromptSound()
{
    static const std::optional<MonoPcm> ding = dingSound();
    auto sound = std::make_unique<PcmPromptSound>(ding, std::make_shared<SpeakerOutput>());
    const QString logPath = speechLogPath();
    if (logPath.isEmpty())
        return sound;
    return std::make_unique<LoggingPromptSound>(std::move(sound), SpeechLog(logPath));
}

} // namespace zorvel
