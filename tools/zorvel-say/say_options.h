// The command line of zorvel-say.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace zorvel {

struct SayOptions {
    enum class Mode { Speak, Reading, Wav, Voices, Help, Version };
    Mode mode = Mode::Speak;
    QString wavPath;
    QStringList sentences;
};

// The options, or the one-line complaint for stderr in `error`. Prints
// nothing and never ends the process, so tests and fuzzers can call it.
std::optional<SayOptions> parseSayOptions(const QStringList& arguments, QString& error);

QString sayUsage();
QString sayHelp();

} // namespace zorvel
