// The generators' level tables as data: for each level the integer draws of
// its operands, which of them a rejection redraws, and the rejection tests.
// The generators run these rows; the tests walk them exhaustively.
#pragma once

#include "questions/catalogue.h"
#include "questions/random_source.h"

#include <array>
#include <cstddef>

namespace zorvel {

// Int(r * count) + lowest.
struct IntDraw {
    int count;
    int lowest;
    int highest() const { return lowest + count - 1; }
    template <typename Source>
    int from(Source& rng) const { return scaledDraw(rng.next(), count, lowest); }
};

// The one-, two- and three-digit draws of multiplication and division.
inline constexpr IntDraw kOneDigitDraw{8, 2};
inline constexpr IntDraw kTwoDigitDraw{89, 11};
inline constexpr IntDraw kThreeDigitDraw{899, 101};

enum class Redraw {
    Both,        // every pass draws the first, then the second, then tests
    SecondOnly,  // the first is fixed (after its own loop), the second is redrawn
};

// Two operands drawn in order, first then second.
struct PairRule {
    Level level;
    IntDraw first;
    IntDraw second;
    Redraw redraw;
    // Under SecondOnly: the first is drawn again alone while this holds.
    bool (*firstRejected)(int first);
    bool (*rejected)(int first, int second);
};

// The third term of a mixed question, drawn against the sum of the first two.
struct ThirdRule {
    Level level;
    IntDraw draw;
    bool (*rejected)(int first, int second, int third);
};

inline bool noFirstRedraw(int) { return false; }
inline bool noRedraw(int, int) { return false; }

inline int unitsDigit(int x) { return x % 10; }
inline int tensDigit(int x) { return (x % 100) / 10; }
inline int hundredsDigit(int x) { return (x % 1000) / 100; }

// A level's row of an operation's table. Every level the operation offers
// has one, and the generators ask for no other; a level without a row gets
// the table's first.
template <typename Rule, std::size_t N>
const Rule& ruleFor(const std::array<Rule, N>& rules, Level level)
{
    for (const Rule& rule : rules)
        if (rule.level == level)
            return rule;
    return rules.front();
}

// The rows of the levels each operation offers (offeredLevels).
const PairRule& additionRule(Level level);
const PairRule& subtractionRule(Level level);
const PairRule& mixedPairRule(Level level);
const ThirdRule& mixedThirdRule(Level level);
const PairRule& multiplicationRule(Level level);
const PairRule& divisionRule(Level level);        // first is the quotient, second the divisor
// The pair row of the operation at the level (mixed: its first two terms).
const PairRule& pairRule(Operation op, Level level);

// Runs a pair rule: the first and second operands it accepts.
struct IntPair {
    int first;
    int second;
};
IntPair drawPair(const PairRule& rule, RandomSource& rng);
int drawThird(const ThirdRule& rule, int first, int second, RandomSource& rng);

} // namespace zorvel
