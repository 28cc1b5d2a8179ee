// The end-to-end check through a real sound server (run by pulse_e2e.sh).
//   play EXPECTED   plays the ding, then speaks two sentences queued at once,
//                   and, after the output has stood idle a while as it does
//                   between a pupil's clicks, a third; writes the lengths each
//                   should have when heard
//   check RAW EXPECTED  finds the four sounds in a recording of the sink
//                   (mono 16-bit at the engine's rate) and compares them
#include "speech/engine_voice.h"
#include "speech/memory_output.h"
#include "speech/pcm_prompt_sound.h"
#include "speech/speaker_output.h"
#include "speech/speech.h"
#include "speech/wav_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

using namespace zorvel;

namespace {

const QStringList kSentences = {QStringLiteral("第 1题3 加 4"), QStringLiteral("第20题9801 除 99")};
const QString kLaterSentence = QStringLiteral("第 3题56 乘 7");
// How long the pupil waits after the second sentence before the next click.
constexpr int kIdleMs = 1500;
constexpr int kWindowMs = 10;
constexpr int kLoud = 300;

struct Span {
    std::size_t begin = 0; // in windows
    std::size_t end = 0;
    std::size_t length() const { return end - begin; }
};

std::vector<bool> loudWindows(const std::vector<std::int16_t>& samples, int sampleRate)
{
    const std::size_t window = std::size_t(sampleRate) * kWindowMs / 1000;
    std::vector<bool> loud;
    for (std::size_t at = 0; at + window <= samples.size(); at += window) {
        const auto [low, high] = std::minmax_element(samples.begin() + long(at), samples.begin() + long(at + window));
        loud.push_back(std::max(-int(*low), int(*high)) > kLoud);
    }
    return loud;
}

// Runs of quiet windows between the first and the last loud one.
std::vector<Span> innerSilences(const std::vector<bool>& loud, Span& sound)
{
    std::vector<Span> silences;
    const auto first = std::find(loud.begin(), loud.end(), true);
    if (first == loud.end())
        return silences;
    const auto last = std::find(loud.rbegin(), loud.rend(), true);
    sound = {std::size_t(first - loud.begin()), loud.size() - std::size_t(last - loud.rbegin())};
    for (std::size_t i = sound.begin; i < sound.end; ++i) {
        if (loud[i])
            continue;
        std::size_t j = i;
        while (!loud[j])
            ++j;
        silences.push_back({i, j});
        i = j;
    }
    return silences;
}

struct Expectation {
    double seconds = 0;
    double longestPause = 0;
};

Expectation measure(const std::vector<std::int16_t>& samples, int sampleRate)
{
    Span sound;
    const std::vector<Span> pauses = innerSilences(loudWindows(samples, sampleRate), sound);
    std::size_t longest = 0;
    for (const Span& pause : pauses)
        longest = std::max(longest, pause.length());
    return {sound.length() * kWindowMs / 1000.0, longest * kWindowMs / 1000.0};
}

std::optional<MonoPcm> ding()
{
    QFile file(QStringLiteral(":/sounds/ding.wav"));
    return file.open(QIODevice::ReadOnly) ? parseWav(file.readAll()) : std::nullopt;
}

int play(const QString& expectedPath)
{
    SynthesisWorker& worker = SynthesisWorker::espeak();
    QTextStream err(stderr);
    QFile expected(expectedPath);
    if (!worker.startup().ready || !expected.open(QIODevice::WriteOnly)) {
        err << "no speech engine or cannot write " << expectedPath << '\n';
        return 1;
    }
    QTextStream out(&expected);
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
        for (const MemoryOutput::Utterance& u : memory->utterances()) {
            const Expectation m = measure(u.samples, u.sampleRate);
            out << m.seconds << ' ' << m.longestPause << '\n';
        }
    }
    const std::optional<MonoPcm> sound = ding();
    if (!sound) {
        err << "no ding\n";
        return 1;
    }
    const Expectation dingMeasure = measure(sound->samples, sound->sampleRate);
    out << dingMeasure.seconds << ' ' << dingMeasure.longestPause << '\n';
    out << worker.startup().sampleRate << '\n';
    out.flush();

