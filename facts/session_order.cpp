// Teaching order and the shuffle that keeps a fact's family apart.
#include "facts/session_order.h"

#include <algorithm>
#include <map>
#include <memory>
#include <random>

namespace zorvel::facts {

namespace {

bool isAdditive(FactSet set) { return set == FactSet::Add || set == FactSet::Sub; }

int familyOf(const Fact& fact)
{
    return (isAdditive(fact.set) ? 0 : 100) + 10 * std::min(fact.a, fact.b) + std::max(fact.a, fact.b);
}

using Counts = std::map<int, int>;

// Whether r facts with these family counts can follow one of family last
// with no two neighbours of one family.
bool arrangeable(const Counts& counts, std::optional<int> last, int r)
{
    for (const auto& [family, count] : counts) {
        if (count > (r + 1) / 2 || (family == last && count > r / 2))
            return false;
    }
    return true;
}

// The position in remaining of the next fact.
std::size_t pickNext(const std::vector<Fact>& remaining, Counts& counts, std::optional<int> last,
                     const RandomBelow& random)
{
    const int r = static_cast<int>(remaining.size());
    std::vector<std::size_t> fitting;
    std::vector<std::size_t> apart;
    for (std::size_t i = 0; i < remaining.size(); ++i) {
        const int family = familyOf(remaining[i]);
        if (family == last)
            continue;
        apart.push_back(i);
        --counts[family];
        if (arrangeable(counts, family, r - 1))
            fitting.push_back(i);
        ++counts[family];
    }
    if (!fitting.empty())
        return fitting[static_cast<std::size_t>(random(static_cast<int>(fitting.size())))];
    if (apart.empty())
        return static_cast<std::size_t>(random(r));
    // No order avoids every neighbour of one family: the largest family first.
    return *std::max_element(apart.begin(), apart.end(), [&](std::size_t x, std::size_t y) {
        return counts[familyOf(remaining[x])] < counts[familyOf(remaining[y])];
    });
}

} // namespace

RandomBelow seededDraws(std::uint64_t seed)
{
    auto engine = std::make_shared<std::mt19937_64>(seed);
    return [engine](int n) { return static_cast<int>((*engine)() % static_cast<std::uint64_t>(n)); };
}

bool sameFamily(const Fact& x, const Fact& y)
{
    return familyOf(x) == familyOf(y);
}

int teachingRank(const Fact& fact)
{
    const int small = std::min(fact.a, fact.b);
    const int large = std::max(fact.a, fact.b);
    const auto has = [&](int n) { return fact.a == n || fact.b == n; };
    int tier = 0;
    int within = 0;
    if (isAdditive(fact.set)) {
        tier = has(1) ? 0 : has(2) ? 1 : small == large ? 2 : fact.a + fact.b == 10 ? 3 : 4;
        within = fact.a + fact.b;
    } else {
        tier = has(2) ? 0 : has(5) ? 1 : has(1) ? 2 : small == large ? 3 : 4;
        within = large;
    }
    return (tier * 20 + within) * 10 + fact.a;
}

std::vector<Fact> shuffledApart(std::vector<Fact> facts, const RandomBelow& random, std::optional<Fact> after)
{
    Counts counts;
    for (const Fact& fact : facts)
        ++counts[familyOf(fact)];
    std::optional<int> last = after ? std::optional<int>(familyOf(*after)) : std::nullopt;
    std::vector<Fact> order;
    order.reserve(facts.size());
    while (!facts.empty()) {
        const std::size_t i = pickNext(facts, counts, last, random);
        last = familyOf(facts[i]);
        --counts[*last];
        order.push_back(facts[i]);
        facts.erase(facts.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return order;
}

} // namespace zorvel::facts
