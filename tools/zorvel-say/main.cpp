// zorvel-say: speaks sentences as a listening window does and waits until
// they have been heard; or prints their reading, writes them to an audio file,
// or lists the installed voices with the chosen one marked.
#include "say_options.h"

#include "common/command_line.h"
#include "common/qt_messages.h"

#include "speech/engine_voice.h"
#include "speech/memory_output.h"
#include "speech/speech.h"
#include "speech/audio_file.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

using namespace zorvel;

namespace {

constexpr int kPatienceMsPerSentence = 30000;

int fail(const QString& message)
{
    QTextStream(stderr) << "zorvel-say：" << message << '\n';
    return 1;
}

enum class Spoken { Heard, GaveUp, Unavailable };

// Speaks every sentence and returns once all have been heard, or once the
// voice has found out it cannot speak.
Spoken speakAll(Voice& voice, const QStringList& sentences)
{
    int left = sentences.size();
    QObject::connect(&voice, &Voice::speechEnded, qApp, [&left] {
        if (--left == 0)
            QCoreApplication::exit(0);
    });
    QObject::connect(&voice, &Voice::availabilityKnown, qApp, [](bool available) {
        if (!available)
            QCoreApplication::exit(2);
    });
    QTimer::singleShot(kPatienceMsPerSentence * sentences.size(), qApp, [] { QCoreApplication::exit(1); });
    for (const QString& sentence : sentences)
        voice.speak(sentence);
    const int status = QCoreApplication::exec();
    return status == 0 ? Spoken::Heard : status == 2 ? Spoken::Unavailable : Spoken::GaveUp;
}

int listVoices()
{
    const EngineStartup& startup = SynthesisWorker::espeak().startup();
    if (!startup.ready)
        return fail(QStringLiteral("语音引擎 libespeak-ng 没能启动"));
    QTextStream out(stdout);
    for (std::size_t i = 0; i < startup.voices.size(); ++i) {
        const InstalledVoice& voice = startup.voices[i];
        QStringList languages;
        for (const std::string& language : voice.languages)
            languages.append(QString::fromStdString(language));
        const bool chosen = startup.choice && startup.choice->index == i;
        out << (chosen ? "* " : "  ") << QString::fromStdString(voice.name) << '\t'
            << languages.join(u',') << '\t' << QString::fromStdString(voice.identifier) << '\n';
    }
    return 0;
}

int printReadings(const QStringList& sentences)
{
    const EngineStartup& startup = SynthesisWorker::espeak().startup();
    const ReadingStyle style = startup.choice ? startup.choice->style : ReadingStyle::Pinyin;
    QTextStream out(stdout);
    for (const QString& sentence : sentences)
        out << readingFor(style, sentence) << '\n';
    return 0;
}

int writeWav(const QString& path, const QStringList& sentences)
{
    auto output = std::make_shared<MemoryOutput>();
    EngineVoice voice(SynthesisWorker::espeak(), output);
    const Spoken spoken = voice.isAvailable() ? speakAll(voice, sentences) : Spoken::Unavailable;
    if (spoken == Spoken::Unavailable)
        return fail(QStringLiteral("没有可用的中文语音"));
    if (spoken == Spoken::GaveUp)
        return fail(QStringLiteral("语音引擎没有读完"));
    const std::vector<MemoryOutput::Utterance> utterances = output->utterances();
    AudioFileWriter writer(path, audioFormatFromPath(path).value_or(AudioFormat::Wav));
    bool written = writer.open(utterances.empty() ? SynthesisWorker::espeak().startup().sampleRate
                                                  : utterances.front().sampleRate);
    for (const MemoryOutput::Utterance& utterance : utterances)
        written = written && writer.write(utterance.samples.data(), utterance.samples.size());
    if (!written || !writer.commit())
        return fail(QStringLiteral("没能写入 %1：%2").arg(quotedArgument(path), writer.error()));
    return 0;
}

int speakAloud(const QStringList& sentences)
{
    const std::unique_ptr<Voice> voice = createDefaultVoice();
    const Spoken spoken = voice->isAvailable() ? speakAll(*voice, sentences) : Spoken::Unavailable;
    if (spoken == Spoken::Unavailable)
        return fail(QStringLiteral("无法朗读：没有语音引擎、中文语音或声音输出"));
    if (spoken == Spoken::GaveUp)
        return fail(QStringLiteral("等不到朗读结束，已放弃"));
    return 0;
}

int runSay(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QString error;
    const std::optional<SayOptions> options = parseSayOptions(QCoreApplication::arguments(), error);
    if (!options) {
        QTextStream(stderr) << error << '\n';
        return 2;
    }
    switch (options->mode) {
    case SayOptions::Mode::Help:
        QTextStream(stdout) << sayHelp() << '\n';
        return 0;
    case SayOptions::Mode::Version:
        QTextStream(stdout) << versionLine(QStringLiteral("zorvel-say")) << '\n';
        return 0;
    case SayOptions::Mode::Voices:
        return listVoices();
    case SayOptions::Mode::Reading:
        return printReadings(options->sentences);
    case SayOptions::Mode::Wav:
        return writeWav(options->wavPath, options->sentences);
    case SayOptions::Mode::Speak:
        break;
    }
    return speakAloud(options->sentences);
}
} // namespace

int main(int argc, char* argv[])
{
    keepQtRemarksOffStandardError();
    exitAfterAudio(runSay(argc, argv));
}
