// Turning an integer question into operand texts and a correct answer, with
// the decimal scaling of the 1位小数 and 2位小数 number types.
#pragma once

#include "questions/catalogue.h"
#include "questions/question.h"

#include <array>

namespace zorvel {

struct IntegerQuestion {
    int operandCount = 2;
    std::array<long long, 3> operands{};
    long long result = 0;
};

// The integers of a question from the operands its level row drew: for
// division the first is the quotient and the second the divisor.
IntegerQuestion integersOf(Operation op, int first, int second, int third);

// level, or the operation's default level where it does not offer level.
Level shownLevel(Operation op, Level level);

// The texts and single-precision answer of the question under the number
// type; mixed questions use their own operand and answer patterns.
Question scaleQuestion(const IntegerQuestion& integers, Operation op, NumberType type);

} // namespace zorvel
