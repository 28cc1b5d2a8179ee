// The routines every drill window shares: resetTest, clearQuestionDisplay,
// disableKeypad, enableDigitKeys, checkAnswer, the option handlers and the
// steps of the question cycle.
#include "normal_drill/drill_window.h"

#include "normal_drill/answer_entry.h"
#include "design_units/screen_units.h"
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

} // namespace

DrillWindow::DrillWindow(const FamilyRow& row, const DrillServices& services, QWidget* parent)
    : QDialog(parent), row_(row), services_(withClocks(services)), deck_(row.operation, row.mode, row.questionsPerTest()),
      recording_(services_.recorder, services_.clock), layout_(this, row.widthTwips, kDesignHeightTwips)
{
    setObjectName(row.formName);
    random_ = services_.randomSource ? services_.randomSource() : std::make_unique<SeededRandom>();
    buildControls();
}

DrillWindow::~DrillWindow() = default;

void DrillWindow::loadCommon()
{
    random_->reseedFromClock();
    setWindowTitle(programWindowTitle());
    clearQuestionDisplay();
    disableKeypad();
    checkAnswersButton_->setEnabled(false);
    questionNumber_ = 0;
    correctAnswer_ = 0.0f;
    stopStopwatch();
    for (QRadioButton* option : levelOptions_)
        option->setEnabled(true);
    for (QRadioButton* option : typeOptions_)
        option->setEnabled(true);
    levelOptions_[*levelPosition(row_.operation, operationInfo(row_.operation).defaultLevel)]->setChecked(true);
    typeOptions_[0]->setChecked(true);
    askButton_->setEnabled(true);
    // The window opens ready for "出 题", not on whichever option comes first.
    askButton_->setFocus();
}

void DrillWindow::done(int result)
{
    endRecordedTest(records::TestEnd::Closed);
    recording_.forget();
    stopStopwatch();
    QDialog::done(result);
}

void DrillWindow::optionChosen(const QString& optionName)
{
    QWidget* focused = focusWidget();
    endRecordedTest(records::TestEnd::Reset);
    recording_.forget();
    // The pupil chose another exercise than the one "重练" opened with.
    dropRedo();
    resetTest();
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
    for (int i = 0; i < kLevelOptionCount; ++i) {
        if (levelOptions_[i]->isChecked() && levelOption(row_.operation, i).level)
            return *levelOption(row_.operation, i).level;
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
    entry_->setFont(font);
}

void DrillWindow::resetTest()
{
    stopStopwatch();
    questionNumber_ = 0;
    numberLabel_->setText(QStringLiteral("0"));
    disableKeypad();
    askButton_->setEnabled(true);
    stopwatch_->zero();
    setOperandTexts({});
    entry_->clear();
    markLabel_->clear();
    restartButton_->setEnabled(false);
    checkAnswersButton_->setEnabled(false);
    applyNumberTypeFonts();
    testAbandoned();
}

void DrillWindow::clearQuestionDisplay()
{
    setOperandTexts({QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" ")});
    stopwatch_->zero();
    entry_->clear();
    markLabel_->clear();
}

void DrillWindow::disableKeypad()
{
    entry_->setDigitKeysEnabled(false);
    entry_->setCancelConfirmEnabled(false);
}

void DrillWindow::enableDigitKeys()
{
    entry_->setDigitKeysEnabled(true);
}

void DrillWindow::checkAnswer()
{
    if (!answerReady(entry_->text()))
        return;
    const bool right = isRightAnswer(entry_->text().toStdString(), correctAnswer_);
    recording_.answer(entry_->text(), right);
    markAnswer(right);
}

void DrillWindow::markAnswer(bool right)
{
    QWidget* focused = focusWidget();
    disableKeypad();
    showMark(right ? QStringLiteral("√") : QStringLiteral("×"));
    if (right) {
        openAskButton();
    } else {
        enableDigitKeys();
        entry_->setCancelConfirmEnabled(true);
        refocusAfterDisabling(focused, entry_->box());
    }
    if (right && questionNumber_ == row_.questionsPerTest())
        finishTest();
}

