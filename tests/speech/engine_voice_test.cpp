// The voice over a fake engine and a recording output: queue order and
// completeness, speak() not waiting for playback, the reading handed to the
// chosen voice, and the silent fallbacks.
#include "speech/engine_voice.h"

#include "speech_fakes.h"

#include <QSignalSpy>
#include <QTest>

using namespace zorvel;
using namespace zorvel::testing;

namespace {

std::size_t expectedSamples(const std::string& text)
{
    return text.size() * FakeSynthesizer::kSamplesPerByte;
}

} // namespace

class EngineVoiceTest : public QObject {
    Q_OBJECT
private slots:
    void sentencesAreSpokenWholeInOrder()
    {
        Rig rig;
        QSignalSpy ended(rig.voice.get(), &Voice::speechEnded);
        const QStringList sentences = {QStringLiteral("第 1题3 加 4"), QStringLiteral("第 2题47 加 8"),
                                       QStringLiteral("第 3题105 加 1000"), QStringLiteral("第 4题0.47 加 0.08")};
        for (const QString& sentence : sentences)
            rig.voice->speak(sentence);
        QTRY_COMPARE(ended.count(), sentences.size());

        const std::vector<std::string> texts = rig.texts();
        QCOMPARE(int(texts.size()), sentences.size());
        const auto utterances = rig.output->utterances();
        QCOMPARE(int(utterances.size()), sentences.size());
        for (int i = 0; i < sentences.size(); ++i) {
            QCOMPARE(QString::fromStdString(texts[i]), pinyinReading(sentences[i]));
            QCOMPARE(utterances[i].size(), expectedSamples(texts[i]));
            QVERIFY(std::all_of(utterances[i].begin(), utterances[i].end(),
                                [&](std::int16_t s) { return s == std::int16_t(texts[i].size()); }));
        }
        QVERIFY(rig.voice->isAvailable());
    }

    void speakReturnsWhileASentenceIsStillPlaying()
    {
        Rig rig;
        QSignalSpy ended(rig.voice.get(), &Voice::speechEnded);
        rig.output->hold(true);
        const QString longSentence = QStringLiteral("第20题9801 除 99 第20题9801 除 99 第20题9801 除 99");
        rig.voice->speak(longSentence);
        QTRY_VERIFY(rig.output->writes() > 0);

        rig.voice->speak(QStringLiteral("第 1题3 加 4"));
        rig.voice->speak(QStringLiteral("第 2题5 加 6"));
        QCOMPARE(rig.output->writes(), 1);
        QCOMPARE(ended.count(), 0);
        QCOMPARE(int(rig.texts().size()), 1);

        rig.output->hold(false);
        QTRY_COMPARE(ended.count(), 3);
        const auto utterances = rig.output->utterances();
        QCOMPARE(int(utterances.size()), 3);
        QCOMPARE(utterances[0].size(), expectedSamples(pinyinReading(longSentence).toStdString()));
        QCOMPARE(rig.texts()[1], pinyinReading(QStringLiteral("第 1题3 加 4")).toStdString());
    }

    void readingFollowsTheChosenVoice_data()
    {
        QTest::addColumn<std::vector<InstalledVoice>>("voices");
        QTest::addColumn<QString>("voiceName");
        QTest::addColumn<QString>("text");
        const std::vector<InstalledVoice> mandarin = {englishVoice(), {"cmn", "sit/cmn", {"cmn", "zh"}}};
        QTest::newRow("pinyin voice") << std::vector<InstalledVoice>{englishVoice(), pinyinVoice()}
                                      << QString::fromStdString(pinyinVoice().name)
                                      << QStringLiteral("di4 shi2er4 ti2 si4shi2qi1 jia1 ba1");
        QTest::newRow("Mandarin voice") << mandarin << QStringLiteral("cmn")
                                        << QStringLiteral("第十二题四十七 加 八");
        QTest::newRow("no Chinese voice") << std::vector<InstalledVoice>{englishVoice()}
                                          << QString::fromStdString(englishVoice().name)
                                          << QStringLiteral("第12题47 加 8");
    }

