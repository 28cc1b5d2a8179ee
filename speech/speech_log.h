// Decorators that write what is spoken and sounded to a log file, one line
// per sentence and "ding" per prompt sound, for checking a run by its log.
#pragma once

#include "speech/voice.h"

#include <QString>

#include <memory>

namespace zorvel {

class SpeechLog {
public:
    explicit SpeechLog(QString path);
    // Appends the line, never waiting: a file that cannot be written, or
    // that is not a regular file (a FIFO, a device, a link), is ignored.
    void append(const QString& line) const;

private:
    QString path_;
};

class LoggingVoice : public Voice {
    Q_OBJECT
public:
    LoggingVoice(std::unique_ptr<Voice> voice, SpeechLog log, QObject* parent = nullptr);

    void speak(const QString& sentence) override;
    bool isAvailable() const override;
    void setRatePercent(int percent) override;

private:
    std::unique_ptr<Voice> voice_;
    SpeechLog log_;
};

class LoggingPromptSound : public PromptSound {
public:
    LoggingPromptSound(std::unique_ptr<PromptSound> sound, SpeechLog log);

    void play() override;

private:
    std::unique_ptr<PromptSound> sound_;
    SpeechLog log_;
};

} // namespace zorvel
