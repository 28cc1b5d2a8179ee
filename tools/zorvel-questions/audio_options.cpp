// Reading the audio options, each refusal one line naming what is accepted.
#include "tools/zorvel-questions/audio_options.h"

#include "common/command_line.h"

namespace zorvel {
namespace {

const char kAudioFormats[] = "--format wav、mp3 或 ogg";

std::string gapRange()
{
    return std::to_string(kMinGapSeconds) + " 到 " + std::to_string(kMaxGapSeconds) + " 的整数（秒）";
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
                return std::string(name) + " 只用于 " + kAudioFormats;
        return twice ? std::string("--twice 只用于 ") + kAudioFormats : std::string();
    }
    const std::string format = "--format " + formatKey(options.format);
    if (options.mode != Mode::Listening)
        return format + " 只用于听算；可用的值：--mode listening";
    if (value("--columns"))
        return "--columns 只用于 --format pdf";
    if (options.count > kMaxAudioCount)
        return format + " 的题数无效 " + quotedArgument(std::to_string(options.count)) + "；可用的值：1 到 " +
               std::to_string(kMaxAudioCount) + " 的整数";
    if (const std::string* rate = value("--rate")) {
        const std::optional<SpeechPace> pace = paceFromKey(*rate);
        if (!pace)
            return rate->empty() ? "--rate 需要一个值；可用的值：slow、normal、fast"
                                 : "未知的语速 " + quotedArgument(*rate) + "；可用的值：slow、normal、fast";
        options.reading.pace = *pace;
    }
    if (const std::string* gap = value("--gap")) {
        if (!readGap(*gap, options.reading.gapSeconds))
            return gap->empty() ? "--gap 需要一个值；可用的值：" + gapRange()
                                : "无效的间隔 " + quotedArgument(*gap) + "；可用的值：" + gapRange();
    }
    options.reading.twice = twice;
    const std::string* output = value("--output");
    if (!output || output->empty())
        return format + " 需要 --output 文件：要写的音频文件，整个录音写好后才替换原有的文件";
    options.output = QString::fromStdString(*output);
    return {};
}

} // namespace zorvel
