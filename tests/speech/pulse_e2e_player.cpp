// The end-to-end check through a real sound server (run by pulse_e2e.sh).
//   play DIR        plays the ding, then speaks two sentences queued at once,
//                   and, after the output has stood idle a while as it does
//                   between a pupil's clicks, a third; writes the four sounds
//                   exactly as they were handed to the sound output to
//                   DIR/1.wav .. DIR/4.wav
//   check RAW DIR   checks that a recording of the sink (mono 16-bit at the
//                   engine's rate) holds those four sounds whole, sample for
//                   sample and in that order, and nothing else
//
// The server passes the samples through unchanged, so the check compares
// content, never durations: a busy machine may stretch the recording with
// digital silence (buffer underruns), which is no fault of the program and is
// passed over; a sound cut short, garbled, mixed into another, played out of
// order or played when nothing asked for it fails.
#include "speech/audio_file.h"
#include "speech/engine_voice.h"
#include "speech/memory_output.h"
#include "speech/pcm_prompt_sound.h"
#include "speech/speaker_output.h"
#include "speech/speech.h"
#include "speech/wav_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace zorvel;

namespace {

const QStringList kSentences = {QStringLiteral("第 1题3 加 4"), QStringLiteral("第20题9801 除 99")};
const QString kLaterSentence = QStringLiteral("第 3题56 乘 7");
const char* const kNames[4] = {"ding", "first sentence", "second sentence", "sentence after the idle pause"};
// How long the pupil waits after the second sentence before the next click.
constexpr int kIdleMs = 1500;
// Only a hang guard: playing everything takes a few seconds.
constexpr int kHangGuardMs = 90000;
// The speech of a sentence synthesised a second time may differ from the
// first in its finest detail, but never in its length by more than this.
constexpr double kLengthTolerance = 0.02;

// Hands everything on to the speaker and keeps a copy of each utterance.
class RecordingOutput : public PcmOutput {
public:
    explicit RecordingOutput(std::shared_ptr<PcmOutput> speaker) : speaker_(std::move(speaker)) {}

