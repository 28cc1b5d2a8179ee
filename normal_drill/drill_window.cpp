// The routines both modes share: ResetTest, ClearQuestionDisplay,
// DisableKeypad, EnableDigitKeys, CheckAnswer, the option handlers, the
// question and the stopwatch tick.
#include "normal_drill/drill_window.h"

#include "normal_drill/answer_box.h"
#include "normal_drill/screen_units.h"
#include "questions/number_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>

namespace zorvel {

DrillWindow::DrillWindow(const FamilyRow& row, const DrillServices& services, QWidget* parent)
    : QDialog(parent), row_(row), services_(services), source_(row.operation, row.mode),
      layout_(this, row.widthTwips, kDesignHeightTwips)
{
    setObjectName(row.formName);
    random_ = services_.randomSource ? services_.randomSource() : std::make_unique<SeededRandom>();
    if (!services_.clock)
        services_.clock = steadyClock();
    buildControls();
}

DrillWindow::~DrillWindow() = default;

void DrillWindow::loadCommon()
{
    random_->reseedFromClock();
    setWindowTitle(programWindowTitle());
    ClearQuestionDisplay();
    DisableKeypad();
    checkAnswersButton_->setEnabled(false);
    setCancelConfirmEnabled(false);
    questionNumber_ = 0;
    correctAnswer_ = 0.0f;
    stopStopwatch();
    for (QRadioButton* option : levelOptions_)
        option->setEnabled(true);
    for (QRadioButton* option : typeOptions_)
        option->setEnabled(true);
    levelOptions_[levelIndex(operationInfo(row_.operation).defaultLevel)]->setChecked(true);
    typeOptions_[0]->setChecked(true);
    askButton_->setEnabled(true);
    // The window opens ready for "出 题", not on whichever option comes first.
    askButton_->setFocus();
}

void DrillWindow::done(int result)
{
    stopStopwatch();
    QDialog::done(result);
}

void DrillWindow::optionChosen(const QString& optionName)
{
    QWidget* focused = focusWidget();
    ResetTest();
    const auto& keeping = row_.focusKeepingOptions;
    if (std::find(keeping.begin(), keeping.end(), optionName) == keeping.end())
        askButton_->setFocus();
    else
        refocusAfterDisabling(focused, askButton_);
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

Level DrillWindow::selectedLevel() const
{
    for (int i = 0; i < int(kAllLevels.size()); ++i) {
        if (levelOptions_[i]->isChecked())
            return kAllLevels[i];
    }
    return operationInfo(row_.operation).defaultLevel;
}

NumberType DrillWindow::selectedNumberType() const
{
    for (int i = 0; i < int(kAllNumberTypes.size()); ++i) {
        if (typeOptions_[i]->isChecked())
            return kAllNumberTypes[i];
    }
    return NumberType::Integer;
}

void DrillWindow::applyNumberTypeFonts()
{
    const qreal pt = selectedNumberType() == NumberType::Integer ? row_.integerFontPt : row_.decimalFontPt;
    const QFont font = designFont(FontFace::Heiti, pt, true);
    layout_.setFont(operandLabels_[0], font);
    layout_.setFont(operandLabels_[1], font);
    layout_.setFont(answerBox_, font);
}

void DrillWindow::ResetTest()
{
    stopStopwatch();
    questionNumber_ = 0;
    numberLabel_->setText(QStringLiteral("0"));
    DisableKeypad();
    askButton_->setEnabled(true);
    zeroStopwatch();
    setOperandTexts({});
    answerBox_->clear();
    markLabel_->clear();
    restartButton_->setEnabled(false);
    checkAnswersButton_->setEnabled(false);
    applyNumberTypeFonts();
}

void DrillWindow::ClearQuestionDisplay()
{
    setOperandTexts({QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" ")});
    zeroStopwatch();
    answerBox_->clear();
    markLabel_->clear();
}

void DrillWindow::DisableKeypad()
{
    keypad_->setDigitKeysEnabled(false);
    setCancelConfirmEnabled(false);
}

void DrillWindow::EnableDigitKeys()
{
    keypad_->setDigitKeysEnabled(true);
}

void DrillWindow::setCancelConfirmEnabled(bool enabled)
{
    keypad_->cancel()->setEnabled(enabled);
    keypad_->confirm()->setEnabled(enabled);
}

void DrillWindow::CheckAnswer()
{
    const bool right = isRightAnswer(answerBox_->text().toStdString(), correctAnswer_);
    QWidget* focused = focusWidget();
    DisableKeypad();
    if (right) {
        markLabel_->setText(QStringLiteral("√"));
        askButton_->setEnabled(true);
        askButton_->setFocus();
    } else {
        markLabel_->setText(QStringLiteral("×"));
        EnableDigitKeys();
        setCancelConfirmEnabled(true);
        refocusAfterDisabling(focused, answerBox_);
    }
    if (right && questionNumber_ == row_.questionsPerTest())
        finishTest();
}

void DrillWindow::finishTest()
{
    stopStopwatch();
    restartButton_->setEnabled(true);
    restartButton_->setFocus();
    askButton_->setEnabled(false);
}

void DrillWindow::restartTest()
{
    ClearQuestionDisplay();
    DisableKeypad();
    random_->reseedFromClock();
    questionNumber_ = 0;
    correctAnswer_ = 0.0f;
    numberLabel_->setText(twoCharacterNumber(questionNumber_));
    stopStopwatch();
    restartButton_->setEnabled(false);
    checkAnswersButton_->setEnabled(false);
    askButton_->setEnabled(true);
    askButton_->setFocus();
}

void DrillWindow::tick()
{
    stopwatchTicked(stopwatch_.elapsedMs(services_.clock->nowMs()));
}

void DrillWindow::stopwatchTicked(qint64 elapsedMs)
{
    showStopwatch(readingFor(elapsedMs));
    const qint64 untilChange = msUntilNextReadingChange(elapsedMs);
    if (timer_->isActive() && stopwatchLabels_[4]->isVisible() && untilChange < timer_->interval())
        changeRepaint_->start(int(untilChange));
}

void DrillWindow::makeQuestion()
{
    const Question question = source_.next(selectedLevel(), selectedNumberType(), *random_);
    correctAnswer_ = question.correctAnswer;
    log_.write(questionNumber_, question);
    showOperands(question);
}

void DrillWindow::showOperands(const Question& question)
{
    std::array<QString, 3> texts;
    for (int i = 0; i < 3; ++i)
        texts[i] = QString::fromStdString(question.operands[i]);
    setOperandTexts(texts);
}

void DrillWindow::setOperandTexts(const std::array<QString, 3>& texts)
{
    for (size_t i = 0; i < operandLabels_.size(); ++i)
        operandLabels_[i]->setText(texts[i]);
}

void DrillWindow::startStopwatchIfIdle()
{
    if (stopwatch_.isStarted())
        return;
    stopwatch_.start(services_.clock->nowMs());
    timer_->start();
}

void DrillWindow::stopStopwatch()
{
    timer_->stop();
    changeRepaint_->stop();
}

void DrillWindow::zeroStopwatch()
{
    stopwatch_.reset();
    showStopwatch(StopwatchReading{});
}

void DrillWindow::showStopwatch(const StopwatchReading& reading)
{
    stopwatchLabels_[0]->setText(reading.minutesText());
    stopwatchLabels_[2]->setText(reading.secondsText());
    stopwatchLabels_[4]->setText(reading.hundredthsText());
}

QString DrillWindow::twoCharacterNumber(int n)
{
    return QString::fromStdString(withSignPosition(n)).right(2);
}

} // namespace zorvel