    void readingFollowsTheChosenVoice()
    {
        QFETCH(std::vector<InstalledVoice>, voices);
        QFETCH(QString, voiceName);
        QFETCH(QString, text);
        Rig rig(voices);
        QSignalSpy ended(rig.voice.get(), &Voice::speechEnded);
        rig.voice->speak(QStringLiteral("第12题47 加 8"));
        QTRY_COMPARE(ended.count(), 1);
        std::lock_guard<std::mutex> lock(rig.record->mutex);
        QCOMPARE(QString::fromStdString(rig.record->voices.at(0)), voiceName);
        QCOMPARE(QString::fromStdString(rig.record->texts.at(0)), text);
    }

    void silentWhenSpeechIsUnavailable_data()
    {
        QTest::addColumn<bool>("engineStarts");
        QTest::addColumn<bool>("hasVoices");
        QTest::addColumn<bool>("hasDevice");
        QTest::newRow("no engine") << false << true << true;
        QTest::newRow("no voice") << true << false << true;
        QTest::newRow("no sound device") << true << true << false;
    }

    void silentWhenSpeechIsUnavailable()
    {
        QFETCH(bool, engineStarts);
        QFETCH(bool, hasVoices);
        QFETCH(bool, hasDevice);
        Rig rig(hasVoices ? std::vector<InstalledVoice>{pinyinVoice()} : std::vector<InstalledVoice>{},
                engineStarts, hasDevice);
        QSignalSpy ended(rig.voice.get(), &Voice::speechEnded);
        QSignalSpy known(rig.voice.get(), &Voice::availabilityKnown);
        QTRY_COMPARE(known.count(), 1);
        QCOMPARE(known.at(0).at(0).toBool(), false);
        QVERIFY(!rig.voice->isAvailable());
        // Told apart: a voice that is there but has nothing to play on.
        QCOMPARE(rig.voice->silence(), engineStarts && hasVoices ? Silence::NoSoundOutput : Silence::NoVoice);
        for (int i = 0; i < 10; ++i)
            rig.voice->speak(QStringLiteral("第 1题3 加 4"));

        // A working voice queued behind them on the same worker proves they ran.
        auto probeOutput = std::make_shared<RecordingOutput>();
        EngineVoice probe(rig.worker, probeOutput);
        QSignalSpy probeEnded(&probe, &Voice::speechEnded);
        probe.speak(QStringLiteral("第 2题5 加 6"));
        if (engineStarts && hasVoices)
            QTRY_COMPARE(probeEnded.count(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(ended.count(), 0);
        QVERIFY(rig.output->utterances().empty());
        QCOMPARE(rig.output->writes(), 0);
    }

    // An engine that takes long to start and a device check that does not
    // answer, as with a sound server that accepts and stays silent: making
    // the voice, asking it and speaking never wait for either.
    void nothingWaitsForAStalledEngineOrDevice()
    {
        auto gate = std::make_shared<Gate>();
        auto record = std::make_shared<FakeSynthesizer::Record>();
        SynthesisWorker worker(std::make_unique<FakeSynthesizer>(true, std::vector<InstalledVoice>{pinyinVoice()},
                                                                 record, gate));
        auto output = std::make_shared<RecordingOutput>(false, gate);
        EngineVoice voice(worker, output);
        QSignalSpy known(&voice, &Voice::availabilityKnown);
        QVERIFY(voice.isAvailable());
        voice.speak(QStringLiteral("第 1题3 加 4"));
        gate->open();

        QTRY_COMPARE(known.count(), 1);
        QCOMPARE(known.at(0).at(0).toBool(), false);
        QVERIFY(!voice.isAvailable());
        QVERIFY(!gate->timedOut());
        QCOMPARE(output->writes(), 0);
    }

    void closingTheVoiceCutsOffWhatIsQueued()
    {
        Rig rig;
        rig.output->hold(true);
        for (int i = 0; i < 5; ++i)
            rig.voice->speak(QStringLiteral("第 %1题3 加 4").arg(i + 1));
        QTRY_VERIFY(rig.output->writes() > 0);
        rig.voice.reset();

        auto nextOutput = std::make_shared<RecordingOutput>();
        EngineVoice next(rig.worker, nextOutput);
        QSignalSpy ended(&next, &Voice::speechEnded);
        next.speak(QStringLiteral("第 1题9 加 9"));
        QTRY_COMPARE(ended.count(), 1);
        QVERIFY(rig.output->utterances().empty());
        QCOMPARE(int(rig.texts().size()), 2);
    }
};

QTEST_GUILESS_MAIN(EngineVoiceTest)
#include "engine_voice_test.moc"
