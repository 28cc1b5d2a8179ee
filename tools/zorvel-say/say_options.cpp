// Reads zorvel-say's arguments: one mode option at most, then the sentences.
#include "say_options.h"

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
        "  --wav FILE    write the speech to a WAV file instead of speaking\n"
        "  --voices      list the installed voices; * marks the one chosen\n"
        "  --help        this text\n"
        "  --version     the version\n"
        "  --            the arguments that follow are sentences\n"
        "\n"
        "Bad arguments print one line on stderr and exit with status 2.");
}

std::optional<SayOptions> parseSayOptions(const QStringList& arguments, QString& error)
{
    SayOptions options;
    bool modeChosen = false;
    auto chooseMode = [&](SayOptions::Mode mode, const QString& option) {
        if (modeChosen) {
            error = QStringLiteral("zorvel-say: %1 cannot be combined with another option").arg(option);
            return false;
        }
        modeChosen = true;
        options.mode = mode;
        return true;
    };
    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1String("--"))) {
            options.sentences.append(argument);
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("--help")) {
            if (!chooseMode(SayOptions::Mode::Help, argument))
                return std::nullopt;
        } else if (argument == QLatin1String("--version")) {
            if (!chooseMode(SayOptions::Mode::Version, argument))
                return std::nullopt;
        } else if (argument == QLatin1String("--reading")) {
            if (!chooseMode(SayOptions::Mode::Reading, argument))
                return std::nullopt;
        } else if (argument == QLatin1String("--voices")) {
            if (!chooseMode(SayOptions::Mode::Voices, argument))
                return std::nullopt;
        } else if (argument == QLatin1String("--wav")) {
            if (!chooseMode(SayOptions::Mode::Wav, argument))
                return std::nullopt;
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
                error = QStringLiteral("zorvel-say: --wav needs a file name");
                return std::nullopt;
            }
            options.wavPath = arguments.at(++i);
        } else {
            error = QStringLiteral("zorvel-say: unknown option %1 (%2)").arg(argument, sayUsage());
            return std::nullopt;
        }
    }
    const bool takesSentences = options.mode == SayOptions::Mode::Speak || options.mode == SayOptions::Mode::Reading ||
                                options.mode == SayOptions::Mode::Wav;
    if (!takesSentences && !options.sentences.isEmpty()) {
        error = QStringLiteral("zorvel-say: --voices, --help and --version take no sentence");
        return std::nullopt;
    }
    if (takesSentences && options.sentences.isEmpty()) {
        error = QStringLiteral("zorvel-say: no sentence given (%1)").arg(sayUsage());
        return std::nullopt;
    }
    return options;
}

} // namespace zorvel
