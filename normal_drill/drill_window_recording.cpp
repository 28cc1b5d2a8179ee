// What the drill-window base tells the pupils' record, and the opening of a
// "重练" test: the exercise on screen, each question as shown, the end of the
// test, and the mistakes book's questions queued in front of the generator.
#include "normal_drill/drill_window.h"

#include <QRadioButton>

namespace zorvel {

records::Exercise DrillWindow::shownExercise() const
{
    records::Exercise exercise;
    exercise.window = row_.formName;
    exercise.operation = catalogueText(operationInfo(row_.operation).key);
    exercise.mode = row_.recordedMode;
    for (const QRadioButton* option : controls_->levelOptions) {
        if (option->isChecked()) {
            exercise.levelOption = option->objectName();
            exercise.levelCaption = option->text();
        }
    }
    exercise.numberType = catalogueText(numberTypeKey(controls_->selectedNumberType()));
    return exercise;
}

void DrillWindow::recordQuestion(const Question& question)
{
    if (!recording_.isOpen())
        recording_.begin(shownExercise(), services_.timeOfDay(), redo_);
    if (keepsShownQuestion())
        recording_.question(cycle_.questionNumber(), question);
    else
        recording_.questionNotKept();
}

void DrillWindow::endRecordedTest(records::TestEnd end, const QString& stopwatchText)
{
    if (!recording_.isOpen())
        return;
    recording_.end(end, stopwatchText);
    redo_ = false;
    cycle_.dropQueued();
}

void DrillWindow::chooseExercise(Level level, NumberType type)
{
    if (const std::optional<int> position = levelPosition(row_.operation, level))
        controls_->levelOptions[static_cast<std::size_t>(*position)]->click();
    controls_->typeOptions[static_cast<std::size_t>(type)]->click();
}

void DrillWindow::openForRedo(const QString& levelOption, const QString& numberType)
{
    for (QRadioButton* option : controls_->levelOptions) {
        if (option->objectName() == levelOption)
            option->click();
    }
    if (const std::optional<NumberType> type = numberTypeFromName(numberType.toStdString()))
        controls_->typeOptions[static_cast<std::size_t>(*type)]->click();
    redo_ = true;
    if (services_.recorder)
        cycle_.queue(services_.recorder->redoQuestions(shownExercise()), row_.operandCount());
}

} // namespace zorvel
