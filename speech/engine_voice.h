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
    // Returns at once. Whether the engine starts and the output has a device
    // is found out on the worker and reported by availabilityKnown().
    EngineVoice(SynthesisWorker& worker, std::shared_ptr<PcmOutput> output, QObject* parent = nullptr);
    // Speech still queued or playing is cut off.
    ~EngineVoice() override;

    void speak(const QString& sentence) override;
    bool isAvailable() const override;
    void setRatePercent(int percent) override;

private:
    struct Channel;

    void learnAvailability(bool available);

    SynthesisWorker& worker_;
    std::shared_ptr<Channel> channel_;
    bool knownUnavailable_ = false;
    int ratePercent_ = 100;
};

} // namespace zorvel
