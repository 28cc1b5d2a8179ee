// The audio formats' names.
#include "speech/audio_export.h"

#include <QFileInfo>

namespace zorvel {

std::optional<AudioFormat> audioFormatFromKey(std::string_view key)
{
    if (key == "wav")
        return AudioFormat::Wav;
    if (key == "ogg")
        return AudioFormat::Ogg;
    if (key == "mp3")
        return AudioFormat::Mp3;
    return std::nullopt;
}

std::optional<AudioFormat> audioFormatFromPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("oga"))
        return AudioFormat::Ogg;
    return audioFormatFromKey(suffix.toStdString());
}

} // namespace zorvel
