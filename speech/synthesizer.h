// The text-to-speech engine as the synthesis worker drives it. Every call
// comes from that one worker thread; engines need not be reentrant.
#pragma once

#include "speech/voice_choice.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zorvel {

class Synthesizer {
public:
    // Receives the audio as it is made; returning false stops the sentence.
    using SampleSink = std::function<bool(const std::int16_t* samples, std::size_t count)>;

    virtual ~Synthesizer() = default;
    // Prepares the engine; false when it cannot speak at all.
    virtual bool initialise() = 0;
    // Mono 16-bit samples per second, valid after initialise().
    virtual int sampleRate() const = 0;
    virtual std::vector<InstalledVoice> voices() = 0;
    virtual bool selectVoice(const InstalledVoice& voice) = 0;
    // The speaking rate as a percentage of the engine's usual rate; an
    // engine that cannot change it ignores this.
    virtual void setRatePercent(int percent) { (void)percent; }
    // Speaks `text` (UTF-8) with the selected voice into `sink`, whole.
    virtual bool synthesise(const std::string& text, const SampleSink& sink) = 0;
};

} // namespace zorvel
