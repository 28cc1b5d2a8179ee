// What must hold in a drill window after every event, whatever came before:
// the phase rules of the enabled controls, the forms of the question-number,
// mark and stopwatch captions, and a correct answer that belongs to the
// operands on screen. Read from the screen, with the answer worked out anew
// in exact decimals, never through the window's own routines.
#pragma once

#include "normal_drill/drill_window.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace zorvel::testing {

// What the monkey knows that the screen does not show.
struct MonkeyKnowledge {
    // Listening: "核对答案" has been clicked since the last question or reset,
    // so the operands on screen are a logged question's.
    bool playback = false;
    // A check or "取消" since the count last went back to 0: the answer box is
    // never closed, so the keypad may have been opened without a question.
    bool touchedWhileReady = false;
};

// Every rule broken, one line each; empty when all hold.
QStringList brokenInvariants(const DrillWindow& window, const MonkeyKnowledge& known);

// The answer of the operands as written, worked out in decimal, as the text
// of a number ("4.6", "56"); nothing while an operand is blank. A division
// that does not come out exactly or an unreadable operand is reported in why.
std::optional<QString> answerOfOperands(Operation operation, const QStringList& operands, QString* why);

} // namespace zorvel::testing
