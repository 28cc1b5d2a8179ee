// Running one level row: the redraw loops shared by all five generators.
#include "questions/level_rules.h"

namespace zorvel {

IntPair drawPair(const PairRule& rule, RandomSource& rng)
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

int drawThird(const ThirdRule& rule, int first, int second, RandomSource& rng)
{
    int third = 0;
    do {
        third = rule.draw.from(rng);
    } while (rule.rejected(first, second, third));
    return third;
}

} // namespace zorvel
