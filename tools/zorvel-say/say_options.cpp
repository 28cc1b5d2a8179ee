// Reads zorvel-say's arguments: one mode option at most, and the sentences.
#include "say_options.h"

#include "common/command_line.h"
#include "common/option_table.h"

#include <QCommandLineParser>

#include <algorithm>

namespace zorvel {

namespace {

// Every option, in the order of the help; each is also a mode in kModes below.
const OptionTable& sayOptionTable()
{
    static const OptionTable table = withHelpAndVersion({
        {"reading", nullptr, nullptr, "不朗读，只打印交给语音合成器的读法"},
        {"wav", nullptr, "FILE", "不朗读，把语音写成音频文件：16 位单声道 WAV；文件名以 .ogg 或 .mp3 结尾时写成 Ogg Vorbis 或 MP3；原有文件在新文件完整写好后才被替换"},
        {"voices", nullptr, nullptr, "列出已安装的语音；* 标出选用的那个"},
    });
    return table;
}

} // namespace

QString sayUsage()
{
    return QStringLiteral("用法：zorvel-say [--reading | --wav FILE] 句子… | zorvel-say --voices");
}

QString sayHelp()
{
    return sayUsage() + QStringLiteral(
        "\n"
        "像听算窗口那样朗读每个句子，全部读完后才返回（没有语音或声音输出时退出状态为 1）。\n"
        "\n"
        "选项：\n") + optionHelp(sayOptionTable()) + QStringLiteral(
        "  --          后面的参数都是句子\n"
        "\n"
        "参数有误时在标准错误输出一行说明，退出状态为 2。");
}

namespace {

// The mode options; at most one may be given.
const struct {
    const char* name;
    SayOptions::Mode mode;
} kModes[] = {{"reading", SayOptions::Mode::Reading}, {"wav", SayOptions::Mode::Wav},
              {"voices", SayOptions::Mode::Voices},   {"help", SayOptions::Mode::Help},
              {"version", SayOptions::Mode::Version}};

bool takesSentences(SayOptions::Mode mode)
{
    return mode == SayOptions::Mode::Speak || mode == SayOptions::Mode::Reading || mode == SayOptions::Mode::Wav;
}

} // namespace

std::optional<SayOptions> parseSayOptions(const QStringList& arguments, QString& error)
{
    const auto refuse = [&error](const QString& complaint) {
        error = QStringLiteral("zorvel-say：") + complaint;
        return std::nullopt;
    };
    QCommandLineParser parser;
    if (const QString complaint = readArguments(parser, parserOptions(sayOptionTable()), arguments); !complaint.isEmpty())
        return refuse(complaint);
    SayOptions options;
    int modes = 0;
    for (const auto& [name, mode] : kModes) {
        const QString option = QString::fromLatin1(name);
        if (parser.isSet(option)) {
            modes += std::max<int>(1, int(parser.values(option).size()));
            options.mode = mode;
        }
    }
    if (modes > 1)
        return refuse(QStringLiteral("--reading、--wav、--voices、--help 和 --version 只能选一个"));
    options.wavPath = parser.value(QStringLiteral("wav"));
    if (options.mode == SayOptions::Mode::Wav && options.wavPath.isEmpty())
        return refuse(QStringLiteral("--wav 需要一个文件名"));
    options.sentences = parser.positionalArguments();
    if (!takesSentences(options.mode) && !options.sentences.isEmpty())
        return refuse(QStringLiteral("--voices、--help 和 --version 后面不跟句子"));
    if (takesSentences(options.mode) && options.sentences.isEmpty())
        return refuse(QStringLiteral("没有要朗读的句子（%1）").arg(sayUsage()));
    return options;
}

} // namespace zorvel
