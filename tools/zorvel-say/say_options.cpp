// Reads zorvel-say's arguments: one mode option at most, and the sentences.
#include "say_options.h"

#include "tools/common/command_line.h"

#include <QCommandLineParser>

#include <algorithm>

namespace zorvel {

QString sayUsage()
{
    return QStringLiteral("usage: zorvel-say [--reading | --wav FILE] SENTENCE... | zorvel-say --voices");
}

QString sayHelp()
{
    return sayUsage() + QStringLiteral(
        "\n"
        "Speaks each sentence the way the listening windows do and returns once all\n"
        "have been heard (status 1 when there is no voice or sound device).\n"
        "\n"
        "  --reading     print what the synthesiser is given instead of speaking\n"
        "  --wav FILE    write the speech to an audio file instead of speaking: 16-bit\n"
        "                mono WAV, or Ogg Vorbis or MP3 when FILE ends in .ogg or .mp3;\n"
        "                an existing file is replaced only once the new one is whole\n"
        "  --voices      list the installed voices; * marks the one chosen\n"
        "  --help        this text\n"
        "  --version     the version\n"
        "  --            the arguments that follow are sentences\n"
        "\n"
        "Bad arguments print one line on stderr and exit with status 2.");
}

namespace {

// The mode options; at most one may be given.
const struct {
    const char* name;
    SayOptions::Mode mode;
} kModes[] = {{"reading", SayOptions::Mode::Reading}, {"wav", SayOptions::Mode::Wav},
              {"voices", SayOptions::Mode::Voices},   {"help", SayOptions::Mode::Help},
              {"version", SayOptions::Mode::Version}};

QList<QCommandLineOption> sayOptions()
{
    return {QCommandLineOption(QStringLiteral("reading")),
            QCommandLineOption(QStringLiteral("wav"), QString(), QStringLiteral("file")),
            QCommandLineOption(QStringLiteral("voices")),
            QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}),
            QCommandLineOption(QStringLiteral("version"))};
}

bool takesSentences(SayOptions::Mode mode)
{
    return mode == SayOptions::Mode::Speak || mode == SayOptions::Mode::Reading || mode == SayOptions::Mode::Wav;
}

} // namespace

std::optional<SayOptions> parseSayOptions(const QStringList& arguments, QString& error)
{
    const auto refuse = [&error](const QString& complaint) {
        error = QStringLiteral("zorvel-say: ") + complaint;
        return std::nullopt;
    };
    QCommandLineParser parser;
    if (const QString complaint = readArguments(parser, sayOptions(), arguments); !complaint.isEmpty())
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
        return refuse(QStringLiteral("--reading, --wav, --voices, --help and --version cannot be combined"));
    options.wavPath = parser.value(QStringLiteral("wav"));
    if (options.mode == SayOptions::Mode::Wav && options.wavPath.isEmpty())
        return refuse(QStringLiteral("--wav needs a file name"));
    options.sentences = parser.positionalArguments();
    if (!takesSentences(options.mode) && !options.sentences.isEmpty())
        return refuse(QStringLiteral("--voices, --help and --version take no sentence"));
    if (takesSentences(options.mode) && options.sentences.isEmpty())
        return refuse(QStringLiteral("no sentence given (%1)").arg(sayUsage()));
    return options;
}

} // namespace zorvel
