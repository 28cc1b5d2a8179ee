// Box moves applied answer by answer.
#include "facts/fact_book.h"

#include <algorithm>

namespace zorvel::facts {

Colour FactState::colour() const
{
    if (!asked())
        return Colour::Grey;
    if (last == Grade::Wrong)
        return Colour::Red;
    if (isMastered())
        return Colour::Green;
    if (last != Grade::Fast)
        return Colour::Yellow;
    return Colour::LightGreen;
}

int medianOf(std::vector<int> times)
{
    if (times.empty())
        return -1;
    const auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
    std::nth_element(times.begin(), middle, times.end());
    if (times.size() % 2 == 1)
        return *middle;
    const int upper = *middle;
    const int lower = *std::max_element(times.begin(), middle);
    return (lower + upper) / 2;
}

const FactState& FactBook::apply(const FactAnswer& answer)
{
    FactState& fact = applyWithoutMedian(answer);
    fact.medianMs = medianOf(rightTimesMs_[static_cast<std::size_t>(answer.fact)]);
    return fact;
}

FactState& FactBook::applyWithoutMedian(const FactAnswer& answer)
{
    FactState& fact = states_[static_cast<std::size_t>(answer.fact)];
    const Grade g = grade(answer.right, answer.ms, thresholdMs(Fact::at(answer.fact), answer.speed));
    if (!fact.asked()) {
        fact.box = firstBox(g);
        fact.firstDay = answer.day;
    } else {
        fact.box = nextBox(fact.box, g);
    }
    if (g == Grade::Wrong)
        fact.missedDay = answer.day;
    fact.due = answer.day + dueAfterDays(fact.box);
    if (fact.missedDay == answer.day)
        fact.due = std::min(fact.due, answer.day + 1);
    ++fact.attempts;
    if (g != Grade::Wrong) {
        ++fact.rights;
        rightTimesMs_[static_cast<std::size_t>(answer.fact)].push_back(answer.ms);
    }
    fact.last = g;
    fact.recent.add(g);
    return fact;
}

int FactBook::newFactsOn(Day day) const
{
    return static_cast<int>(std::count_if(states_.begin(), states_.end(),
                                          [day](const FactState& s) { return s.asked() && s.firstDay == day; }));
}

void FactBook::setState(int fact, const FactState& state)
{
    states_[static_cast<std::size_t>(fact)] = state;
    rightTimesMs_[static_cast<std::size_t>(fact)].clear();
}

FactBook FactBook::rebuilt(const std::vector<FactAnswer>& answers)
{
    FactBook book;
    for (const FactAnswer& answer : answers) {
        if (answer.fact >= 0 && answer.fact < kFactCount)
            book.applyWithoutMedian(answer);
    }
    for (std::size_t i = 0; i < book.states_.size(); ++i)
        book.states_[i].medianMs = medianOf(book.rightTimesMs_[i]);
    return book;
}

} // namespace zorvel::facts
