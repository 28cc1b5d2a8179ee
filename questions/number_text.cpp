// Number formatting worked out in decimal from integers, the shortest text of
// a single-precision value, and the lenient reading of a typed answer.
#include "questions/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zorvel {

namespace {

int decimalsOf(int divisor)
{
    int decimals = 0;
    for (int d = divisor; d >= 10; d /= 10)
        ++decimals;
    return decimals;
}

long long powerOfTen(int exponent)
{
    long long p = 1;
    while (exponent-- > 0)
        p *= 10;
    return p;
}

void appendDigits(std::string& out, unsigned long long value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

} // namespace

std::string formatScaled(long long value, int divisor, DecimalPattern pattern)
{
    const int maxDecimals = pattern == DecimalPattern::UpToTwo ? 2 : 1;
    const int sourceDecimals = decimalsOf(divisor);
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    // Split into whole part and maxDecimals decimals, rounding half up; the
    // decimals are scaled on their own, so no large value can overflow.
    unsigned long long whole = 0;
    unsigned long long fraction = 0;
    if (sourceDecimals > maxDecimals) {
        const unsigned long long step = powerOfTen(sourceDecimals - maxDecimals);
        magnitude = (magnitude + step / 2) / step;
        whole = magnitude / powerOfTen(maxDecimals);
        fraction = magnitude % powerOfTen(maxDecimals);
    } else {
        whole = magnitude / powerOfTen(sourceDecimals);
        fraction = magnitude % powerOfTen(sourceDecimals) * powerOfTen(maxDecimals - sourceDecimals);
    }
    int decimals = maxDecimals;
    if (pattern != DecimalPattern::OneFixed) {
        while (decimals > 0 && fraction % 10 == 0) {
            fraction /= 10;
            --decimals;
        }
    }

    std::string text;
    if (value < 0 && (whole != 0 || fraction != 0))
        text += '-';
    appendDigits(text, whole);
    if (decimals > 0) {
        text += '.';
        std::string digits;
        appendDigits(digits, fraction);
        text.append(static_cast<std::size_t>(decimals) - digits.size(), '0');
        text += digits;
    }
    return text;
}

std::string shortestText(float value)
{
    if (value == 0.0f)
        value = 0.0f;  // no "-0"
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc())
        return std::to_string(value);
    return std::string(buffer, result.ptr);
}

std::string withSignPosition(int value)
{
    std::string text = std::to_string(value);
    return value < 0 ? text : ' ' + text;
}

std::string withSignPosition(float value)
{
    std::string text = shortestText(value);
    return std::signbit(value) && value != 0.0f ? text : ' ' + text;
}

std::optional<float> readAnswer(std::string_view text)
{
    std::string number;
    bool seenPoint = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        if (c >= '0' && c <= '9') {
            number += c;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            number += c;
        } else {
            break;
        }
    }
    if (number.empty() || number == ".")
        return 0.0f;

    // Straight to single precision, correctly rounded: going through a double
    // would round twice and could land on the wrong neighbour.
    float value = 0.0f;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Underflow of a long run of zeros after the point is still zero.
        const std::size_t point = number.find('.');
        const std::size_t firstDigit = number.find_first_of("123456789");
        if (firstDigit == std::string::npos || (point != std::string::npos && firstDigit > point))
            return 0.0f;
        return std::nullopt;
    }
    if (result.ec != std::errc())
        return std::nullopt;
    return value;
}

bool isRightAnswer(std::string_view text, float correctAnswer)
{
    const std::optional<float> answer = readAnswer(text);
    return answer && *answer == correctAnswer;
}

std::string twoCharacterNumber(int n)
{
    const std::string text = withSignPosition(n);
    return text.size() > 2 ? text.substr(text.size() - 2) : text;
}

} // namespace zorvel
