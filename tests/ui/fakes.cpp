// The recording fakes behind DrillServices.
#include "fakes.h"

#include <QTimer>

namespace zorvel::testing {

namespace {

class FixedSeedRandom final : public RandomSource {
public:
    explicit FixedSeedRandom(quint64 seed) : inner_(seed) {}
    double next() override { return inner_.next(); }
    void reseedFromClock() override {}

private:
    SeededRandom inner_;
};

class RecordingVoice final : public Voice {
public:
    explicit RecordingVoice(std::shared_ptr<Recorder> record) : record_(std::move(record)) {}
    void speak(const QString& sentence) override
    {
        if (!record_->voiceAvailable)
            return;
        record_->sentences << sentence;
        if (record_->speechEndsLater) {
            QTimer::singleShot(0, this, [this] {
                ++record_->speechEnds;
                emit speechEnded();
            });
        }
    }
    bool isAvailable() const override { return record_->voiceAvailable; }
    Silence silence() const override { return record_->voiceAvailable ? Silence::None : record_->silence; }
    void setRatePercent(int percent) override { record_->ratePercent = percent; }

private:
    std::shared_ptr<Recorder> record_;
};

class RecordingPrompt final : public PromptSound {
public:
    explicit RecordingPrompt(std::shared_ptr<Recorder> record) : record_(std::move(record)) {}
    void play() override { ++record_->prompts; }

private:
    std::shared_ptr<Recorder> record_;
};

} // namespace

DrillServices Fakes::services() const
{
    DrillServices s;
    const quint64 seed = this->seed;
    s.clock = clock;
    auto record = this->record;
    s.randomSource = [seed] { return std::make_unique<FixedSeedRandom>(seed); };
    s.voice = [record]() -> std::unique_ptr<Voice> {
        ++record->voicesCreated;
        auto voice = std::make_unique<RecordingVoice>(record);
        record->voice = voice.get();
        return voice;
    };
    s.promptSound = [record] { return std::make_unique<RecordingPrompt>(record); };
    s.showMessage = [record](QWidget*, const QString& title, const QString& text) {
        record->messages << title + QLatin1Char('|') + text;
    };
    const ReadingSettings reading = this->reading;
    s.loadReadingSettings = [reading] { return reading; };
    s.saveReadingSettings = [record](const ReadingSettings& kept) { record->savedReading = kept; };
    if (!exportPath.isEmpty()) {
        const QString path = exportPath;
        s.chooseAudioFile = [path](QWidget*) { return path; };
        s.exportAudio = [record](AudioExport job, std::function<void(const QString&)> done) {
            record->exports.push_back(std::move(job));
            done(QString());
        };
        s.saveSheet = [record](const sheets::Worksheet& sheet, const QString& path) {
            record->sheets.emplace_back(path, sheet);
            return QString();
        };
    }
    s.timeOfDay = [] { return QDateTime(QDate(2026, 3, 2), QTime(9, 30)); };
    if (recording)
        s.recorder = recorder.get();
    return s;
}

records::TestId FakeTestRecorder::beginTest(const records::Exercise& e, const QDateTime&, bool redo)
{
    ++lastTest;
    lines << QStringList{QStringLiteral("begin"), e.window, e.operation, e.mode, e.levelOption, e.levelCaption,
                         e.numberType}.join(QLatin1Char(' '))
                 + (redo ? QStringLiteral(" redo") : QString());
    return lastTest;
}

void FakeTestRecorder::note(records::TestId test, const QString& line)
{
    // Reports about a test other than the last begun are marked.
    lines << (test == lastTest ? line : QStringLiteral("[test %1] ").arg(test) + line);
}

void FakeTestRecorder::recordQuestion(records::TestId test, int number, const records::QuestionShown& q)
{
    note(test, QStringLiteral("question %1 %2 %3 %4 %5").arg(number).arg(q.operands[0], q.operands[1], q.operands[2],
                                                                      q.correctAnswer));
}

void FakeTestRecorder::recordAnswer(records::TestId test, int number, const QString& text, bool right, qint64 ms)
{
    note(test, QStringLiteral("answer %1 %2 %3 %4").arg(QString::number(number), text, right ? "right" : "wrong", QString::number(ms)));
}

void FakeTestRecorder::recordPlaybackReached(records::TestId test)
{
    note(test, QStringLiteral("playback"));
}

void FakeTestRecorder::recordReadingSettings(records::TestId test, const ReadingSettings& settings)
{
    note(test, QStringLiteral("reading ") + QString::fromStdString(readingSettingsText(settings)));
}

void FakeTestRecorder::endTest(records::TestId test, records::TestEnd end, const QString& stopwatchText)
{
    note(test, (QStringLiteral("end ") + records::testEndKey(end) + QLatin1Char(' ') + stopwatchText).trimmed());
}

void FakeTestRecorder::recordFluencyResult(records::TestId test, const records::FluencyResult& r)
{
    note(test, QStringLiteral("fluency %1 %2 %3 %4 %5 %6")
                   .arg(r.test)
                   .arg(r.limitSeconds)
                   .arg(r.questions)
                   .arg(r.correct)
                   .arg(r.elapsedMs)
                   .arg(r.passed ? "passed" : "failed"));
}

std::vector<records::QuestionShown> FakeTestRecorder::redoQuestions(const records::Exercise& e)
{
    bookAskedFor = QStringList{e.window, e.levelOption, e.numberType}.join(QLatin1Char(' '));
    return book;
}

QStringList FakeTestRecorder::linesStarting(const QString& start) const
{
    QStringList found;
    for (const QString& line : lines)
        if (line.startsWith(start))
            found << line;
    return found;
}

} // namespace zorvel::testing
