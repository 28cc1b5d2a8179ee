// A listening test written as an audio file, with a fake engine that speaks
// each sentence as a burst of sound framed by its own silence: the file
// read back holds one burst per reading with the silences of the script
// between them, in each format, and a failed write leaves nothing behind.
#include "listening_pace/listening_script.h"
#include "speech/audio_file.h"
#include "speech/script_audio.h"

#include "speech_fakes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QFile>
#include <QTest>

#include <sndfile.h>

#include <cstdlib>

using namespace zorvel;
using namespace zorvel::testing;

namespace {

// Speaks a text as 100 ms of engine silence, 20 samples per byte of a
// square wave, and 150 ms of silence again.
class FramedSynthesizer : public Synthesizer {
public:
    bool initialise() override { return true; }
    int sampleRate() const override { return 16000; }
    std::vector<InstalledVoice> voices() override { return {}; }
    bool selectVoice(const InstalledVoice&) override { return true; }
    void setRatePercent(int percent) override { rates.push_back(percent); }
    bool synthesise(const std::string& text, const SampleSink& sink) override
    {
        std::vector<std::int16_t> samples(1600, 3);
        for (std::size_t i = 0; i < text.size() * 20; ++i)
            samples.push_back(i % 8 < 4 ? 32767 : -32768);  // full scale: the file is turned down
        samples.insert(samples.end(), 2400, -2);
        return sink(samples.data(), samples.size());
    }
    std::vector<int> rates;
};

struct Run {
    bool loud;
    int peak = 0;
    std::size_t length;
};

// The file's runs of sound and of silence, in order.
std::vector<Run> runsOf(const QString& path, int& rate)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_READ, &info);
    std::vector<Run> runs;
    if (!file)
        return runs;
    rate = info.samplerate;
    std::vector<short> block(4096 * static_cast<std::size_t>(info.channels));
    sf_count_t read = 0;
    while ((read = sf_readf_short(file, block.data(), 4096)) > 0) {
        for (sf_count_t i = 0; i < read; ++i) {
            const bool loud = std::abs(block[static_cast<std::size_t>(i * info.channels)]) > 2000;
            if (runs.empty() || runs.back().loud != loud)
                runs.push_back({loud, 0, 0});
            ++runs.back().length;
            runs.back().peak = std::max(runs.back().peak, std::abs(int(block[std::size_t(i * info.channels)])));
        }
    }
    sf_close(file);
    return runs;
}

// The silences between the bursts, in ms; lossy coding rings a little, so
// a quiet stretch shorter than 50 ms inside a burst does not count.
std::vector<double> silencesMs(const std::vector<Run>& runs, int rate)
{
    std::vector<double> silences;
    for (std::size_t i = 1; i + 1 < runs.size(); ++i) {
        const double ms = 1000.0 * double(runs[i].length) / rate;
        if (!runs[i].loud && ms >= 50)
            silences.push_back(ms);
    }
    return silences;
}

std::vector<Question> threeQuestions()
{
    Question a{2, {"47", "8", ""}, 55};
    Question b{2, {"6", "7", ""}, 13};
    Question c{2, {"12", "30", ""}, 42};
    return {a, b, c};
}

} // namespace

