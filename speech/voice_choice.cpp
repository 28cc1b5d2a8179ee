// Picks the voice a window speaks with from the engine's list.
#include "speech/voice_choice.h"

#include <algorithm>
#include <cctype>

namespace zorvel {
namespace {

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Only a voice's first language counts: a Cantonese voice also lists "zh".
bool speaksLanguage(const InstalledVoice& voice, bool (*matches)(const std::string&))
{
    return !voice.languages.empty() && matches(lowered(voice.languages.front()));
}

bool isPinyinMandarin(const std::string& language)
{
    return language == "cmn-latn-pinyin";
}

bool isSimplifiedChinese(const std::string& language)
{
    return language == "cmn" || language == "zh" || language == "zh-cn" || language == "zh-hans"
        || language == "cmn-cn" || language == "cmn-hans" || language == "zh-sg";
}

std::optional<std::size_t> firstSpeaking(const std::vector<InstalledVoice>& voices,
                                         bool (*matches)(const std::string&))
{
    for (std::size_t i = 0; i < voices.size(); ++i) {
        if (speaksLanguage(voices[i], matches))
            return i;
    }
    return std::nullopt;
}

} // namespace

std::optional<VoiceChoice> chooseVoice(const std::vector<InstalledVoice>& voices)
{
    if (voices.empty())
        return std::nullopt;
    if (const auto pinyin = firstSpeaking(voices, isPinyinMandarin))
        return VoiceChoice{*pinyin, ReadingStyle::Pinyin};
    if (const auto chinese = firstSpeaking(voices, isSimplifiedChinese))
        return VoiceChoice{*chinese, ReadingStyle::Hanzi};
    return VoiceChoice{0, ReadingStyle::Verbatim};
}

} // namespace zorvel
