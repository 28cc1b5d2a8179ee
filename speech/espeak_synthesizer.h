// libespeak-ng in process, in retrieval mode: audio comes back through the
// synth callback instead of going to a sound device.
#pragma once

#include "speech/synthesizer.h"

namespace zorvel {

class EspeakSynthesizer : public Synthesizer {
public:
    bool initialise() override;
    int sampleRate() const override { return rate_; }
    std::vector<InstalledVoice> voices() override { return voices_; }
    bool selectVoice(const InstalledVoice& voice) override;
    void setRatePercent(int percent) override;
    bool synthesise(const std::string& text, const SampleSink& sink) override;

private:
    int rate_ = 0;
    int usualWordsPerMinute_ = 0;
    int percent_ = 100;
    std::vector<InstalledVoice> voices_;
    std::string selected_;
};

} // namespace zorvel
