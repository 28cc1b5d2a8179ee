// The division levels: a quotient and a divisor, each drawn once; the
// dividend is their product, so every division comes out exactly.
#include "questions/level_rules.h"

#include <array>

namespace zorvel {

namespace {

using L = Level;

// First the quotient, then the divisor.
const std::array<PairRule, 6> kDivisionRules = {{
    {L::OneDigitByOne, kOneDigitDraw, kOneDigitDraw, Redraw::Both, noFirstRedraw, noRedraw},
    {L::TwoDigitsByOne, kOneDigitDraw, kTwoDigitDraw, Redraw::Both, noFirstRedraw, noRedraw},
    {L::OneDigitByTwo, kTwoDigitDraw, kOneDigitDraw, Redraw::Both, noFirstRedraw, noRedraw},
    {L::ThreeDigitsByOne, kOneDigitDraw, kThreeDigitDraw, Redraw::Both, noFirstRedraw, noRedraw},
    {L::OneDigitByThree, kThreeDigitDraw, kOneDigitDraw, Redraw::Both, noFirstRedraw, noRedraw},
    {L::TwoDigitsByTwo, kTwoDigitDraw, kTwoDigitDraw, Redraw::Both, noFirstRedraw, noRedraw},
}};

} // namespace

const PairRule& divisionRule(Level level) { return ruleFor(kDivisionRules, level); }

} // namespace zorvel
