// Number formatting and answer reading: the "0.0", "0.#" and "0.##" patterns
// applied to scaled integers, text with a sign position, the shortest text of
// a single-precision value, and the lenient reading of a typed answer.
#pragma once

#include <string>
#include <optional>
#include <string_view>

namespace zorvel {

enum class DecimalPattern { OneFixed /* "0.0" */, UpToOne /* "0.#" */, UpToTwo /* "0.##" */ };

// The text of value / divisor (divisor 1, 10 or 100) under the pattern, worked
// out in decimal from the integer: formatScaled(47, 10, OneFixed) == "4.7".
// A whole number under "0.#" or "0.##" has no trailing point ("2").
std::string formatScaled(long long value, int divisor, DecimalPattern pattern);

// The shortest text that reads back as the same single-precision value
// (5.5, 0.55, 56).
std::string shortestText(float value);

// Text with a sign position: one leading blank before a non-negative number,
// a minus sign otherwise (" 56", " 5.5", "-3").
std::string withSignPosition(int value);
std::string withSignPosition(float value);
// The question number as a drill window shows it: with the sign position,
// cut to its last two characters (" 3", "12", " 0").
std::string twoCharacterNumber(int n);

// Reads a typed answer leniently: blanks are ignored, then the digits with at
// most one decimal point are taken from the start up to the first character
// that cannot continue the number; an empty or non-numeric text reads as 0.
// The number is rounded once, to the nearest single-precision value; nothing
// is returned when it does not fit one.
std::optional<float> readAnswer(std::string_view text);

// True when the typed text, read as above, equals the correct answer at
// single precision. A number too large for single precision is wrong.
bool isRightAnswer(std::string_view text, float correctAnswer);

} // namespace zorvel
