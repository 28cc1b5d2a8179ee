// The one table of the ten drill windows: everything in which Form81..Form85
// and Form91..Form95 differ, apart from the question generator, is a column
// here. The drill windows read it and branch on nothing else.
#pragma once

#include "common/window_texts.h"
#include "questions/catalogue.h"
#include "questions/generators.h"
#include "questions/written_math.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <array>
#include <string_view>
#include <vector>

namespace zorvel {

// Placement of the left column and the check boxes, which differs between
// normal and listening mode (twips).
struct SideLayout {
    QRect levelFrame;
    int levelTop, levelStep;
    QRect typeFrame;
    std::array<int, 3> typeTops;
    QRect checkAnswers;     // Command18 "核对答案"
    QRect goBack;           // Command2 "返 回"
    QRect stopwatchSwitch;  // Check1 in normal mode, "提 示 音" in listening mode
    QRect speechSwitch;     // Check2 "语音播报", listening mode only
    int stopwatchTop;
};

// Placement of the question in column form: two or three operands (twips).
struct OperandLayout {
    std::array<QRect, 3> operands;   // Label9(0), Label9(1), Label9(2)
    std::array<QRect, 2> operators;  // Label3, Label14
};

// The client-area height of every drill window (twips).
inline constexpr int kDesignHeightTwips = 10950;

struct FamilyRow {
    QString formName;
    Operation operation;
    Mode mode;
    QString heading;                 // Label7
    std::array<QColor, 2> operatorColours;  // Label3, Label14
    std::array<QColor, 3> operandColours;   // Label9(0..2) text
    qreal integerFontPt;             // operands and answer box, 整数
    qreal decimalFontPt;             // operands and answer box, 1位/2位小数
    std::vector<QString> focusKeepingOptions;
    bool keyboardGuard;              // listening: Enter cannot re-enable "出 题" once "核对答案" is
    bool plainQuestionNumber;        // Form82 shows "1".."10" without the blank
    int widthTwips;
    QString stopwatchMinutesCaption;
    const SideLayout* side;
    const OperandLayout* operands;
    QString recordedMode;            // the record's name of the mode: "normal", "listening"
    // The level and number-type frames are offered (a practice window that
    // chooses its own questions, or a test that fixes its exercise, has none).
    bool choosesExercise = true;

    int questionsPerTest() const { return mode == Mode::Normal ? 10 : 20; }
    int operandCount() const { return operationInfo(operation).operandCount; }
};

const std::vector<FamilyRow>& familyTable();
// The row of a form name ("Form81"), or nullptr.
const FamilyRow* familyRow(const QString& formName);
// The practice windows on the normal-mode base that the menu opens beside
// the ten: they choose their own questions ("frmDaily", 今日练习).
const FamilyRow* practiceRow(const QString& formName);

} // namespace zorvel
