// The routines every drill window shares: resetTest, checkAnswer, the one
// sequence back to the start of a test, the option handlers and the steps of
// the question cycle over the window's TestCycle.
#include "normal_drill/drill_window.h"

#include "normal_drill/answer_entry.h"
#include "normal_drill/stopwatch_display.h"
#include "questions/number_text.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace zorvel {
namespace {

// services, with the steady clock and the local time where none was given.
DrillServices withClocks(DrillServices services)
{
    if (!services.clock)
        services.clock = steadyClock();
    if (!services.timeOfDay)
        services.timeOfDay = [] { return QDateTime::currentDateTime(); };
    return services;
}

// The question number with a leading blank for the sign: " 1" to " 9", then
// "10" to "20".
QString numberCaption(int n)
{
    return QString::fromStdString(twoCharacterNumber(n));
}

} // namespace

DrillWindow::DrillWindow(const FamilyRow& row, const DrillServices& services, QWidget* parent)
    : QDialog(parent), row_(row), services_(withClocks(services)),
      cycle_(row.operation, row.mode, row.questionsPerTest()), recording_(services_.recorder, services_.clock),
      layout_(this, row.widthTwips, kDesignHeightTwips)
{
    setObjectName(row.formName);
    random_ = services_.randomSource ? services_.randomSource() : std::make_unique<SeededRandom>();
    connectControls();
}

DrillWindow::~DrillWindow() = default;

void DrillWindow::loadCommon()
{
    random_->reseedFromClock();
    setWindowTitle(programWindowTitle());
    backToStart(StartCause::Opened);
    for (QRadioButton* option : controls_->levelOptions)
        option->setEnabled(true);
    for (QRadioButton* option : controls_->typeOptions)
        option->setEnabled(true);
    const int level = *levelPosition(row_.operation, operationInfo(row_.operation).defaultLevel);
    controls_->levelOptions[static_cast<std::size_t>(level)]->setChecked(true);
    controls_->typeOptions[0]->setChecked(true);
    // The window opens ready for "出 题", not on whichever option comes first.
    controls_->ask->setFocus();
}

void DrillWindow::backToStart(StartCause cause)
{
    controls_->stopwatch->stop();
    controls_->stopwatch->zero();
    cycle_.backToStart(cause == StartCause::Opened || cause == StartCause::StartAgain);
    // "再测一次" writes the count as it writes every number, with the blank
    // for the sign; after opening the window the count shows its first "0".
    if (cause == StartCause::StartAgain)
        controls_->number->setText(numberCaption(0));
    else if (cause != StartCause::Opened)
        controls_->number->setText(QStringLiteral("0"));
    // Opening and "再测一次" show a single blank in each operand (their
    // clearQuestionDisplay), the others empty them; the rest reminder
    // leaves the mark.
    if (cause == StartCause::Opened || cause == StartCause::StartAgain) {
        controls_->clearQuestionDisplay();
    } else {
        controls_->setOperandTexts({});
        controls_->entry->clear();
        if (cause != StartCause::RestReminder)
            controls_->mark->clear();
    }
    controls_->disableKeypad();
    controls_->ask->setEnabled(true);
    controls_->restart->setEnabled(false);
    controls_->checkAnswers->setEnabled(false);
}

void DrillWindow::done(int result)
{
    endRecordedTest(records::TestEnd::Closed);
    recording_.forget();
    controls_->stopwatch->stop();
    QDialog::done(result);
}

void DrillWindow::optionChosen(const QString& optionName)
{
    QWidget* focused = focusWidget();
    endRecordedTest(records::TestEnd::Reset);
    recording_.forget();
    // The pupil chose another exercise than the one "重练" opened with.
    redo_ = false;
    cycle_.dropQueued();
    resetTest();
    const auto& keeping = row_.focusKeepingOptions;
    if (std::find(keeping.begin(), keeping.end(), optionName) == keeping.end())
        controls_->ask->setFocus();
    else
        refocusAfterDisabling(focused, controls_->ask);
}

void DrillWindow::refocusAfterDisabling(QWidget* focused, QWidget* fallback)
{
    if (!focused || focusWidget() == focused)
        return;
    if (focused->isEnabled())
        focused->setFocus();
    else
        fallback->setFocus();
}

void DrillWindow::resetTest()
{
    backToStart(StartCause::ExerciseChosen);
    controls_->applyNumberTypeFonts();
    testAbandoned();
}

void DrillWindow::checkAnswer()
{
    const QString text = controls_->entry->text();
    if (!answerReady(text))
        return;
    const bool right = isRightAnswer(text.toStdString(), cycle_.correctAnswer());
    recording_.answer(text, right);
    markAnswer(right);
}

void DrillWindow::markAnswer(bool right)
{
    QWidget* focused = focusWidget();
    const bool last = cycle_.answer(right);
    controls_->disableKeypad();
    controls_->showMark(right);
    if (right) {
        controls_->openAskButton();
    } else {
        controls_->enableDigitKeys();
        controls_->entry->setCancelConfirmEnabled(true);
        controls_->entry->selectAnswer();
        refocusAfterDisabling(focused, controls_->entry->box());
    }
    if (last)
        finishTest();
}

void DrillWindow::finishTest()
{
    controls_->stopwatch->stop();
    endTestFinished(controls_->stopwatch->shownText());
}

void DrillWindow::endTestFinished(const QString& timeText)
{
    cycle_.end();
    endRecordedTest(records::TestEnd::Finished, timeText);
    controls_->restart->setEnabled(true);
    controls_->restart->setFocus();
    controls_->ask->setEnabled(false);
}

void DrillWindow::startAgain()
{
    endRecordedTest(records::TestEnd::Restarted);
    recording_.forget();
    random_->reseedFromClock();
    backToStart(StartCause::StartAgain);
    controls_->ask->setFocus();
    testAbandoned();
}

void DrillWindow::presentNextQuestion()
{
    cycle_.advance();
    const int n = cycle_.questionNumber();
    controls_->number->setText(row_.plainQuestionNumber ? QString::number(n) : numberCaption(n));
    controls_->entry->clear();
    controls_->mark->clear();
    controls_->entry->setCancelConfirmEnabled(false);
    const Question question = nextQuestion();
    cycle_.show(question);
    recordQuestion(question);
    controls_->showOperands(question);
    controls_->enableDigitKeys();
    controls_->entry->focusBox();
}

Question DrillWindow::nextQuestion()
{
    return cycle_.draw(controls_->selectedLevel(), controls_->selectedNumberType(), *random_);
}

void DrillWindow::offerAnswerCheck()
{
    controls_->restart->setEnabled(true);
    cycle_.setQuestionNumber(0);
    cycle_.end();
    controls_->ask->setEnabled(false);
    controls_->checkAnswers->setEnabled(true);
    controls_->stopwatch->stop();
    endRecordedTest(records::TestEnd::Finished);
}

void DrillWindow::breakOffTest(QWidget* focusedBefore)
{
    endRecordedTest(records::TestEnd::Reminder);
    recording_.forget();
    backToStart(StartCause::RestReminder);
    refocusAfterDisabling(focusedBefore, controls_->ask);
}

void DrillWindow::remindRest()
{
    if (services_.showMessage)
        services_.showMessage(this, QStringLiteral("超时提醒"),
                              QStringLiteral("您本次训练时间已达到10分钟了,请休息一会儿吧!"));
}

void DrillWindow::stopwatchTicked(qint64 elapsedMs)
{
    controls_->stopwatch->show(elapsedMs);
}

} // namespace zorvel
