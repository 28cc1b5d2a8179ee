// The reading settings of a listening test: how fast the voice speaks,
// whether each question is read twice, whether the questions follow one
// another by themselves with a chosen gap, and whether a question read
// aloud stays off the screen (for a class watching a projector).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zorvel {

enum class SpeechPace { Slow, Normal, Fast };

inline constexpr std::array<SpeechPace, 3> kAllPaces = {SpeechPace::Slow, SpeechPace::Normal, SpeechPace::Fast};
// The gaps offered in the windows, seconds.
inline constexpr std::array<int, 3> kOfferedGaps = {5, 10, 15};
// The gaps a command line may ask for, seconds.
inline constexpr int kMinGapSeconds = 1;
inline constexpr int kMaxGapSeconds = 60;
// The pause between the two readings of a question.
inline constexpr int kRepeatPauseMs = 1000;

struct ReadingSettings {
    SpeechPace pace = SpeechPace::Normal;
    bool twice = false;
    bool autoAsk = false;
    int gapSeconds = 10;
    bool hideQuestion = false;

    bool operator==(const ReadingSettings& other) const
    {
        return pace == other.pace && twice == other.twice && autoAsk == other.autoAsk &&
               gapSeconds == other.gapSeconds && hideQuestion == other.hideQuestion;
    }
};

// The voice's rate as a percentage of its usual rate: 70, 100, 125.
int pacePercent(SpeechPace pace);
// "slow", "normal", "fast": the command line's and the record's names.
std::string_view paceKey(SpeechPace pace);
std::optional<SpeechPace> paceFromKey(std::string_view key);
// "慢", "中", "快".
std::string_view paceCaption(SpeechPace pace);

// "pace=slow twice=1 auto=1 gap=15 hide=0", read back by readingSettingsFromText;
// unknown or broken parts leave the defaults.
std::string readingSettingsText(const ReadingSettings& settings);
ReadingSettings readingSettingsFromText(std::string_view text);

} // namespace zorvel
