// Reading 16-bit PCM WAV: the prompt sound is one. Audio files are written
// with libsndfile (audio_file.h).
#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

namespace zorvel {

struct MonoPcm {
    int sampleRate = 0;
    std::vector<std::int16_t> samples;
};

// Reads a 16-bit PCM WAV, mixing several channels down to one; nothing for
// any other content.
std::optional<MonoPcm> parseWav(const QByteArray& bytes);

} // namespace zorvel
