// The speech log and its two decorators.
#include "speech/speech_log.h"

#include "platform/private_files.h"

namespace zorvel {

SpeechLog::SpeechLog(QString path)
    : path_(std::move(path))
{
}

void SpeechLog::append(const QString& line) const
{
    appendToRegularFile(path_, line.toUtf8() + '\n');
}

LoggingVoice::LoggingVoice(std::unique_ptr<Voice> voice, SpeechLog log, QObject* parent)
    : Voice(parent)
    , voice_(std::move(voice))
    , log_(std::move(log))
{
    connect(voice_.get(), &Voice::speechEnded, this, &Voice::speechEnded);
    connect(voice_.get(), &Voice::availabilityKnown, this, &Voice::availabilityKnown);
}

void LoggingVoice::speak(const QString& sentence)
{
    log_.append(sentence);
    voice_->speak(sentence);
}

bool LoggingVoice::isAvailable() const
{
    return voice_->isAvailable();
}

void LoggingVoice::setRatePercent(int percent)
{
    voice_->setRatePercent(percent);
}

LoggingPromptSound::LoggingPromptSound(std::unique_ptr<PromptSound> sound, SpeechLog log)
    : sound_(std::move(sound))
    , log_(std::move(log))
{
}

void LoggingPromptSound::play()
{
    log_.append(QStringLiteral("ding"));
    sound_->play();
}

} // namespace zorvel
