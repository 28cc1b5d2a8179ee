// The division levels: a quotient and a divisor, each drawn once; the
// dividend is their product, so every division comes out exactly.
#include "questions/level_rules.h"

#include <array>

namespace zorvel {

namespace {

// First the quotient, then the divisor.
const std::array<PairRule, 6> kDivisionRules = {{
    {kOneDigitDraw, kOneDigitDraw, Redraw::Both, noFirstRedraw, noRedraw},
    {kOneDigitDraw, kTwoDigitDraw, Redraw::Both, noFirstRedraw, noRedraw},
    {kTwoDigitDraw, kOneDigitDraw, Redraw::Both, noFirstRedraw, noRedraw},
    {kOneDigitDraw, kThreeDigitDraw, Redraw::Both, noFirstRedraw, noRedraw},
    {kThreeDigitDraw, kOneDigitDraw, Redraw::Both, noFirstRedraw, noRedraw},
    {kTwoDigitDraw, kTwoDigitDraw, Redraw::Both, noFirstRedraw, noRedraw},
}};

} // namespace

const PairRule& divisionRule(Level level) { return kDivisionRules[levelIndex(level)]; }

} // namespace zorvel
