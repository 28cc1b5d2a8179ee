// A pupil's boxes: where every fact stands, derived from the pupil's stored
// answers and nothing else, so that replaying the same answers always gives
// the same book.
#pragma once

#include "facts/fact.h"
#include "facts/fact_rules.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zorvel::facts {

// Days are numbered as Julian days (QDate::toJulianDay() at the window).
using Day = std::int64_t;

// One answer of the daily practice, as stored.
struct FactAnswer {
    int fact = 0;           // Fact::index()
    bool right = false;
    int ms = 0;             // from the question shown to "确定"; kTimeoutMs when none came
    Day day = 0;            // the local date of the answer
    Speed speed = Speed::Standard;  // the pupil's setting when it was given
};

// How a fact is shown in the grid.
enum class Colour { Grey, Red, Yellow, LightGreen, Green };

struct FactState {
    int box = 0;            // 0: never asked
    Day due = 0;            // meaningful once asked
    Day firstDay = 0;       // the day of the first answer
    int attempts = 0;
    int rights = 0;
    Grade last = Grade::Wrong;
    RecentGrades recent;
    int medianMs = -1;      // of the right answers; -1 before the first
    Day missedDay = 0;      // the day of the latest wrong answer; 0 before the first

    bool asked() const { return box > 0; }
    // Missed on the day it was last practised: due the next day at the
    // latest, whatever box it climbed to after, and asked first then.
    bool missedLastTime() const { return missedDay > 0 && due <= missedDay + 1; }
    bool isMastered() const { return mastered(recent); }
    Colour colour() const;
};

// The median of the times (ms), -1 when there are none.
int medianOf(std::vector<int> times);

class FactBook {
public:
    // The fact's new state after the answer.
    const FactState& apply(const FactAnswer& answer);
    const FactState& state(int fact) const { return states_[static_cast<std::size_t>(fact)]; }
    const FactState& state(const Fact& fact) const { return state(fact.index()); }
    // Facts whose first answer was given on day.
    int newFactsOn(Day day) const;
    // A state as a store kept it. The medians of a book put together this
    // way follow later answers only when it is rebuilt from the answers.
    void setState(int fact, const FactState& state);

    // The book of a pupil from the pupil's answers, oldest first.
    static FactBook rebuilt(const std::vector<FactAnswer>& answers);

private:
    FactState& applyWithoutMedian(const FactAnswer& answer);

    std::array<FactState, kFactCount> states_{};
    std::array<std::vector<int>, kFactCount> rightTimesMs_{};
};

} // namespace zorvel::facts
