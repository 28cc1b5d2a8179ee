// A listening test written as one audio file: what the windows and
// zorvel-questions hand to the speech engine, and the formats it writes.
#pragma once

#include "listening_pace/listening_script.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace zorvel {

enum class AudioFormat { Wav, Ogg, Mp3 };

// "wav", "ogg", "mp3".
std::optional<AudioFormat> audioFormatFromKey(std::string_view key);
// From the file name's suffix (".wav", ".ogg", ".oga", ".mp3"), any case.
std::optional<AudioFormat> audioFormatFromPath(const QString& path);

struct AudioExport {
    QString path;
    AudioFormat format = AudioFormat::Wav;
    std::vector<ScriptLine> script;
    int ratePercent = 100;
    QString title;                     // the file's title tag; its artist is "Zorvel"
    std::optional<std::uint64_t> seed; // in the comment tag, to make the same test again
};

// Writes the export without waiting for it; `done` runs once on some thread
// with an empty text when the file is in place, else why it is not (Chinese).
using AudioExporter = std::function<void(AudioExport job, std::function<void(const QString& error)> done)>;

} // namespace zorvel
