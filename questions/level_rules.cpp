// Running one level row: the redraw loops shared by all five generators.
#include "questions/level_rules.h"

#include <typeinfo>

namespace zorvel {

namespace {

// Instantiated for the seeded source too, whose final type lets its next()
// be inlined into the loops.
template <typename Source>
IntPair drawPairFrom(const PairRule& rule, Source& rng)
{
    IntPair pair{};
    if (rule.redraw == Redraw::Both) {
        do {
            pair.first = rule.first.from(rng);
            pair.second = rule.second.from(rng);
        } while (rule.rejected(pair.first, pair.second));
        return pair;
    }
    do {
        pair.first = rule.first.from(rng);
    } while (rule.firstRejected(pair.first));
    do {
        pair.second = rule.second.from(rng);
    } while (rule.rejected(pair.first, pair.second));
    return pair;
}

template <typename Source>
int drawThirdFrom(const ThirdRule& rule, int first, int second, Source& rng)
{
    int third = 0;
    do {
        third = rule.draw.from(rng);
    } while (rule.rejected(first, second, third));
    return third;
}

} // namespace

const PairRule& pairRule(Operation op, Level level)
{
    switch (op) {
    case Operation::Add: return additionRule(level);
    case Operation::Sub: return subtractionRule(level);
    case Operation::Mixed: return mixedPairRule(level);
    case Operation::Mul: return multiplicationRule(level);
    case Operation::Div: break;
    }
    return divisionRule(level);
}

IntPair drawPair(const PairRule& rule, RandomSource& rng)
{
    if (typeid(rng) == typeid(SeededRandom))
        return drawPairFrom(rule, static_cast<SeededRandom&>(rng));
    return drawPairFrom(rule, rng);
}

int drawThird(const ThirdRule& rule, int first, int second, RandomSource& rng)
{
    if (typeid(rng) == typeid(SeededRandom))
        return drawThirdFrom(rule, first, second, static_cast<SeededRandom&>(rng));
    return drawThirdFrom(rule, first, second, rng);
}

} // namespace zorvel
