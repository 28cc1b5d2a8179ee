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
    IntegerQuestion q;
    switch (op) {
    case Operation::Add: {
        const IntPair p = drawPair(additionRule(level), rng);
        q.operands = {p.first, p.second, 0};
        q.result = p.first + p.second;
        break;
    }
    case Operation::Sub: {
        const IntPair p = drawPair(subtractionRule(level), rng);
        q.operands = {p.first, p.second, 0};
        q.result = p.first - p.second;
        break;
    }
    case Operation::Mixed: {
        const IntPair p = drawPair(mixedPairRule(level), rng);
        const int third = drawThird(mixedThirdRule(level), p.first, p.second, rng);
        q.operandCount = 3;
        q.operands = {p.first, p.second, third};
        q.result = p.first + p.second - third;
        break;
    }
    case Operation::Mul: {
        const IntPair p = drawPair(multiplicationRule(level), rng);
        q.operands = {p.first, p.second, 0};
        q.result = static_cast<long long>(p.first) * p.second;
        break;
    }
    case Operation::Div: {
        const IntPair p = drawPair(divisionRule(level), rng);
        q.operands = {static_cast<long long>(p.first) * p.second, p.second, 0};
        q.result = p.first;
        break;
    }
    }
    return q;
}

} // namespace

Question generateQuestion(Operation op, Level level, NumberType type, RandomSource& rng)
{
    if (!isLevelShown(op, level))
        level = operationInfo(op).defaultLevel;
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
