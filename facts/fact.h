// The basic facts of the daily practice: four sets of 81, each a 9 × 9 table
// by its two operands a and b (1 to 9): a + b, (a + b) - b, a × b and
// (a × b) ÷ b. 7 × 8 and 8 × 7 are two facts. Every fact has a number from 0
// to 323 (set by set, a by a, b by b) by which the book and the record know it.
//
// facts/ is the daily practice's pure logic (standard library only): the
// facts (this header), the speed thresholds and box moves (fact_rules.h), a
// pupil's boxes rebuilt from the answers (fact_book.h), the session of 20
// questions (daily_session.h) and the store interface the window reads and
// writes through (fact_store.h).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zorvel::facts {

enum class FactSet { Add, Sub, Mul, Div };
inline constexpr std::array<FactSet, 4> kAllSets = {FactSet::Add, FactSet::Sub, FactSet::Mul, FactSet::Div};
inline constexpr int kFactsPerSet = 81;
inline constexpr int kFactCount = 4 * kFactsPerSet;

// The value among all whose keyOf(value) is key; none when no value has it.
template <typename Enum, std::size_t N, typename KeyOf>
std::optional<Enum> valueOfKey(const std::array<Enum, N>& all, KeyOf keyOf, std::string_view key)
{
    for (Enum value : all) {
        if (keyOf(value) == key)
            return value;
    }
    return std::nullopt;
}

struct Fact {
    FactSet set = FactSet::Add;
    int a = 1;  // 1..9
    int b = 1;  // 1..9

    int index() const { return static_cast<int>(set) * kFactsPerSet + (a - 1) * 9 + (b - 1); }
    static Fact at(int index)
    {
        return {kAllSets[static_cast<std::size_t>(index / kFactsPerSet)], index % kFactsPerSet / 9 + 1, index % 9 + 1};
    }
    // The question as shown: operands and answer ((a + b) - b = a).
    int first() const;
    int second() const;
    int answer() const;
    // "7 × 8", "15 - 8": as the drill windows write the question.
    std::string text() const;
    // "7 × 8 = 56"
    std::string withAnswer() const;
};

// The fact a question of the set asks ("56 ÷ 8" is (7 × 8) ÷ 8), if it asks
// one: operands and answer from 1 to 9 (sums and products aside).
std::optional<Fact> factAsked(FactSet set, int first, int second);

// "add", "sub", "mul", "div"
std::string_view setKey(FactSet set);
std::optional<FactSet> setFromKey(std::string_view key);
// "加法", "减法", "乘法", "除法"
std::string_view setName(FactSet set);
// "+", "-", "×", "÷": the operator as the drill windows show it.
std::string_view setSign(FactSet set);

} // namespace zorvel::facts
