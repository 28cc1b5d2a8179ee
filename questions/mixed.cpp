// The third term of a mixed question, drawn against the sum S of the first
// two: never larger than S and, at most levels, with a units digit not
// smaller than that of S.
#include "questions/level_rules.h"

#include <array>

namespace zorvel {

namespace {

using L = Level;

bool unitsBelowSum(int a, int b, int c) { return unitsDigit(a + b) - unitsDigit(c) > 0; }

const std::array<ThirdRule, 7> kThirdRules = {{
    {L::Within20, {8, 2}, [](int a, int b, int c) { return c == a || c == b || a + b - c < 2; }},
    {L::TwoDigitsByOne, {8, 2}, [](int a, int b, int c) { return c == b || unitsDigit(a + b) - c > 0 || a + b < c; }},
    {L::TwoDigitsByTwo, {50, 11}, [](int a, int b, int c) { return c == b || c == a || unitsBelowSum(a, b, c) || a + b < c; }},
    {L::ThreeDigitsByOne, {8, 2}, [](int a, int b, int c) { return c == b || unitsDigit(a + b) - c > 0; }},
    {L::ThreeDigitsByTwo, {50, 11}, [](int a, int b, int c) { return c == b || c == a || unitsBelowSum(a, b, c); }},
    {L::ThreeDigitsByThree, {500, 101}, [](int a, int b, int c) { return c == b || c == a || c > a + b; }},
    {L::FourDigitsByTwo, {50, 11}, [](int a, int b, int c) { return c == b || c == a || unitsBelowSum(a, b, c); }},
}};

} // namespace

const ThirdRule& mixedThirdRule(Level level) { return ruleFor(kThirdRules, level); }

} // namespace zorvel
