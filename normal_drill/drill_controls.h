// The controls of a drill window, made once from its row and reached by type:
// heading, level and number-type frames, operands and operator signs in
// column form, the answer entry, mark, question number, the stopwatch display
// and the buttons, each named, placed in twips and given its designed font
// and colour; with the routines that act on them alone.
#pragma once

#include "normal_drill/family_table.h"
#include "questions/question.h"

#include <QString>

#include <array>
#include <memory>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace zorvel {

class AnswerEntry;
class MonotonicClock;
class StopwatchDisplay;
class TwipsLayout;

struct DrillControls {
    DrillControls(QWidget* window, TwipsLayout& layout, const FamilyRow& row,
                  std::shared_ptr<const MonotonicClock> clock);

    // Operands a single blank, the stopwatch at 0, answer and mark emptied.
    void clearQuestionDisplay();
    void disableKeypad();
    void enableDigitKeys();
    // The answer box open, "出 题" closed until a right answer.
    void openAnswerBox();
    // The answer box keeps its text but takes no more typing until the next
    // question.
    void closeAnswerBox();
    // "出 题" open and focused.
    void openAskButton();
    void setOperandTexts(const std::array<QString, 3>& texts);
    // The operand's text, shown or veiled.
    QString operandText(int i) const { return operandTexts_[static_cast<std::size_t>(i)]; }
    // Veiled, the operand boxes stay empty while holding the question.
    void setQuestionVeiled(bool veiled);
    void showOperands(const Question& question);
    // "√" or "×".
    void showMark(bool right);
    // The operand and answer fonts of the number type selected (the row's
    // sizes for 整数 and for decimals).
    void applyNumberTypeFonts();
    // The exercise selected on screen.
    Level selectedLevel() const;
    NumberType selectedNumberType() const;

    const FamilyRow& row;
    TwipsLayout& layout;
    QLabel* heading = nullptr;                  // Label7
    QGroupBox* levelFrame = nullptr;            // Frame2
    QGroupBox* typeFrame = nullptr;             // Frame3
    std::array<QRadioButton*, 9> levelOptions{};
    std::array<QRadioButton*, 3> typeOptions{};
    std::vector<QLabel*> operands;              // Label9(0..2)
    std::vector<QLabel*> operators;             // Label3, Label14
    AnswerEntry* entry = nullptr;
    QLabel* mark = nullptr;                     // Label9(10)
    QLabel* number = nullptr;                   // Label4
    StopwatchDisplay* stopwatch = nullptr;
    QPushButton* ask = nullptr;                 // Command1 "出 题"
    QPushButton* restart = nullptr;             // Command3 "再测一次"
    QPushButton* checkAnswers = nullptr;        // Command18 "核对答案"
    QPushButton* back = nullptr;                // Command2 "返 回"

private:
    void buildOptions(QWidget* window);
    std::array<QString, 3> operandTexts_;
    bool questionVeiled_ = false;
    void buildQuestionArea(QWidget* window);
    void buildButtons(QWidget* window);
};

// A check box of a drill window, in its switch font, placed in twips.
QCheckBox* makeSwitch(QWidget* window, TwipsLayout& layout, const QString& name, const QString& caption,
                      const QRect& twips);

} // namespace zorvel
