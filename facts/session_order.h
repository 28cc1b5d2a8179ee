// The order of a session's questions, so that a pupil has no pattern to lean
// on: new facts come in a teaching order (the easy tables first, not table
// by table), and the questions of a session are shuffled so that two facts
// of one family (7 × 8, 8 × 7, 56 ÷ 8, 56 ÷ 7) are never asked one right
// after the other where another order avoids it.
#pragma once

#include "facts/fact.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace zorvel::facts {

// A uniform draw from 0 to n - 1 (n > 0): the session's random source.
using RandomBelow = std::function<int(int n)>;

// Reproducible draws from a seed (tests, benchmarks, tools).
RandomBelow seededDraws(std::uint64_t seed);

// Facts that undo each other or swap their operands: a + b, b + a, (a + b) - b
// and (a + b) - a are one family, a × b, b × a, (a × b) ÷ b and (a × b) ÷ a
// another. A fact is of its own family.
bool sameFamily(const Fact& x, const Fact& y);

// Where a fact stands in the teaching order of its set (smaller first).
// Multiplication and division: × 2, × 5, × 1, then the squares, then the
// rest, small operands first. Addition and subtraction: + 1, + 2, doubles,
// make-ten, then the rest, small sums first.
int teachingRank(const Fact& fact);

// The facts in a random order in which no two neighbours are of one family
// where any order allows it; after: the fact asked just before the first.
std::vector<Fact> shuffledApart(std::vector<Fact> facts, const RandomBelow& random,
                                std::optional<Fact> after = std::nullopt);

} // namespace zorvel::facts
