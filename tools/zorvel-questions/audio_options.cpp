// Reading the audio options, each refusal one line naming what is accepted.
#include "tools/zorvel-questions/audio_options.h"

#include "tools/common/command_line.h"

namespace zorvel {
namespace {

const char kAudioFormats[] = "--format wav, mp3 or ogg";

std::string gapRange()
{
    return "a whole number of seconds from " + std::to_string(kMinGapSeconds) + " to " +
           std::to_string(kMaxGapSeconds);
}

bool readGap(const std::string& text, int& gap)
{
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    gap = std::stoi(text);
    return gap >= kMinGapSeconds && gap <= kMaxGapSeconds;
}

std::string formatKey(SheetFormat format)
{
    return format == SheetFormat::Mp3 ? "mp3" : format == SheetFormat::Ogg ? "ogg" : "wav";
}

} // namespace

bool isAudioFormat(SheetFormat format)
{
    return format == SheetFormat::Wav || format == SheetFormat::Mp3 || format == SheetFormat::Ogg;
}

std::string checkAudioValues(const OptionValue& value, bool twice, SheetOptions& options)
{
    if (!isAudioFormat(options.format)) {
        for (const char* name : {"--rate", "--gap"})
            if (value(name))
                return std::string(name) + " is for " + kAudioFormats;
        return twice ? std::string("--twice is for ") + kAudioFormats : std::string();
    }
    const std::string format = "--format " + formatKey(options.format);
    if (options.mode != Mode::Listening)
        return format + " is for --mode listening; accepted: --mode listening";
    if (value("--columns"))
        return "--columns is for --format pdf";
    if (options.count > kMaxAudioCount)
        return "bad count " + quotedArgument(std::to_string(options.count)) + " for " + format +
               "; accepted: a whole number from 1 to " + std::to_string(kMaxAudioCount);
    if (const std::string* rate = value("--rate")) {
        const std::optional<SpeechPace> pace = paceFromKey(*rate);
        if (!pace)
            return rate->empty() ? "--rate needs a value; accepted: slow, normal, fast"
                                 : "unknown rate " + quotedArgument(*rate) + "; accepted: slow, normal, fast";
        options.reading.pace = *pace;
    }
    if (const std::string* gap = value("--gap")) {
        if (!readGap(*gap, options.reading.gapSeconds))
            return gap->empty() ? "--gap needs a value; accepted: " + gapRange()
                                : "bad gap " + quotedArgument(*gap) + "; accepted: " + gapRange();
    }
    options.reading.twice = twice;
    const std::string* output = value("--output");
    if (!output || output->empty())
        return format + " needs --output FILE; accepted: a file to write, replaced only when the recording is whole";
    options.output = QString::fromStdString(*output);
    return {};
}

} // namespace zorvel
