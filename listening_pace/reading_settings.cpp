// Names, captions and the text form of the reading settings.
#include "listening_pace/reading_settings.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace zorvel {
namespace {

struct PaceRow {
    SpeechPace pace;
    int percent;
    std::string_view key;
    std::string_view caption;
};

constexpr PaceRow kPaces[] = {
    {SpeechPace::Slow, 70, "slow", "慢"},
    {SpeechPace::Normal, 100, "normal", "中"},
    {SpeechPace::Fast, 125, "fast", "快"},
};

const PaceRow& rowOf(SpeechPace pace)
{
    for (const PaceRow& row : kPaces) {
        if (row.pace == pace)
            return row;
    }
    return kPaces[1];
}

} // namespace

int pacePercent(SpeechPace pace) { return rowOf(pace).percent; }
std::string_view paceKey(SpeechPace pace) { return rowOf(pace).key; }
std::string_view paceCaption(SpeechPace pace) { return rowOf(pace).caption; }

std::optional<SpeechPace> paceFromKey(std::string_view key)
{
    for (const PaceRow& row : kPaces) {
        if (row.key == key)
            return row.pace;
    }
    return std::nullopt;
}

std::string readingSettingsText(const ReadingSettings& settings)
{
    return "pace=" + std::string(paceKey(settings.pace)) + " twice=" + (settings.twice ? "1" : "0") +
           " auto=" + (settings.autoAsk ? "1" : "0") + " gap=" + std::to_string(settings.gapSeconds) +
           " hide=" + (settings.hideQuestion ? "1" : "0");
}

ReadingSettings readingSettingsFromText(std::string_view text)
{
    ReadingSettings settings;
    std::istringstream words{std::string(text)};
    std::string word;
    while (words >> word) {
        const auto equals = word.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string name = word.substr(0, equals);
        const std::string value = word.substr(equals + 1);
        if (name == "pace") {
            settings.pace = paceFromKey(value).value_or(settings.pace);
        } else if (name == "twice" || name == "auto" || name == "hide") {
            bool& flag = name == "twice" ? settings.twice : name == "auto" ? settings.autoAsk : settings.hideQuestion;
            if (value == "0" || value == "1")
                flag = value == "1";
        } else if (name == "gap") {
            int gap = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), gap);
            const bool offered = std::find(kOfferedGaps.begin(), kOfferedGaps.end(), gap) != kOfferedGaps.end();
            if (error == std::errc() && end == value.data() + value.size() && offered)
                settings.gapSeconds = gap;
        }
    }
    return settings;
}

} // namespace zorvel
