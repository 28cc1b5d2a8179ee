// Queues sentences on the synthesis worker; the output plays them in order.
// Nothing here waits for the engine or the sound device: the first job on the
// worker finds out whether the voice can speak and reports it back.
#include "speech/engine_voice.h"

#include <atomic>
#include <mutex>

namespace zorvel {

struct EngineVoice::Channel {
    std::shared_ptr<PcmOutput> output;
    std::atomic<bool> cancelled{false};
    std::function<void()> heard;
    // Held while a report is posted to the voice, so that the voice's
    // destructor cannot run meanwhile.
    std::mutex reportMutex;
    std::function<void(bool)> report;

    void reportAvailability(bool available)
    {
        std::lock_guard<std::mutex> lock(reportMutex);
        if (!cancelled)
            report(available);
    }
};

EngineVoice::EngineVoice(SynthesisWorker& worker, std::shared_ptr<PcmOutput> output, QObject* parent)
    : Voice(parent)
    , worker_(worker)
    , channel_(std::make_shared<Channel>())
{
    channel_->output = std::move(output);
    channel_->heard = [this] {
        QMetaObject::invokeMethod(this, [this] { emit speechEnded(); }, Qt::QueuedConnection);
    };
    channel_->report = [this](bool available) {
        QMetaObject::invokeMethod(this, [this, available] { learnAvailability(available); }, Qt::QueuedConnection);
    };
    knownUnavailable_ = worker_.knownSilent();
    SynthesisWorker& shared = worker_;
    worker_.post([channel = channel_, &shared](Synthesizer&) {
        const EngineStartup& startup = shared.startup();
        channel->reportAvailability(startup.ready && startup.choice && channel->output->isAvailable());
    });
}

EngineVoice::~EngineVoice()
{
    {
        std::lock_guard<std::mutex> lock(channel_->reportMutex);
        channel_->cancelled = true;
    }
    channel_->output->close();
}

void EngineVoice::learnAvailability(bool available)
{
    knownUnavailable_ = !available;
    emit availabilityKnown(available);
}

void EngineVoice::speak(const QString& sentence)
{
    if (knownUnavailable_ || worker_.knownSilent())
        return;
    SynthesisWorker& worker = worker_;
    worker_.post([channel = channel_, sentence, &worker, percent = ratePercent_](Synthesizer& synthesizer) {
        const EngineStartup& startup = worker.startup();
        if (channel->cancelled || !startup.choice || !channel->output->isAvailable())
            return;
        if (!synthesizer.selectVoice(startup.voices[startup.choice->index]))
            return;
        synthesizer.setRatePercent(percent);
        const std::string text = readingFor(startup.choice->style, sentence).toStdString();
        const int sampleRate = synthesizer.sampleRate();
        PcmOutput& output = *channel->output;
        synthesizer.synthesise(text, [&](const std::int16_t* samples, std::size_t count) {
            if (channel->cancelled)
                return false;
            output.write(sampleRate, samples, count);
            return true;
        });
        if (!channel->cancelled)
            output.endUtterance(channel->heard);
    });
}

void EngineVoice::setRatePercent(int percent)
{
    ratePercent_ = percent;
}

bool EngineVoice::isAvailable() const
{
    return !knownUnavailable_;
}

} // namespace zorvel
