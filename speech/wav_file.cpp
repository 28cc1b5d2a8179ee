// RIFF/WAVE reading for 16-bit PCM.
#include "speech/wav_file.h"

#include <QtEndian>

namespace zorvel {
namespace {

quint32 u32At(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 u16At(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

} // namespace

std::optional<MonoPcm> parseWav(const QByteArray& bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    int channels = 0;
    int sampleRate = 0;
    bool formatSeen = false;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = u32At(bytes, at + 4);
        const qsizetype body = at + 8;
        if (size > bytes.size() - body)
            return std::nullopt;
        if (id == "fmt ") {
            if (size < 16 || u16At(bytes, body) != 1 || u16At(bytes, body + 14) != 16)
                return std::nullopt;
            channels = u16At(bytes, body + 2);
            sampleRate = static_cast<int>(u32At(bytes, body + 4));
            formatSeen = channels > 0 && sampleRate > 0;
        } else if (id == "data" && formatSeen) {
            MonoPcm pcm;
            pcm.sampleRate = sampleRate;
            const qsizetype frames = size / (2 * channels);
            pcm.samples.reserve(static_cast<std::size_t>(frames));
            for (qsizetype f = 0; f < frames; ++f) {
                int sum = 0;
                for (int c = 0; c < channels; ++c)
                    sum += qFromLittleEndian<qint16>(bytes.constData() + body + (f * channels + c) * 2);
                pcm.samples.push_back(static_cast<std::int16_t>(sum / channels));
            }
            return pcm;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

} // namespace zorvel
