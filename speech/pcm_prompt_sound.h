// The prompt sound: a short recording played on its own output. A new play
// cuts off what is left of the previous one.
#pragma once

#include "speech/pcm_output.h"
#include "speech/voice.h"
#include "speech/wav_file.h"

#include <functional>
#include <memory>
#include <optional>

namespace zorvel {

class PcmPromptSound : public PromptSound {
public:
    // Without a sound, play() does nothing. `heard` runs (on some thread)
    // each time the sound has been played to its end.
    PcmPromptSound(std::optional<MonoPcm> sound, std::shared_ptr<PcmOutput> output,
                   std::function<void()> heard = {});
    ~PcmPromptSound() override;

    void play() override;

private:
    std::optional<MonoPcm> sound_;
    std::shared_ptr<PcmOutput> output_;
    std::function<void()> heard_;
};

} // namespace zorvel
