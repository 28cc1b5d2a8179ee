// Queues sentences on the synthesis worker; the output plays them in order.
#include "speech/engine_voice.h"

#include <atomic>

namespace zorvel {

struct EngineVoice::Channel {
    std::shared_ptr<PcmOutput> output;
    std::atomic<bool> cancelled{false};
    std::function<void()> heard;
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
}

EngineVoice::~EngineVoice()
{
    channel_->cancelled = true;
    channel_->output->close();
}

void EngineVoice::speak(const QString& sentence)
{
    if (worker_.knownSilent())
        return;
    SynthesisWorker& worker = worker_;
    worker_.post([channel = channel_, sentence, &worker](Synthesizer& synthesizer) {
        const EngineStartup& startup = worker.startup();
        if (channel->cancelled || !startup.choice || !channel->output->isAvailable())
            return;
        if (!synthesizer.selectVoice(startup.voices[startup.choice->index]))
            return;
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

bool EngineVoice::isAvailable() const
{
    const EngineStartup& startup = worker_.startup();
    return startup.ready && startup.choice && channel_->output->isAvailable();
}

} // namespace zorvel