class ScriptAudioTest : public QObject {
    Q_OBJECT

private slots:
    void fileHoldsEveryReadingAndItsSilence_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<bool>("twice");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<QList<double>>("silences");
        const double gap = 5000, opening = kAfterAnnouncementMs, answers = gap + kBeforeAnswersMs;
        QTest::newRow("wav once") << int(AudioFormat::Wav) << false << false << QList<double>{opening, gap, gap};
        QTest::newRow("wav twice, answers")
            << int(AudioFormat::Wav) << true << true
            << QList<double>{opening, 1000, gap, 1000, gap, 1000, answers, opening, kAfterAnswerMs, kAfterAnswerMs};
        QTest::newRow("ogg once, answers") << int(AudioFormat::Ogg) << false << true
                                           << QList<double>{opening, gap, gap, answers, opening, kAfterAnswerMs,
                                                            kAfterAnswerMs};
        QTest::newRow("mp3 twice") << int(AudioFormat::Mp3) << true << false
                                   << QList<double>{opening, 1000, gap, 1000, gap, 1000};
    }
    void fileHoldsEveryReadingAndItsSilence()
    {
        QFETCH(int, format);
        QFETCH(bool, twice);
        QFETCH(bool, answers);
        QFETCH(QList<double>, silences);
        QTemporaryDir dir;
        FramedSynthesizer engine;
        ReadingSettings settings;
        settings.twice = twice;
        settings.gapSeconds = 5;
        AudioExport job{dir.filePath(QStringLiteral("test.audio")), AudioFormat(format),
                        listeningTestScript(Operation::Add, threeQuestions(), settings, answers), 70,
                        QStringLiteral("听算练习 加法"), 7};
        QCOMPARE(writeScriptAudio(engine, ReadingStyle::Verbatim, job), QString());
        QCOMPARE(engine.rates.front(), 70);

        int rate = 0;
        const std::vector<Run> runs = runsOf(job.path, rate);
        QVERIFY(!runs.empty());
        QVERIFY2(runs.front().loud, "the file starts with the first question, not the engine's silence");
        const std::vector<double> found = silencesMs(runs, rate);
        QCOMPARE(found.size(), std::size_t(silences.size()));
        // Encoders add a little before the first sound and ring after a
        // burst; a silence is kept within 50 ms of the script.
        for (std::size_t i = 0; i < found.size(); ++i)
            QVERIFY2(std::abs(found[i] - silences[int(i)]) < 50,
                     qPrintable(QStringLiteral("silence %1: %2 ms, expected %3").arg(i).arg(found[i]).arg(silences[int(i)])));
        if (AudioFormat(format) == AudioFormat::Wav)
            QCOMPARE(rate, engine.sampleRate());
        // Title, artist and seed in the tags, in UTF-8 (the MP3's ID3v2.4 tag
        // first in the file, which libsndfile would write in Latin-1).
        QFile written(job.path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        for (const char* tag : {"听算练习 加法", "Zorvel", "种子 7"})
            QVERIFY2(bytes.contains(QByteArray(tag)), tag);
        if (AudioFormat(format) == AudioFormat::Mp3)
            QVERIFY(bytes.startsWith(QByteArray("ID3\4", 4)));
        // A full-scale voice peaks in the file at -1 dBFS at most.
        for (const Run& run : runs)
            QVERIFY2(run.peak <= 29204, qPrintable(QString::number(run.peak)));
    }

    void longWritesGoInBlocks()
    {
        // Four million frames at once: more than an encoder is handed in
        // one call.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("long.ogg"));
        AudioFileWriter writer(path, AudioFormat::Ogg);
        QVERIFY(writer.open(22050));
        std::vector<std::int16_t> samples(4'000'000);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<std::int16_t>((i % 100) * 100 - 5000);
        QVERIFY(writer.write(samples.data(), samples.size()));
        QVERIFY(writer.commit());
        SF_INFO info{};
        SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_READ, &info);
        QVERIFY(file);
        sf_close(file);
        QVERIFY(std::abs(info.frames - 4'000'000) < 4096);
    }

    void unwritableFileIsReportedAndNothingIsLeft()
    {
        QTemporaryDir dir;
        FramedSynthesizer engine;
        AudioExport job{dir.filePath(QStringLiteral("missing/test.wav")), AudioFormat::Wav,
                        listeningTestScript(Operation::Add, threeQuestions(), {}, false), 100, {}, {}};
        const QString problem = writeScriptAudio(engine, ReadingStyle::Verbatim, job);
        QCOMPARE(problem, QStringLiteral("文件夹不存在"));
        QVERIFY(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }
};

QTEST_GUILESS_MAIN(ScriptAudioTest)
#include "script_audio_test.moc"
