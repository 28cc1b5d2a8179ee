// The third term of a mixed question, drawn against the sum S of the first
// two: never larger than S and, at most levels, with a units digit not
// smaller than that of S.
#include "questions/level_rules.h"

#include <array>

namespace zorvel {

namespace {

bool unitsBelowSum(int a, int b, int c) { return unitsDigit(a + b) - unitsDigit(c) > 0; }

const std::array<ThirdRule, 7> kThirdRules = {{
    {{8, 2}, [](int a, int b, int c) { return c == a || c == b || a + b - c < 2; }},
    {{8, 2}, [](int a, int b, int c) { return c == b || unitsDigit(a + b) - c > 0 || a + b < c; }},
    {{50, 11}, [](int a, int b, int c) { return c == b || c == a || unitsBelowSum(a, b, c) || a + b < c; }},
    {{8, 2}, [](int a, int b, int c) { return c == b || unitsDigit(a + b) - c > 0; }},
    {{50, 11}, [](int a, int b, int c) { return c == b || c == a || unitsBelowSum(a, b, c); }},
    {{500, 101}, [](int a, int b, int c) { return c == b || c == a || c > a + b; }},
    {{50, 11}, [](int a, int b, int c) { return c == b || c == a || unitsBelowSum(a, b, c); }},
}};

} // namespace

const ThirdRule& mixedThirdRule(Level level) { return kThirdRules[levelIndex(level)]; }

} // namespace zorvel
