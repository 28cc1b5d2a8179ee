// The addition levels: a carry out of the units column at every level above
// "20以内", out of the tens (or hundreds) column where the second operand has
// two or more digits, and no sum longer than the first operand.
#include "questions/level_rules.h"

#include <array>

namespace zorvel {

namespace {

using L = Level;

bool endsInZero(int a) { return unitsDigit(a) == 0; }

bool unitsCarryBothNonZero(int a, int b)
{
    return unitsDigit(a) == 0 || unitsDigit(b) == 0 || unitsDigit(a) + unitsDigit(b) < 10;
}

bool tensCarry(int a, int b, int limit)
{
    return unitsCarryBothNonZero(a, b) || tensDigit(a) + tensDigit(b) < 10 || a + b > limit;
}

const std::array<PairRule, 9> kAdditionRules = {{
    {L::Within20, {7, 3}, {8, 2}, Redraw::SecondOnly, noFirstRedraw,
     [](int a, int b) { return a + b < 10 || a == b; }},
    {L::TwoDigitsByOne, {70, 31}, {8, 2}, Redraw::Both, noFirstRedraw,
     [](int a, int b) { return unitsDigit(a) == 0 || unitsDigit(a) + b < 10 || a + b > 99; }},
    {L::TwoDigitsByTwo, {50, 11}, {50, 21}, Redraw::SecondOnly, endsInZero,
     [](int a, int b) { return unitsDigit(b) == 0 || unitsDigit(a) + unitsDigit(b) < 10 || a + b > 99; }},
    {L::ThreeDigitsByOne, {900, 101}, {8, 2}, Redraw::Both, noFirstRedraw,
     [](int a, int b) { return unitsDigit(a) == 0 || unitsDigit(a) + b < 10 || a + b > 999; }},
    {L::ThreeDigitsByTwo, {900, 101}, {80, 21}, Redraw::Both, noFirstRedraw, [](int a, int b) { return tensCarry(a, b, 999); }},
    {L::ThreeDigitsByThree, {500, 101}, {800, 201}, Redraw::Both, noFirstRedraw, [](int a, int b) { return tensCarry(a, b, 999); }},
    {L::FourDigitsByTwo, {9000, 1001}, {80, 21}, Redraw::Both, noFirstRedraw, [](int a, int b) { return tensCarry(a, b, 9999); }},
    {L::FourDigitsByThree, {9000, 1001}, {800, 201}, Redraw::Both, noFirstRedraw, [](int a, int b) { return tensCarry(a, b, 9999); }},
    {L::FourDigitsByFour, {5000, 1001}, {8000, 2001}, Redraw::Both, noFirstRedraw,
     [](int a, int b) {
         return unitsCarryBothNonZero(a, b) || hundredsDigit(a) + hundredsDigit(b) < 10 || a + b > 9999;
     }},
}};

// Mixed questions make their first two terms like addition, except that
// "20以内" allows equal terms.
const PairRule kMixedEntryRule = {L::Within20, {7, 3}, {8, 2}, Redraw::SecondOnly, noFirstRedraw,
                                  [](int a, int b) { return a + b < 10; }};

} // namespace

const PairRule& additionRule(Level level) { return ruleFor(kAdditionRules, level); }

const PairRule& mixedPairRule(Level level)
{
    return level == Level::Within20 ? kMixedEntryRule : additionRule(level);
}

} // namespace zorvel
