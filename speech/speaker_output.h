// Plays PCM through Qt Multimedia (PulseAudio or PipeWire on Linux). The
// QAudioSink lives on the process's audio thread; callers never wait for it.
#pragma once

#include "speech/pcm_output.h"

#include <memory>

namespace zorvel {

struct SpeakerQueue;
class SpeakerPlayer;

class SpeakerOutput : public PcmOutput {
public:
    // Returns at once; the device check runs on the audio thread. Needs a
    // QCoreApplication.
    SpeakerOutput();
    ~SpeakerOutput() override;
    SpeakerOutput(const SpeakerOutput&) = delete;
    SpeakerOutput& operator=(const SpeakerOutput&) = delete;

    bool isAvailable() const override;
    void write(int sampleRate, const std::int16_t* samples, std::size_t count) override;
    void endUtterance(std::function<void()> heard) override;
    void clear() override;
    void close() override;

private:
    void wakePlayer();

    std::shared_ptr<SpeakerQueue> queue_;
    SpeakerPlayer* player_ = nullptr;
};

} // namespace zorvel
