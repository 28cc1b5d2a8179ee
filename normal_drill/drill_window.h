// The base of all ten drill windows. It builds every control of the family
// row (heading, level and number-type frames, operands in column form, answer
// box, mark, question number, stopwatch, keypad, buttons, Timer1) and holds
// the routines both modes share: ResetTest, ClearQuestionDisplay,
// DisableKeypad, EnableDigitKeys, CheckAnswer, the keypad and the keyboard
// filter of the answer box. NormalDrillWindow and ListeningDrillWindow add
// their own question cycle on top.
#pragma once

#include "normal_drill/drill_services.h"
#include "normal_drill/family_table.h"
#include "normal_drill/keypad.h"
#include "normal_drill/stopwatch.h"
#include "normal_drill/twips_layout.h"
#include "questions/generators.h"
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
class QTimer;

namespace zorvel {

class AnswerBox;

class DrillWindow : public QDialog {
    Q_OBJECT
public:
    DrillWindow(const FamilyRow& row, const DrillServices& services, QWidget* parent);
    ~DrillWindow() override;

    const FamilyRow& row() const { return row_; }
    int questionNumber() const { return questionNumber_; }
    float correctAnswer() const { return correctAnswer_; }
    const QuestionLog& questionLog() const { return log_; }

    void done(int result) override;

protected:
    // Form_Load steps shared by both modes: seed, title, clear, disable,
    // counters, options enabled, default level and "整   数" selected.
    void loadCommon();

    virtual void askQuestion() = 0;          // Command1 "出 题"
    virtual void finishTest();               // right answer to the last question
    virtual void restartTest();              // Command3 "再测一次"
    virtual void stopwatchTicked(qint64 elapsedMs);

    void ResetTest();
    void ClearQuestionDisplay();
    void DisableKeypad();
    void EnableDigitKeys();
    void CheckAnswer();

    // Raises nothing: makes question questionNumber_ for the selected level
    // and number type, logs it and shows its operands.
    void makeQuestion();
    void startStopwatchIfIdle();
    void stopStopwatch();
    void showStopwatch(const StopwatchReading& reading);
    // Stopped and showing "0", "00", "00".
    void zeroStopwatch();
    void setOperandTexts(const std::array<QString, 3>& texts);
    void showOperands(const Question& question);
    void setCancelConfirmEnabled(bool enabled);
    // A check box of the window, in its switch font, placed in twips.
    QCheckBox* makeSwitch(const QString& name, const QString& caption, const QRect& twips);
    // Qt hands the focus on from a control as it is disabled, often to
    // "返 回". A routine that may disable the focused control calls this at
    // its end: the focus goes back to that control if it is enabled again,
    // otherwise to fallback.
    void refocusAfterDisabling(QWidget* focused, QWidget* fallback);
    static QString twoCharacterNumber(int n);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    const FamilyRow& row_;
    DrillServices services_;
    std::unique_ptr<RandomSource> random_;
    QuestionSource source_;
    QuestionLog log_;
    Stopwatch stopwatch_;
    TwipsLayout layout_;
    int questionNumber_ = 0;
    float correctAnswer_ = 0.0f;

    QLabel* heading_ = nullptr;
    QGroupBox* levelFrame_ = nullptr;
    QGroupBox* typeFrame_ = nullptr;
    std::array<QRadioButton*, 9> levelOptions_{};
    std::array<QRadioButton*, 3> typeOptions_{};
    std::vector<QLabel*> operandLabels_;
    std::vector<QLabel*> operatorLabels_;
    AnswerBox* answerBox_ = nullptr;
    QLabel* markLabel_ = nullptr;
    QLabel* numberLabel_ = nullptr;
    std::array<QLabel*, 5> stopwatchLabels_{};  // Label5 : Label2 . Label11
    Keypad* keypad_ = nullptr;
    QPushButton* askButton_ = nullptr;        // Command1
    QPushButton* restartButton_ = nullptr;    // Command3
    QPushButton* checkAnswersButton_ = nullptr;  // Command18
    QPushButton* backButton_ = nullptr;       // Command2
    QTimer* timer_ = nullptr;                 // Timer1
    // One extra repaint timed to the next change of the shown reading, so the
    // stopwatch never trails the 7 ms tick by a whole interval.
    QTimer* changeRepaint_ = nullptr;

private:
    void buildControls();
    void tick();
    void buildOptions();
    void buildQuestionArea();
    void buildStopwatch();
    void buildButtons();
    void optionChosen(const QString& optionName);
    void digitKey(int digit);
    void pointKey();
    void cancelKey();
    void appendToAnswer(const QString& text);
    void answerEdited();
    void guardAgainstKeys();
    // The designed size, or smaller where the screen's free area is smaller.
    QSize openingSize() const;
    Level selectedLevel() const;
    NumberType selectedNumberType() const;
    void applyNumberTypeFonts();
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
