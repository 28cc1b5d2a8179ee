// One question of any operation: the level row makes the integers, decimal
// scaling makes the texts; the question source adds the listening windows'
// repeat-answer redraw.
#include "questions/generators.h"

#include "questions/decimal_scaling.h"
#include "questions/level_rules.h"

namespace zorvel {

namespace {

IntegerQuestion makeIntegers(Operation op, Level level, RandomSource& rng)
{
    IntPair p{};
    switch (op) {
    case Operation::Add: p = drawPair(additionRule(level), rng); break;
    case Operation::Sub: p = drawPair(subtractionRule(level), rng); break;
    case Operation::Mixed: {
        p = drawPair(mixedPairRule(level), rng);
        return integersOf(op, p.first, p.second, drawThird(mixedThirdRule(level), p.first, p.second, rng));
    }
    case Operation::Mul: p = drawPair(multiplicationRule(level), rng); break;
    case Operation::Div: p = drawPair(divisionRule(level), rng); break;
    }
    return integersOf(op, p.first, p.second, 0);
}

} // namespace

IntegerQuestion integersOf(Operation op, int first, int second, int third)
{
    IntegerQuestion q;
    q.operands = {first, second, 0};
    switch (op) {
    case Operation::Add: q.result = first + second; break;
    case Operation::Sub: q.result = first - second; break;
    case Operation::Mixed:
        q.operandCount = 3;
        q.operands[2] = third;
        q.result = first + second - third;
        break;
    case Operation::Mul: q.result = static_cast<long long>(first) * second; break;
    case Operation::Div:
        q.operands[0] = static_cast<long long>(first) * second;
        q.result = first;
        break;
    }
    return q;
}

Level shownLevel(Operation op, Level level)
{
    return isLevelShown(op, level) ? level : operationInfo(op).defaultLevel;
}

Question generateQuestion(Operation op, Level level, NumberType type, RandomSource& rng)
{
    level = shownLevel(op, level);
    if (!isNumberTypeOffered(op, type))
        type = NumberType::Integer;
    return scaleQuestion(makeIntegers(op, level, rng), op, type);
}

QuestionSource::QuestionSource(Operation op, Mode mode) : op_(op), mode_(mode) {}

Question QuestionSource::next(Level level, NumberType type, RandomSource& rng)
{
    Question question = generateQuestion(op_, level, type, rng);
    if (mode_ == Mode::Listening) {
        while (previousAnswer_ && question.correctAnswer == *previousAnswer_)
            question = generateQuestion(op_, level, type, rng);
    }
    previousAnswer_ = question.correctAnswer;
    return question;
}

void QuestionSource::forgetPrevious() { previousAnswer_.reset(); }

} // namespace zorvel
