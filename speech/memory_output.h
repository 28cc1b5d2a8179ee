// An output that keeps the audio instead of playing it: for writing speech to
// a file, and for tests. Each utterance counts as heard once it is complete.
#pragma once

#include "speech/pcm_output.h"

#include <mutex>
#include <vector>

namespace zorvel {

class MemoryOutput : public PcmOutput {
public:
    struct Utterance {
        int sampleRate = 0;
        std::vector<std::int16_t> samples;
    };

    bool isAvailable() const override { return true; }
    void write(int sampleRate, const std::int16_t* samples, std::size_t count) override;
    void endUtterance(std::function<void()> heard) override;
    void clear() override;
    void close() override;

    // The utterances completed so far, in order.
    std::vector<Utterance> utterances() const;

private:
    mutable std::mutex mutex_;
    Utterance current_;
    std::vector<Utterance> done_;
    bool closed_ = false;
};

} // namespace zorvel
