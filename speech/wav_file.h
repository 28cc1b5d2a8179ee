// 16-bit PCM WAV files: the prompt sound is read from one, zorvel-say writes one.
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

QByteArray encodeWav(const MonoPcm& pcm);

} // namespace zorvel
