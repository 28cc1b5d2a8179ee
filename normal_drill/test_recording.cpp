// Reports the test on screen to the recorder, keeping which test and which
// question the next report belongs to.
#include "normal_drill/test_recording.h"

#include "normal_drill/drill_services.h"
#include "questions/number_text.h"

namespace zorvel {

TestRecording::TestRecording(records::TestRecorder* recorder, std::shared_ptr<const MonotonicClock> clock)
    : recorder_(recorder), clock_(std::move(clock))
{
}

void TestRecording::begin(const records::Exercise& exercise, const QDateTime& started, bool redo)
{
    forget();
    if (!recorder_)
        return;
    test_ = recorder_->beginTest(exercise, started, redo);
    open_ = true;
    if (reading_)
        recorder_->recordReadingSettings(test_, *reading_);
}

void TestRecording::readingSettings(const ReadingSettings& settings)
{
    reading_ = settings;
    if (open_)
        recorder_->recordReadingSettings(test_, settings);
}

void TestRecording::question(int number, const Question& question)
{
    if (!open_)
        return;
    recorder_->recordQuestion(test_, number, shownQuestion(question));
    lastNumber_ = number;
    lastShownMs_ = clock_->nowMs();
}

void TestRecording::answer(const QString& text, bool right)
{
    if (lastNumber_ > 0)
        recorder_->recordAnswer(test_, lastNumber_, text, right, clock_->nowMs() - lastShownMs_);
}

void TestRecording::playbackReached()
{
    if (lastNumber_ == 0 || playbackReached_)
        return;
    playbackReached_ = true;
    recorder_->recordPlaybackReached(test_);
}

void TestRecording::fluencyResult(const records::FluencyResult& result)
{
    if (open_)
        recorder_->recordFluencyResult(test_, result);
}

void TestRecording::end(records::TestEnd end, const QString& stopwatchText)
{
    if (!open_)
        return;
    open_ = false;
    recorder_->endTest(test_, end, stopwatchText);
}

void TestRecording::forget()
{
    lastNumber_ = 0;
    playbackReached_ = false;
}

records::QuestionShown shownQuestion(const Question& question)
{
    records::QuestionShown shown;
    for (int i = 0; i < question.operandCount; ++i)
        shown.operands[static_cast<std::size_t>(i)] = QString::fromStdString(question.operands[static_cast<std::size_t>(i)]);
    shown.correctAnswer = QString::fromStdString(shortestText(question.correctAnswer));
    return shown;
}

} // namespace zorvel