void DrillWindow::keyboardGuardTripped()
{
    // The focus that Enter may just have given "出 题" returns to the answer
    // box rather than passing on to "再测一次", where a second Enter would
    // end the playback.
    QWidget* focused = focusWidget();
    askButton_->setEnabled(false);
    refocusAfterDisabling(focused, entry_->box());
}

void DrillWindow::finishTest()
{
    stopStopwatch();
    endTestFinished(stopwatch_->shownText());
}

void DrillWindow::endTestFinished(const QString& timeText)
{
    endRecordedTest(records::TestEnd::Finished, timeText);
    restartButton_->setEnabled(true);
    restartButton_->setFocus();
    askButton_->setEnabled(false);
}

void DrillWindow::startAgain()
{
    endRecordedTest(records::TestEnd::Restarted);
    recording_.forget();
    clearQuestionDisplay();
    disableKeypad();
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

void DrillWindow::openAnswerBox()
{
    entry_->box()->setEnabled(true);
    askButton_->setEnabled(false);
}

void DrillWindow::presentNextQuestion()
{
    ++questionNumber_;
    numberLabel_->setText(row_.plainQuestionNumber ? QString::number(questionNumber_)
                                                   : twoCharacterNumber(questionNumber_));
    entry_->clear();
    markLabel_->clear();
    entry_->setCancelConfirmEnabled(false);
    const Question question = nextQuestion();
    correctAnswer_ = question.correctAnswer;
    log_.write(questionNumber_, question);
    recordQuestion(question);
    showOperands(question);
    enableDigitKeys();
    entry_->focusBox();
}

Question DrillWindow::nextQuestion()
{
    if (questionNumber_ == 1)
        deck_.startTest();
    return queued_.next(deck_, selectedLevel(), selectedNumberType(), *random_);
}

void DrillWindow::offerAnswerCheck()
{
    restartButton_->setEnabled(true);
    questionNumber_ = 0;
    askButton_->setEnabled(false);
    checkAnswersButton_->setEnabled(true);
    stopStopwatch();
    endRecordedTest(records::TestEnd::Finished);
}

bool DrillWindow::answerCheckOffered() const
{
    return checkAnswersButton_->isEnabled();
}

void DrillWindow::breakOffTest(QWidget* focusedBefore)
{
    endRecordedTest(records::TestEnd::Reminder);
    recording_.forget();
    setOperandTexts({});
    entry_->clear();
    questionNumber_ = 0;
    stopwatch_->zero();
    numberLabel_->setText(QStringLiteral("0"));
    disableKeypad();
    askButton_->setEnabled(true);
    refocusAfterDisabling(focusedBefore, askButton_);
}

void DrillWindow::stopwatchTicked(qint64 elapsedMs)
{
    stopwatch_->show(elapsedMs);
}

void DrillWindow::startStopwatchIfIdle() { stopwatch_->startIfIdle(); }
void DrillWindow::stopStopwatch() { stopwatch_->stop(); }
void DrillWindow::setStopwatchVisible(bool visible) { stopwatch_->setVisible(visible); }
void DrillWindow::showQuestionNumberCaption(const QString& caption) { numberLabel_->setText(caption); }
QString DrillWindow::questionNumberCaption() const { return numberLabel_->text(); }
QString DrillWindow::operandText(int i) const { return operandLabels_[i]->text(); }
void DrillWindow::showAnswer(const QString& text) { entry_->showAnswer(text); }
void DrillWindow::clearMark() { markLabel_->clear(); }
void DrillWindow::showMark(const QString& mark) { markLabel_->setText(mark); }
QString DrillWindow::answerText() const { return entry_->text(); }
void DrillWindow::setAskEnabled(bool enabled) { askButton_->setEnabled(enabled); }
void DrillWindow::showStopwatchReading(qint64 ms) { stopwatch_->show(ms); }

void DrillWindow::openAskButton()
{
    askButton_->setEnabled(true);
    askButton_->setFocus();
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

QString DrillWindow::twoCharacterNumber(int n)
{
    return QString::fromStdString(withSignPosition(n)).right(2);
}

} // namespace zorvel
