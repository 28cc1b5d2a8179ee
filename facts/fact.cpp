// Operands, answers and texts of the basic facts.
#include "facts/fact.h"

namespace zorvel::facts {

namespace {

// Subtraction and division ask their fact backwards: the sum or product is
// the first operand and a is the answer.
bool isInverse(FactSet set) { return set == FactSet::Sub || set == FactSet::Div; }

// a + b for the additive sets, a × b for the multiplicative ones.
int whole(const Fact& fact)
{
    return fact.set == FactSet::Add || fact.set == FactSet::Sub ? fact.a + fact.b : fact.a * fact.b;
}

} // namespace

int Fact::first() const { return isInverse(set) ? whole(*this) : a; }

int Fact::second() const { return b; }

int Fact::answer() const { return isInverse(set) ? a : whole(*this); }

std::string Fact::text() const
{
    return std::to_string(first()) + ' ' + std::string(setSign(set)) + ' ' + std::to_string(second());
}

std::string Fact::withAnswer() const
{
    return text() + " = " + std::to_string(answer());
}

std::optional<Fact> factAsked(FactSet set, int first, int second)
{
    const auto digit = [](int n) { return n >= 1 && n <= 9; };
    if (!digit(second))
        return std::nullopt;
    int a = first;
    if (set == FactSet::Sub)
        a = first - second;
    else if (set == FactSet::Div)
        a = first % second == 0 ? first / second : 0;
    if (!digit(a))
        return std::nullopt;
    return Fact{set, a, second};
}

std::string_view setKey(FactSet set)
{
    static constexpr std::string_view keys[] = {"add", "sub", "mul", "div"};
    return keys[static_cast<int>(set)];
}

std::optional<FactSet> setFromKey(std::string_view key)
{
    return valueOfKey(kAllSets, setKey, key);
}

std::string_view setName(FactSet set)
{
    static constexpr std::string_view names[] = {"加法", "减法", "乘法", "除法"};
    return names[static_cast<int>(set)];
}

std::string_view setSign(FactSet set)
{
    static constexpr std::string_view signs[] = {"+", "-", "×", "÷"};
    return signs[static_cast<int>(set)];
}

} // namespace zorvel::facts
