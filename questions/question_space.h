// Every question a level can make, walked in operand order: how many there
// are, and the first one a test accepts. The question deck uses these where
// drawing at random cannot be relied on.
#pragma once

#include "questions/catalogue.h"
#include "questions/question.h"

#include <functional>

namespace zorvel {

// The number of different questions the operation makes at the level,
// counted up to cap (a level with more gives cap). Number types do not
// change it: scaling keeps different integers different.
long long countQuestions(Operation op, Level level, long long cap);

// The first question of the level, as texts of the number type, that accept
// takes; the walk begins at the first operand's value of index start (modulo
// their number) and goes round. False when accept takes none.
bool findQuestion(Operation op, Level level, NumberType type, long long start,
                  const std::function<bool(const Question&)>& accept, Question& found);

} // namespace zorvel
