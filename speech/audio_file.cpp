// libsndfile behind AudioFileWriter, on the descriptor of a QSaveFile.
#include "speech/audio_file.h"

#include "common/file_problem.h"
#include "speech/id3_tag.h"

#include <QSaveFile>

#include <sndfile.h>

#include <algorithm>
#include <vector>

namespace zorvel {

struct AudioFileWriter::File {
    QSaveFile save;
    SNDFILE* sound = nullptr;

    explicit File(const QString& path) : save(path) {}
    ~File()
    {
        if (sound)
            sf_close(sound);
    }
};

namespace {

int sndfileFormat(AudioFormat format)
{
    switch (format) {
    case AudioFormat::Ogg:
        return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    case AudioFormat::Mp3:
        return SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    case AudioFormat::Wav:
        break;
    }
    return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
}

} // namespace

AudioFileWriter::AudioFileWriter(QString path, AudioFormat format)
    : path_(std::move(path)), format_(format)
{
}

AudioFileWriter::~AudioFileWriter()
{
    if (file_) {
        if (file_->sound)
            sf_close(file_->sound);
        file_->sound = nullptr;
        file_->save.cancelWriting();
    }
}

bool AudioFileWriter::fail(const QString& why)
{
    if (error_.isEmpty())
        error_ = why;
    if (file_) {
        if (file_->sound)
            sf_close(file_->sound);
        file_->sound = nullptr;
        file_->save.cancelWriting();
        file_.reset();
    }
    return false;
}

void AudioFileWriter::setTags(const QString& title, const QString& artist, const QString& comment)
{
    tags_[0] = title;
    tags_[1] = artist;
    tags_[2] = comment;
}

bool AudioFileWriter::open(int sampleRate)
{
    file_ = std::make_unique<File>(path_);
    if (!file_->save.open(QIODevice::WriteOnly))
        return fail(fileProblem(file_->save));
    // The MP3's own tag goes first, in UTF-8; libsndfile writes the audio after it.
    if (format_ == AudioFormat::Mp3) {
        const QByteArray tag = id3v2Tag(tags_[0], tags_[1], tags_[2]);
        if (file_->save.write(tag) != tag.size() || !file_->save.flush())
            return fail(fileProblem(file_->save));
    }
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = sndfileFormat(format_);
    file_->sound = sf_open_fd(file_->save.handle(), SFM_WRITE, &info, SF_FALSE);
    if (!file_->sound)
        return fail(QStringLiteral("无法编码音频（libsndfile 不支持这种格式）"));
    const int fields[3] = {SF_STR_TITLE, SF_STR_ARTIST, SF_STR_COMMENT};
    for (int i = 0; i < 3 && format_ != AudioFormat::Mp3; ++i)
        if (!tags_[i].isEmpty())
            sf_set_string(file_->sound, fields[i], tags_[i].toUtf8().constData());
    return true;
}

bool AudioFileWriter::write(const std::int16_t* samples, std::size_t count)
{
    if (!file_ || !file_->sound)
        return fail(QStringLiteral("音频文件未打开"));
    while (count > 0) {
        const std::size_t block = std::min(count, kBlockFrames);
        if (sf_write_short(file_->sound, samples, static_cast<sf_count_t>(block)) != static_cast<sf_count_t>(block))
            return fail(QStringLiteral("写入音频失败（磁盘可能已满）"));
        samples += block;
        count -= block;
    }
    return true;
}

bool AudioFileWriter::writeSilence(std::size_t frames)
{
    static const std::vector<std::int16_t> zeros(kBlockFrames, 0);
    while (frames > 0) {
        const std::size_t block = std::min(frames, kBlockFrames);
        if (!write(zeros.data(), block))
            return false;
        frames -= block;
    }
    return true;
}

bool AudioFileWriter::commit()
{
    if (!file_ || !file_->sound)
        return fail(QStringLiteral("音频文件未打开"));
    const int closed = sf_close(file_->sound);
    file_->sound = nullptr;
    if (closed != 0)
        return fail(QStringLiteral("写入音频失败（磁盘可能已满）"));
    if (!file_->save.commit())
        return fail(fileProblem(file_->save));
    file_.reset();
    return true;
}

} // namespace zorvel
