// A window's voice: sentences are read (see chinese_reading.h), synthesised
// on the shared synthesis worker and played on the voice's own output.
#pragma once

#include "speech/pcm_output.h"
#include "speech/synthesis_worker.h"
#include "speech/voice.h"

#include <memory>

namespace zorvel {

class EngineVoice : public Voice {
    Q_OBJECT
public:
    EngineVoice(SynthesisWorker& worker, std::shared_ptr<PcmOutput> output, QObject* parent = nullptr);
    // Speech still queued or playing is cut off.
    ~EngineVoice() override;

    void speak(const QString& sentence) override;
    bool isAvailable() const override;

private:
    struct Channel;

    SynthesisWorker& worker_;
    std::shared_ptr<Channel> channel_;
};

} // namespace zorvel
