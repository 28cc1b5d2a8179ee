// Hands the prompt sound to its output.
#include "speech/pcm_prompt_sound.h"

namespace zorvel {

PcmPromptSound::PcmPromptSound(std::optional<MonoPcm> sound, std::shared_ptr<PcmOutput> output,
                               std::function<void()> heard)
    : sound_(std::move(sound))
    , output_(std::move(output))
    , heard_(std::move(heard))
{
}

PcmPromptSound::~PcmPromptSound()
{
    output_->close();
}

void PcmPromptSound::play()
{
    if (!sound_ || sound_->samples.empty())
        return;
    output_->clear();
    output_->write(sound_->sampleRate, sound_->samples.data(), sound_->samples.size());
    output_->endUtterance(heard_);
}

} // namespace zorvel
