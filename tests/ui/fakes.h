// Fakes for the drill-window tests: a clock the test moves by hand, a random
// source with a fixed seed, a voice and a prompt sound that record what they
// are given, a message box that records instead of waiting, and a pupils'
// record that writes each report as one line of text.
#pragma once

#include "normal_drill/drill_services.h"
#include "worksheets/worksheet.h"

#include <QStringList>

#include <memory>

namespace zorvel::testing {

class ManualClock final : public MonotonicClock {
public:
    qint64 nowMs() const override { return now; }
    qint64 now = 1000;
};

struct Recorder {
    QStringList sentences;        // handed to the voice
    int prompts = 0;              // prompt sounds played
    QStringList messages;         // "title|text" of each message box
    bool voiceAvailable = true;
    Silence silence = Silence::NoVoice;    // why, when the voice is not available
    int voicesCreated = 0;
    int ratePercent = 100;        // the pace the voice was last given
    Voice* voice = nullptr;       // the last voice made, to end its sentences
    // Set: each sentence ends by itself from the event loop, after speak()
    // has returned, as a real sound output reports it; speechEnds counts them.
    bool speechEndsLater = false;
    int speechEnds = 0;
    ReadingSettings savedReading; // what the window last kept for the pupil
    std::vector<AudioExport> exports;  // handed to the audio exporter
    std::vector<std::pair<QString, sheets::Worksheet>> sheets;  // saved beside an export
};

// Each report as a line: "begin Form81 add normal Option4 2位 + 1位 integer",
// with " redo" for a redo test; "question 1 47 8  55"; "answer 1 55 right 1200"
// (or "wrong"); "playback"; "reading pace=slow twice=1 auto=0 gap=10";
// "fluency times-table-60 300 60 58 299000 passed";
// "end finished 1:06.00".
class FakeTestRecorder final : public records::TestRecorder {
public:
    records::TestId beginTest(const records::Exercise& exercise, const QDateTime& started, bool redo) override;
    void recordQuestion(records::TestId test, int number, const records::QuestionShown& question) override;
    void recordAnswer(records::TestId test, int number, const QString& text, bool right, qint64 ms) override;
    void recordPlaybackReached(records::TestId test) override;
    void recordReadingSettings(records::TestId test, const ReadingSettings& settings) override;
    void endTest(records::TestId test, records::TestEnd end, const QString& stopwatchText) override;
    void recordFluencyResult(records::TestId test, const records::FluencyResult& result) override;
    std::vector<records::QuestionShown> redoQuestions(const records::Exercise& exercise) override;

    QStringList lines;
    QStringList linesStarting(const QString& start) const;
    std::vector<records::QuestionShown> book;   // handed out for every redo
    QString bookAskedFor;                        // "Form81 Option4 integer"
    records::TestId lastTest = 0;

private:
    void note(records::TestId test, const QString& line);
};

struct Fakes {
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<Recorder> record = std::make_shared<Recorder>();
    std::shared_ptr<FakeTestRecorder> recorder = std::make_shared<FakeTestRecorder>();
    bool recording = false;  // the windows get the recorder only when set
    quint64 seed = 20200101;
    ReadingSettings reading;     // what the window finds kept for the pupil
    QString exportPath;          // set: "导出音频…" is offered and this file chosen
    DrillServices services() const;
};

} // namespace zorvel::testing
