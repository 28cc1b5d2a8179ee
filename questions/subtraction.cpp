// The subtraction levels: a borrow in the units column, in the tens column
// from "3位 - 2位" upward, and minimum differences of 11, 101 or 1001.
#include "questions/level_rules.h"

#include <array>

namespace zorvel {

namespace {

using L = Level;

bool endsInZero(int a) { return unitsDigit(a) == 0; }
// No units digit of B can exceed a 9, so a minuend ending in 9 could never
// be completed by a B that must borrow: such a minuend is redrawn too.
bool endsInZeroOrNine(int a) { return unitsDigit(a) == 0 || unitsDigit(a) == 9; }

bool unitsBorrow(int a, int b)
{
    return unitsDigit(a) == 0 || unitsDigit(b) == 0 || unitsDigit(a) - unitsDigit(b) >= 0;
}

bool tensBorrow(int a, int b, int minimumDifference)
{
    // The difference test rejects most pairs, so it comes first.
    return a - b < minimumDifference || unitsBorrow(a, b) || tensDigit(a) - tensDigit(b) >= 0;
}

const std::array<PairRule, 9> kSubtractionRules = {{
    {L::Within20, {9, 11}, {8, 2}, Redraw::SecondOnly, noFirstRedraw, [](int a, int b) { return a - b > 10; }},
    {L::TwoDigitsByOne, {70, 31}, {8, 2}, Redraw::SecondOnly, endsInZero,
     [](int a, int b) { return unitsDigit(a) - b > 0; }},
    {L::TwoDigitsByTwo, {50, 41}, {60, 21}, Redraw::SecondOnly, endsInZeroOrNine,
     [](int a, int b) {
         return unitsDigit(b) == 0 || unitsDigit(a) - unitsDigit(b) >= 0 || a - b < 11;
     }},
    {L::ThreeDigitsByOne, {900, 101}, {8, 2}, Redraw::SecondOnly, endsInZeroOrNine,
     [](int a, int b) { return unitsDigit(a) - b >= 0; }},
    {L::ThreeDigitsByTwo, {900, 101}, {80, 21}, Redraw::Both, noFirstRedraw,
     [](int a, int b) { return unitsBorrow(a, b) || tensDigit(a) - tensDigit(b) > 0 || a - b < 101; }},
    {L::ThreeDigitsByThree, {700, 301}, {500, 201}, Redraw::Both, noFirstRedraw, [](int a, int b) { return tensBorrow(a, b, 101); }},
    {L::FourDigitsByTwo, {9000, 1001}, {80, 21}, Redraw::Both, noFirstRedraw, [](int a, int b) { return tensBorrow(a, b, 1001); }},
    {L::FourDigitsByThree, {9000, 1001}, {800, 201}, Redraw::Both, noFirstRedraw, [](int a, int b) { return tensBorrow(a, b, 1001); }},
    {L::FourDigitsByFour, {5000, 1001}, {8000, 2001}, Redraw::Both, noFirstRedraw, [](int a, int b) { return tensBorrow(a, b, 1001); }},
}};

} // namespace

const PairRule& subtractionRule(Level level) { return ruleFor(kSubtractionRules, level); }

} // namespace zorvel
