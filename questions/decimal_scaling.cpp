// Decimal scaling: operands divided by 10 or 100 and written with the
// operand pattern; the answer is the single-precision value of the result
// written with the answer pattern.
#include "questions/decimal_scaling.h"

#include "questions/number_text.h"

#include <charconv>

namespace zorvel {

namespace {

struct Patterns {
    DecimalPattern operand;
    DecimalPattern answer;
};

Patterns patternsFor(Operation op, NumberType type)
{
    if (op == Operation::Mixed)
        return {type == NumberType::OneDecimal ? DecimalPattern::UpToOne : DecimalPattern::UpToTwo,
                DecimalPattern::UpToTwo};
    if (type == NumberType::OneDecimal)
        return {DecimalPattern::OneFixed, DecimalPattern::UpToOne};
    return {DecimalPattern::UpToTwo, DecimalPattern::UpToTwo};
}

std::string plainDigits(long long value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

float singlePrecisionOf(const std::string& text)
{
    float value = 0.0f;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

Question scaleQuestion(const IntegerQuestion& integers, Operation op, NumberType type)
{
    Question question;
    question.operandCount = integers.operandCount;
    if (type == NumberType::Integer) {
        for (int i = 0; i < integers.operandCount; ++i)
            question.operands[i] = plainDigits(integers.operands[i]);
        question.correctAnswer = static_cast<float>(integers.result);
        return question;
    }
    const int divisor = type == NumberType::OneDecimal ? 10 : 100;
    const Patterns patterns = patternsFor(op, type);
    for (int i = 0; i < integers.operandCount; ++i)
        question.operands[i] = formatScaled(integers.operands[i], divisor, patterns.operand);
    question.correctAnswer = singlePrecisionOf(formatScaled(integers.result, divisor, patterns.answer));
    return question;
}

} // namespace zorvel
