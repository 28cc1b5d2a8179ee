// The default voice and prompt sound on a machine without a sound server:
// they answer at once and stay silent; the speech log records what a window
// asked for; libespeak-ng itself speaks Mandarin pinyin; the ding ships.
#include "speech/audio_file.h"
#include "speech/espeak_synthesizer.h"
#include "speech/memory_output.h"
#include "speech/engine_voice.h"
#include "speech/speech.h"
#include "speech/speech_log.h"
#include "speech/wav_file.h"

#include "speech_fakes.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace zorvel;

namespace {

QStringList logLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The default voice and prompt sound, made while the speech log names path.
struct LoggedSpeakers {
    std::unique_ptr<Voice> voice;
    std::unique_ptr<PromptSound> ding;
};

LoggedSpeakers speakersLoggingTo(const QString& path)
{
    qputenv("ZORVEL_SPEECH_LOG", path.toUtf8());
    LoggedSpeakers speakers{createDefaultVoice(), createDefaultPromptSound()};
    qunsetenv("ZORVEL_SPEECH_LOG");
    return speakers;
}

} // namespace

class DefaultSpeechTest : public QObject {
    Q_OBJECT
private slots:
    void withoutSoundServerEverythingIsQuiet()
    {
        qunsetenv("ZORVEL_SPEECH_LOG");
        std::unique_ptr<Voice> voice = createDefaultVoice();
        std::unique_ptr<PromptSound> ding = createDefaultPromptSound();
        QSignalSpy known(voice.get(), &Voice::availabilityKnown);
        for (int i = 0; i < 20; ++i) {
            voice->speak(QStringLiteral("第%1题47 加 8").arg(i + 1));
            ding->play();
        }
        QTRY_COMPARE_WITH_TIMEOUT(known.count(), 1, 20000);
        QCOMPARE(known.at(0).at(0).toBool(), false);
        QVERIFY(!voice->isAvailable());
        std::unique_ptr<Voice> second = createDefaultVoice();
        QTRY_VERIFY_WITH_TIMEOUT(!second->isAvailable(), 20000);
    }

    void speechLogRecordsSentencesAndDings()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("speech.log"));
        auto [voice, ding] = speakersLoggingTo(path);

        voice->speak(QStringLiteral("第 3题47 加 8"));
        ding->play();
        voice->speak(QStringLiteral("第12题 5.5"));
        QCOMPARE(logLines(path), (QStringList{QStringLiteral("第 3题47 加 8"), QStringLiteral("ding"),
                                              QStringLiteral("第12题 5.5")}));
    }

    // A log path naming a FIFO or a link is left alone: speaking and the
    // prompt sound never wait for a reader, and nothing is written through.
    void speechLogWritesOnlyRegularFiles_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to another file") << "link";
    }

    void speechLogWritesOnlyRegularFiles()
    {
        QFETCH(QString, planted);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("speech.log"));
        const QString other = dir.filePath(QStringLiteral("other"));
        QFile otherFile(other);
        QVERIFY(otherFile.open(QIODevice::WriteOnly));
        otherFile.close();
        if (planted == "fifo")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else
            QVERIFY(QFile::link(other, path));
        auto [voice, ding] = speakersLoggingTo(path);

        voice->speak(QStringLiteral("第 3题47 加 8"));
        ding->play();
        QCOMPARE(QFileInfo(other).size(), 0);
    }

    void loggingVoicePassesEverythingOn()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("speech.log"));
        testing::Rig rig;
        LoggingVoice voice(std::move(rig.voice), SpeechLog(path));
        QSignalSpy ended(&voice, &Voice::speechEnded);
        QSignalSpy known(&voice, &Voice::availabilityKnown);
        voice.speak(QStringLiteral("第 1题3 加 4"));
        voice.speak(QStringLiteral("第 2题5 加 6"));
        QTRY_COMPARE(ended.count(), 2);
        QCOMPARE(known.count(), 1);
        QVERIFY(known.at(0).at(0).toBool());
        QCOMPARE(rig.output->utterances().size(), std::size_t(2));
        QCOMPARE(logLines(path), (QStringList{QStringLiteral("第 1题3 加 4"), QStringLiteral("第 2题5 加 6")}));
    }

    void espeakSpeaksThePinyinReading()
    {
        SynthesisWorker& worker = SynthesisWorker::espeak();
        const EngineStartup& startup = worker.startup();
        QVERIFY(startup.ready);
        QVERIFY(startup.choice.has_value());
        QCOMPARE(QString::fromStdString(startup.voices[startup.choice->index].languages.front()),
                 QStringLiteral("cmn-latn-pinyin"));

        auto output = std::make_shared<MemoryOutput>();
        EngineVoice voice(worker, output);
        QSignalSpy ended(&voice, &Voice::speechEnded);
        QVERIFY(voice.isAvailable());
        voice.speak(QStringLiteral("第12题47 加 8"));
        voice.speak(QStringLiteral("第20题9801 除 99"));
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 2, 20000);
        const auto utterances = output->utterances();
        QCOMPARE(utterances.size(), std::size_t(2));
        for (const auto& utterance : utterances) {
            QCOMPARE(utterance.sampleRate, startup.sampleRate);
            const double seconds = double(utterance.samples.size()) / utterance.sampleRate;
            QVERIFY2(seconds > 1.0 && seconds < 6.0, qPrintable(QString::number(seconds)));
        }
        QVERIFY(utterances[1].samples.size() > utterances[0].samples.size());
    }

    void dingShipsAsPcm()
    {
        QFile file(QStringLiteral(":/sounds/ding.wav"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::optional<MonoPcm> ding = parseWav(file.readAll());
        QVERIFY(ding.has_value());
        const double seconds = double(ding->samples.size()) / ding->sampleRate;
        QVERIFY(seconds > 0.1 && seconds < 1.0);
        QVERIFY(*std::max_element(ding->samples.begin(), ding->samples.end()) > 8000);
    }

    // What the writer makes, read back by the prompt sound's reader; a file
    // not committed leaves the one already there untouched.
    void wavRoundTripAndRejects()
    {
        const MonoPcm pcm{22050, {0, 1, -1, 32767, -32768, 1234}};
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("round.wav"));
        {
            AudioFileWriter writer(path, AudioFormat::Wav);
            QVERIFY(writer.open(pcm.sampleRate));
            QVERIFY(writer.write(pcm.samples.data(), pcm.samples.size()));
            QVERIFY(writer.commit());
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        const std::optional<MonoPcm> back = parseWav(bytes);
        QVERIFY(back.has_value());
        QCOMPARE(back->sampleRate, pcm.sampleRate);
        QVERIFY(back->samples == pcm.samples);
        {
            AudioFileWriter abandoned(path, AudioFormat::Wav);
            QVERIFY(abandoned.open(8000));
            QVERIFY(abandoned.writeSilence(100000));
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("round.wav")});

        QByteArray truncated = bytes;
        truncated.chop(4);
        QVERIFY(!parseWav(truncated).has_value());
        QVERIFY(!parseWav(QByteArray("RIFF\0\0\0\0WAVE", 12)).has_value());
        QVERIFY(!parseWav(QByteArray("not a wave file at all")).has_value());
    }
};

QTEST_GUILESS_MAIN(DefaultSpeechTest)
#include "default_speech_test.moc"