    bool isAvailable() const override { return speaker_->isAvailable(); }
    void write(int sampleRate, const std::int16_t* samples, std::size_t count) override
    {
        copy_.write(sampleRate, samples, count);
        speaker_->write(sampleRate, samples, count);
    }
    void endUtterance(std::function<void()> heard) override
    {
        copy_.endUtterance({});
        speaker_->endUtterance(std::move(heard));
    }
    void clear() override
    {
        copy_.clear();
        speaker_->clear();
    }
    void close() override
    {
        copy_.close();
        speaker_->close();
    }
    std::vector<MemoryOutput::Utterance> utterances() const { return copy_.utterances(); }

private:
    std::shared_ptr<PcmOutput> speaker_;
    MemoryOutput copy_;
};

std::optional<MonoPcm> ding()
{
    QFile file(QStringLiteral(":/sounds/ding.wav"));
    return file.open(QIODevice::ReadOnly) ? parseWav(file.readAll()) : std::nullopt;
}

QString soundPath(const QString& dir, int index)
{
    return QDir(dir).filePath(QString::number(index + 1) + QStringLiteral(".wav"));
}

bool writeSound(const QString& path, const MonoPcm& pcm)
{
    AudioFileWriter writer(path, AudioFormat::Wav);
    return writer.open(pcm.sampleRate) && writer.write(pcm.samples.data(), pcm.samples.size()) && writer.commit();
}

// The lengths of the three sentences when spoken into memory.
std::vector<std::size_t> lengthsSpokenAlone(SynthesisWorker& worker)
{
    auto memory = std::make_shared<MemoryOutput>();
    EngineVoice offline(worker, memory);
    int left = kSentences.size() + 1;
    QObject::connect(&offline, &Voice::speechEnded, [&left] {
        if (--left == 0)
            QCoreApplication::exit(0);
    });
    for (const QString& sentence : kSentences)
        offline.speak(sentence);
    offline.speak(kLaterSentence);
    QCoreApplication::exec();
    std::vector<std::size_t> lengths;
    for (const MemoryOutput::Utterance& u : memory->utterances())
        lengths.push_back(u.samples.size());
    return lengths;
}

// Writes the ding and the sentences the voice handed to the speaker, after
// making sure they are the three sentences asked for.
bool writeSounds(const QString& dir, const MonoPcm& dingSound, const std::vector<MemoryOutput::Utterance>& spoken,
                 const std::vector<std::size_t>& alone)
{
    QTextStream err(stderr);
    if (spoken.size() != 3 || alone.size() != 3) {
        err << "the voice handed " << spoken.size() << " sentences to the speaker instead of 3\n";
        return false;
    }
    bool ok = writeSound(soundPath(dir, 0), dingSound);
    for (std::size_t i = 0; i < spoken.size(); ++i) {
        const double length = double(spoken[i].samples.size());
        if (std::abs(length - double(alone[i])) > kLengthTolerance * double(alone[i])) {
            err << kNames[i + 1] << ": " << length << " samples handed to the speaker, " << alone[i]
                << " when spoken alone\n";
            ok = false;
        }
        ok = ok && writeSound(soundPath(dir, int(i) + 1), {spoken[i].sampleRate, spoken[i].samples});
    }
    return ok;
}

int play(const QString& dir)
{
    SynthesisWorker& worker = SynthesisWorker::espeak();
    QTextStream err(stderr);
    const std::optional<MonoPcm> sound = ding();
    if (!worker.startup().ready || !sound) {
        err << "no speech engine or no ding\n";
        return 1;
    }
    const std::vector<std::size_t> alone = lengthsSpokenAlone(worker);
    auto output = std::make_shared<RecordingOutput>(std::make_shared<SpeakerOutput>());
    EngineVoice voice(worker, output);
    if (!voice.isAvailable()) {
        err << "speech is unavailable\n";
        return 1;
    }
    PcmPromptSound prompt(sound, std::make_shared<SpeakerOutput>(), [&voice] {
        QMetaObject::invokeMethod(&voice, [&voice] {
            for (const QString& sentence : kSentences)
                voice.speak(sentence);
        }, Qt::QueuedConnection);
    });
    int left = kSentences.size() + 1;
    QObject::connect(&voice, &Voice::speechEnded, [&left, &voice] {
        --left;
        if (left == 1)
            QTimer::singleShot(kIdleMs, &voice, [&voice] { voice.speak(kLaterSentence); });
        if (left == 0)
            QCoreApplication::exit(0);
    });
    QTimer::singleShot(kHangGuardMs, [] { QCoreApplication::exit(1); });
    prompt.play();
    if (QCoreApplication::exec() != 0) {
        err << "playback did not finish\n";
        return 1;
    }
    return writeSounds(dir, *sound, output->utterances(), alone) ? 0 : 1;
}

using Samples = std::vector<std::int16_t>;

// Follows `sound` through the recording from `at` on, passing over digital
// silence the server inserted; returns how far into the sound it got.
std::size_t follow(const Samples& recording, std::size_t& at, const Samples& sound)
{
    std::size_t into = 0;
    while (into < sound.size() && at < recording.size()) {
        if (recording[at] == sound[into])
            ++into;
        else if (recording[at] != 0)
            break;
        ++at;
    }
    return into;
}

std::optional<Samples> readRaw(const QString& path)
{
    QFile raw(path);
    if (!raw.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = raw.readAll();
    Samples samples(std::size_t(bytes.size()) / 2);
    std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
    return samples;
}

std::vector<MonoPcm> readSounds(const QString& dir)
{
    std::vector<MonoPcm> sounds;
    for (int i = 0; i < 4; ++i) {
        QFile file(soundPath(dir, i));
        std::optional<MonoPcm> pcm = file.open(QIODevice::ReadOnly) ? parseWav(file.readAll()) : std::nullopt;
        if (!pcm)
            break;
        sounds.push_back(std::move(*pcm));
    }
    return sounds;
}

int check(const QString& rawPath, const QString& dir)
{
    QTextStream err(stderr);
    const std::optional<Samples> recording = readRaw(rawPath);
    const std::vector<MonoPcm> sounds = readSounds(dir);
    if (!recording || sounds.size() != 4) {
        err << "missing recording or expected sounds\n";
        return 1;
    }
    std::size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        const MonoPcm& sound = sounds[std::size_t(i)];
        const std::size_t into = follow(*recording, at, sound.samples);
        const double seconds = double(into) / sound.sampleRate;
        if (into < sound.samples.size()) {
            if (at < recording->size())
                err << kNames[i] << ": differs from " << seconds << " s on (cut short, garbled, mixed"
                    << " with another sound or preceded by one)\n";
            else
                err << kNames[i] << ": the recording ends " << seconds << " s into it\n";
            return 1;
        }
        err << kNames[i] << ": heard whole, " << seconds << " s\n";
    }
    const auto stray = std::find_if(recording->begin() + long(at), recording->end(), [](std::int16_t s) { return s != 0; });
    if (stray != recording->end()) {
        err << "a sound nobody asked for at " << double(stray - recording->begin()) / sounds[0].sampleRate
            << " s into the recording\n";
        return 1;
    }
    return 0;
}

int run(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("play"))
        return play(args[2]);
    if (args.size() == 4 && args[1] == QLatin1String("check"))
        return check(args[2], args[3]);
    QTextStream(stderr) << "usage: pulse_e2e_player play DIR | check RAW DIR\n";
    return 2;
}
} // namespace

int main(int argc, char* argv[])
{
    exitAfterAudio(run(argc, argv));
}
