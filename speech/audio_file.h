// Audio files written with libsndfile: 16-bit mono WAV, Ogg Vorbis or MP3.
// The file is written beside its name and renamed into place once whole, so
// an existing file is never left half-written. Samples go to the encoder in
// blocks, whatever the caller hands over at once.
#pragma once

#include "speech/audio_export.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zorvel {

class AudioFileWriter {
public:
    // The largest number of frames handed to the encoder in one call.
    static constexpr std::size_t kBlockFrames = 1 << 15;

    AudioFileWriter(QString path, AudioFormat format);
    // Without commit() the temporary file is removed and the target untouched.
    ~AudioFileWriter();
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    // The title, artist and comment tags, given before open().
    void setTags(const QString& title, const QString& artist, const QString& comment);
    // Opens the temporary file for mono audio at sampleRate; false with
    // error() set when it cannot.
    bool open(int sampleRate);
    bool write(const std::int16_t* samples, std::size_t count);
    bool writeSilence(std::size_t frames);
    // Finishes the file and renames it into place.
    bool commit();
    // Why the file could not be written, in Chinese.
    QString error() const { return error_; }

private:
    struct File;
    bool fail(const QString& why);

    QString path_;
    AudioFormat format_;
    std::unique_ptr<File> file_;
    QString error_;
    QString tags_[3];
};

} // namespace zorvel
