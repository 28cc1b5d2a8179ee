// The base of every drill window: the ten of the family table, the 达标测试
// and the 今日练习. It builds every control of the window's row (heading,
// level and number-type frames, operands in column form, the answer entry,
// mark, question number, the stopwatch display, buttons) and holds the
// routines the windows share: resetTest, clearQuestionDisplay, disableKeypad,
// enableDigitKeys, checkAnswer. The normal, listening, 达标 and practice
// windows add their question cycle on top through the protected routines
// and hooks below.
#pragma once

#include "normal_drill/drill_controls.h"
#include "normal_drill/drill_services.h"
#include "normal_drill/family_table.h"
#include "normal_drill/test_recording.h"
#include "normal_drill/twips_layout.h"
#include "questions/generators.h"
#include "questions/question.h"
#include "test_cycle/test_cycle.h"

#include <QDialog>

#include <memory>

namespace zorvel {

class DrillWindow : public QDialog {
    Q_OBJECT
public:
    DrillWindow(const FamilyRow& row, const DrillServices& services, QWidget* parent);
    ~DrillWindow() override;

    const FamilyRow& row() const { return row_; }
    // The client area at the designed size, in pixels of this screen.
    QSize designSize() const { return layout_.designSize(); }
    // The test on screen: question n of N, its right answer, the log.
    const TestCycle& cycle() const { return cycle_; }

    void done(int result) override;

    // For a "重练" test: selects the level option ("Option4") and number type
    // ("integer") as if clicked; the test then starts with the mistakes
    // book's questions of that exercise and is recorded as a redo test.
    void openForRedo(const QString& levelOption, const QString& numberType);

protected:
    // The Form_Load steps every window shares: seed, title, back to the
    // start, options enabled, default level and "整   数" selected.
    void loadCommon();

    // Hooks, each named for what a window adds there.
    virtual void askQuestion() = 0;          // Command1 "出 题"
    // The question "出 题" shows: a queued one, else one drawn for the level
    // and number type on screen.
    virtual Question nextQuestion();
    // checkAnswer's marking of the answer just read and recorded; a right
    // answer to the last question finishes the test.
    virtual void markAnswer(bool right);
    virtual void finishTest();               // right answer to the last question
    virtual void startAgain();               // Command3 "再测一次"
    virtual void checkAnswersClicked() {}    // Command18 "核对答案"
    // The test on screen is abandoned: an exercise chosen (the end of
    // resetTest, also as the window loads) or "再测一次" pressed.
    virtual void testAbandoned() {}
    // One tick of Timer1; shows the reading.
    virtual void stopwatchTicked(qint64 elapsedMs);
    // Whether "确定" or Enter checks this text at all (every text does in
    // the normal and listening windows: an empty one reads as 0).
    virtual bool answerReady(const QString& /*text*/) const { return true; }
    // The exercise selected on screen, as the record keeps it.
    virtual records::Exercise shownExercise() const;
    // Whether the record keeps the question just shown with the test's
    // exercise (all of them but in a test of several exercises).
    virtual bool keepsShownQuestion() const { return true; }

    // A level or number type chosen: back to the start, the fonts of the
    // number type, then testAbandoned.
    void resetTest();
    // "确定" or Enter: the answer read, judged and recorded, then markAnswer.
    void checkAnswer();
    // The question-cycle steps every window shares: raise the question
    // number and show it, empty the answer and the mark, make the question,
    // open the keypad and put the focus in the answer box.
    void presentNextQuestion();
    // The last question of a listening test is out: "再测一次" and
    // "核对答案" offered, "出 题" closed, the count back to 0.
    void offerAnswerCheck();
    // The rest reminder's break: operands and answer emptied, the count and
    // the stopwatch back to 0, keypad closed, "出 题" open.
    void breakOffTest(QWidget* focusedBefore);
    // After ten minutes: the rest reminder's message.
    void remindRest();
    // The exercise of the level and number-type frames, chosen as if
    // clicked (a row that does not choose its exercise shows no frames, so
    // that no other can be chosen).
    void chooseExercise(Level level, NumberType type);
    // Ends the recorded test as finished with its stopwatch reading
    // ("1:07.06"; none for a test that is not timed by it).
    void endTestFinished(const QString& timeText);

    DrillControls& controls() const { return *controls_; }
    TestCycle& editCycle() { return cycle_; }
    TestRecording& recording() { return recording_; }
    const DrillServices& services() const { return services_; }
    RandomSource& random() const { return *random_; }
    // Qt hands the focus on from a control as it is disabled, often to
    // "返 回". A routine that may disable the focused control calls this at
    // its end: the focus goes back to that control if it is enabled again,
    // otherwise to fallback.
    void refocusAfterDisabling(QWidget* focused, QWidget* fallback);

    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // What sends a window back to the start of a test.
    enum class StartCause { Opened, ExerciseChosen, StartAgain, RestReminder };

    void connectControls();
    void optionChosen(const QString& optionName);
    // The one sequence behind opening, choosing an exercise, "再测一次" and
    // the rest reminder.
    void backToStart(StartCause cause);
    void recordQuestion(const Question& question);
    // Ends the recorded test, if one is open; "重练" holds for that test only.
    void endRecordedTest(records::TestEnd end, const QString& stopwatchText = QString());

    const FamilyRow& row_;
    DrillServices services_;
    std::unique_ptr<RandomSource> random_;
    TestCycle cycle_;
    bool redo_ = false;
    TestRecording recording_;
    TwipsLayout layout_;
    std::unique_ptr<DrillControls> controls_;
};

// The window of formName when its row is of the given mode, else nullptr.
template <typename Window>
std::unique_ptr<QDialog> createDrillWindowOfMode(Mode mode, const QString& formName,
                                                 const DrillServices& services, QWidget* parent)
{
    const FamilyRow* row = familyRow(formName);
    if (!row || row->mode != mode)
        return nullptr;
    return std::make_unique<Window>(*row, services, parent);
}

} // namespace zorvel
