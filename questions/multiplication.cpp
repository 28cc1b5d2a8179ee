// The multiplication levels over the one-, two- and three-digit draws; no
// factor is 0 or 1 and no factor of two or more digits ends in 0.
#include "questions/level_rules.h"

#include <array>

namespace zorvel {

namespace {

using L = Level;

bool endsInZero(int a) { return a % 10 == 0; }

const std::array<PairRule, 6> kMultiplicationRules = {{
    {L::OneDigitByOne, {7, 3}, kOneDigitDraw, Redraw::SecondOnly, noFirstRedraw, [](int a, int b) { return a == b; }},
    {L::OneDigitByTwo, kOneDigitDraw, kTwoDigitDraw, Redraw::Both, noFirstRedraw, [](int, int b) { return endsInZero(b); }},
    {L::TwoDigitsByOne, kTwoDigitDraw, kOneDigitDraw, Redraw::SecondOnly, endsInZero, noRedraw},
    {L::TwoDigitsByTwo, kTwoDigitDraw, kTwoDigitDraw, Redraw::Both, noFirstRedraw, [](int a, int b) { return endsInZero(a) || endsInZero(b); }},
    {L::OneDigitByThree, kOneDigitDraw, kThreeDigitDraw, Redraw::Both, noFirstRedraw, [](int, int b) { return endsInZero(b); }},
    {L::ThreeDigitsByOne, kThreeDigitDraw, kOneDigitDraw, Redraw::Both, noFirstRedraw, [](int a, int) { return endsInZero(a); }},
}};

} // namespace

const PairRule& multiplicationRule(Level level) { return ruleFor(kMultiplicationRules, level); }

} // namespace zorvel
