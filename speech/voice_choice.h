// Which installed voice speaks, and how sentences are read to it.
#pragma once

#include "speech/chinese_reading.h"

#include <optional>
#include <string>
#include <vector>

namespace zorvel {

struct InstalledVoice {
    std::string name;
    std::string identifier;
    std::vector<std::string> languages; // in the engine's order of preference
};

struct VoiceChoice {
    std::size_t index = 0;
    ReadingStyle style = ReadingStyle::Verbatim;
};

// The pinyin Mandarin voice when installed (it pronounces the pinyin reading),
// else another Simplified Chinese voice (read in hanzi with numbers written
// out), else the first voice listed (read as it is); nothing without voices.
std::optional<VoiceChoice> chooseVoice(const std::vector<InstalledVoice>& voices);

} // namespace zorvel
