// The base of every drill window: the ten of the family table, the 达标测试
// and the 今日练习. It builds every control of the window's row (heading,
// level and number-type frames, operands in column form, the answer entry,
// mark, question number, the stopwatch display, buttons) and holds the
// routines the windows share: resetTest, clearQuestionDisplay, disableKeypad,
// enableDigitKeys, checkAnswer. The normal, listening, 达标 and practice
// windows add their question cycle on top through the protected routines
// and hooks below.
#pragma once

#include "normal_drill/drill_services.h"
#include "normal_drill/family_table.h"
#include "normal_drill/queued_questions.h"
#include "normal_drill/test_recording.h"
#include "normal_drill/twips_layout.h"
#include "questions/generators.h"
#include "questions/question_deck.h"
#include "questions/question.h"

#include <QDialog>

#include <array>
#include <memory>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zorvel {

class AnswerEntry;
class StopwatchDisplay;

class DrillWindow : public QDialog {
    Q_OBJECT
public:
    DrillWindow(const FamilyRow& row, const DrillServices& services, QWidget* parent);
    ~DrillWindow() override;

    const FamilyRow& row() const { return row_; }
    // The client area at the designed size, in pixels of this screen.
    QSize designSize() const { return layout_.designSize(); }
    int questionNumber() const { return questionNumber_; }
    float correctAnswer() const { return correctAnswer_; }
    const QuestionLog& questionLog() const { return log_; }

    void done(int result) override;

    // For a "重练" test: selects the level option ("Option4") and number type
    // ("integer") as if clicked; the test then starts with the mistakes
    // book's questions of that exercise and is recorded as a redo test.
    void openForRedo(const QString& levelOption, const QString& numberType);

protected:
    // Form_Load steps shared by both modes: seed, title, clear, disable,
    // counters, options enabled, default level and "整   数" selected.
    void loadCommon();

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

    void resetTest();
    void clearQuestionDisplay();
    void disableKeypad();
    void enableDigitKeys();
    void checkAnswer();

    // The question-cycle steps both modes share: raise the question number
    // and show it, empty the answer and the mark, make the question, open
    // the keypad and put the focus in the answer box.
    void presentNextQuestion();
    // "出 题" closed until a right answer; the answer box open.
    void openAnswerBox();
    // The last question of a listening test is out: "再测一次" and
    // "核对答案" offered, "出 题" closed, the count back to 0.
    void offerAnswerCheck();
    bool answerCheckOffered() const;
    // The rest reminder's break: operands and answer emptied, the count and
    // the stopwatch back to 0, keypad closed, "出 题" open.
    void breakOffTest(QWidget* focusedBefore);

    // The exercise of the level and number-type frames, chosen as if
    // clicked (a row that does not choose its exercise shows no frames, so
    // that no other can be chosen).
    void chooseExercise(Level level, NumberType type);
    // Ends the recorded test as finished with its stopwatch reading
    // ("1:07.06"; none for a test that is not timed by it).
    void endTestFinished(const QString& timeText);
    void recordFluencyResult(const records::FluencyResult& result) { recording_.fluencyResult(result); }
    // A question left unanswered (timed out): recorded as an empty wrong answer.
    void recordUnanswered() { recording_.answer(QString(), false); }
    // The exercise selected on screen, as the record keeps it.
    virtual records::Exercise shownExercise() const;
    QString answerText() const;
    void setAskEnabled(bool enabled);
    void showStopwatchReading(qint64 ms);

    // A test of n questions, not the row's: no question repeats within it
    // where the level has enough of them.
    void setTestLength(int n) { deck_ = QuestionDeck(row_.operation, row_.mode, n); }
    void setQuestionNumber(int n) { questionNumber_ = n; }
    // A listening test is recorded with these reading settings.
    void recordReadingSettings(const ReadingSettings& settings) { recording_.readingSettings(settings); }
    void showQuestionNumberCaption(const QString& caption);
    QString questionNumberCaption() const;
    QString operandText(int i) const;
    void showOperands(const Question& question);
    void showAnswer(const QString& text);
    void clearMark();
    void showMark(const QString& mark);
    void openAskButton();
    void startStopwatchIfIdle();
    void stopStopwatch();
    void setStopwatchVisible(bool visible);
    const DrillServices& services() const { return services_; }
    QPushButton* askButton() const { return askButton_; }
    // The exercise selected on screen.
    Level selectedLevel() const;
    NumberType selectedNumberType() const;

    // A check box of the window, in its switch font, placed in twips.
    QCheckBox* makeSwitch(const QString& name, const QString& caption, const QRect& twips);
    // A control of a subclass, placed in twips and given its designed font.
    void placeInTwips(QWidget* widget, const QRect& twips);
    void setDesignFont(QWidget* widget, const QFont& font);
    qreal scale() const { return layout_.scale(); }
    // The twips placement of every control, for a subclass's own.
    TwipsLayout& twipsLayout() { return layout_; }
    // Qt hands the focus on from a control as it is disabled, often to
    // "返 回". A routine that may disable the focused control calls this at
    // its end: the focus goes back to that control if it is enabled again,
    // otherwise to fallback.
    void refocusAfterDisabling(QWidget* focused, QWidget* fallback);

    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void buildOptions();
    void buildQuestionArea();
    void buildButtons();
    void optionChosen(const QString& optionName);
    void keyboardGuardTripped();
    void setOperandTexts(const std::array<QString, 3>& texts);
    void applyNumberTypeFonts();
    static QString twoCharacterNumber(int n);
    void recordQuestion(const Question& question);
    // Ends the recorded test, if one is open; "重练" holds for that test only.
    void endRecordedTest(records::TestEnd end, const QString& stopwatchText = QString());
    void dropRedo();

    const FamilyRow& row_;
    DrillServices services_;
    std::unique_ptr<RandomSource> random_;
    QuestionDeck deck_;
    QueuedQuestions queued_;
    bool redo_ = false;
    TestRecording recording_;
    QuestionLog log_;
    TwipsLayout layout_;
    int questionNumber_ = 0;
    float correctAnswer_ = 0.0f;

    QLabel* heading_ = nullptr;
    QGroupBox* levelFrame_ = nullptr;
    QGroupBox* typeFrame_ = nullptr;
    std::array<QRadioButton*, 9> levelOptions_{};
    std::array<QRadioButton*, 3> typeOptions_{};
    std::vector<QLabel*> operandLabels_;
    AnswerEntry* entry_ = nullptr;
    QLabel* markLabel_ = nullptr;
    QLabel* numberLabel_ = nullptr;
    StopwatchDisplay* stopwatch_ = nullptr;
    QPushButton* askButton_ = nullptr;        // Command1
    QPushButton* restartButton_ = nullptr;    // Command3
    QPushButton* checkAnswersButton_ = nullptr;  // Command18
    QPushButton* backButton_ = nullptr;       // Command2
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