    EngineVoice voice(worker, std::make_shared<SpeakerOutput>());
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
    QTimer::singleShot(30000, [] { QCoreApplication::exit(1); });
    prompt.play();
    if (QCoreApplication::exec() != 0) {
        err << "playback did not finish\n";
        return 1;
    }
    return 0;
}

int check(const QString& rawPath, const QString& expectedPath)
{
    QTextStream err(stderr);
    QFile expectedFile(expectedPath);
    QFile raw(rawPath);
    if (!expectedFile.open(QIODevice::ReadOnly) || !raw.open(QIODevice::ReadOnly)) {
        err << "missing recording or expectations\n";
        return 1;
    }
    QTextStream in(&expectedFile);
    // The three sentences in the order spoken, then the ding.
    std::vector<Expectation> expected(4);
    for (Expectation& m : expected)
        in >> m.seconds >> m.longestPause;
    int sampleRate = 0;
    in >> sampleRate;
    const QByteArray bytes = raw.readAll();
    std::vector<std::int16_t> samples(std::size_t(bytes.size()) / 2);
    std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);

    Span sound;
    std::vector<Span> silences = innerSilences(loudWindows(samples, sampleRate), sound);
    if (silences.size() < 3) {
        err << "recording does not hold four sounds (" << silences.size() << " pauses)\n";
        return 1;
    }
    // The ding has no pause of its own, so the first pause ends it; the two
    // longest pauses after it separate the sentences.
    const Span afterDing = silences.front();
    std::vector<Span> gapsAfter(silences.begin() + 1, silences.end());
    std::partial_sort(gapsAfter.begin(), gapsAfter.begin() + 2, gapsAfter.end(),
                      [](const Span& a, const Span& b) { return a.length() > b.length(); });
    Span between[2] = {gapsAfter[0], gapsAfter[1]};
    if (between[1].begin < between[0].begin)
        std::swap(between[0], between[1]);
    const Span heard[4] = {{sound.begin, afterDing.begin}, {afterDing.end, between[0].begin},
                           {between[0].end, between[1].begin}, {between[1].end, sound.end}};
    const Expectation* order[4] = {&expected[3], &expected[0], &expected[1], &expected[2]};
    const char* names[4] = {"ding", "first sentence", "second sentence", "sentence after the idle pause"};

    bool ok = true;
    for (int i = 0; i < 4; ++i) {
        const double seconds = heard[i].length() * kWindowMs / 1000.0;
        const double tolerance = 0.05 + 0.03 * order[i]->seconds;
        const bool whole = std::abs(seconds - order[i]->seconds) <= tolerance;
        err << names[i] << ": heard " << seconds << " s, expected " << order[i]->seconds << " s"
            << (whole ? "" : "  <-- wrong length") << '\n';
        ok = ok && whole;
    }
    const double longestInnerPause = std::max({expected[0].longestPause, expected[1].longestPause,
                                               expected[2].longestPause});
    const Span gaps[3] = {afterDing, between[0], between[1]};
    const double limits[3] = {3.0, 3.0, 3.0 + kIdleMs / 1000.0};
    for (int i = 0; i < 3; ++i) {
        const double seconds = gaps[i].length() * kWindowMs / 1000.0;
        const bool clean = seconds < limits[i] && (i == 0 || seconds > longestInnerPause);
        err << "silence " << i + 1 << ": " << seconds << " s" << (clean ? "" : "  <-- out of range") << '\n';
        ok = ok && clean;
    }
    return ok ? 0 : 1;
}

int run(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("play"))
        return play(args[2]);
    if (args.size() == 4 && args[1] == QLatin1String("check"))
        return check(args[2], args[3]);
    QTextStream(stderr) << "usage: pulse_e2e_player play EXPECTED | check RAW EXPECTED\n";
    return 2;
}
} // namespace

int main(int argc, char* argv[])
{
    exitAfterAudio(run(argc, argv));
}
