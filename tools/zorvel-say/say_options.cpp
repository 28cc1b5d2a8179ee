// Reads zorvel-say's arguments: one mode option at most, then the sentences.
#include "say_options.h"

namespace zorvel {

QString sayUsage()
{
    return QStringLiteral("usage: zorvel-say [--reading | --wav FILE] SENTENCE... | zorvel-say --voices");
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
    const bool takesSentences = options.mode != SayOptions::Mode::Voices && options.mode != SayOptions::Mode::Help;
    if (!takesSentences && !options.sentences.isEmpty()) {
        error = QStringLiteral("zorvel-say: %1 takes no sentence").arg(
            options.mode == SayOptions::Mode::Voices ? QStringLiteral("--voices") : QStringLiteral("--help"));
        return std::nullopt;
    }
    if (takesSentences && options.sentences.isEmpty()) {
        error = QStringLiteral("zorvel-say: no sentence given (%1)").arg(sayUsage());
        return std::nullopt;
    }
    return options;
}

} // namespace zorvel
