// Operands, answers and texts of the basic facts.
#include "facts/fact.h"

namespace zorvel::facts {

int Fact::first() const
{
    switch (set) {
    case FactSet::Sub: return a + b;
    case FactSet::Div: return a * b;
    case FactSet::Add:
    case FactSet::Mul: break;
    }
    return a;
}

int Fact::second() const { return b; }

int Fact::answer() const
{
    switch (set) {
    case FactSet::Add: return a + b;
    case FactSet::Mul: return a * b;
    case FactSet::Sub:
    case FactSet::Div: break;
    }
    return a;
}

std::string Fact::text() const
{
    return std::to_string(first()) + ' ' + std::string(setSign(set)) + ' ' + std::to_string(second());
}

std::string Fact::withAnswer() const
{
    return text() + " = " + std::to_string(answer());
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
