// Ten years of daily practice in all four sets for the benchmarks: one
// session a day, 85 % right, in 1 to 8 s (about 73,000 answers).
#pragma once

#include "facts/daily_session.h"

#include <random>

namespace zorvel::facts {

inline constexpr Day kTenYearsFirstDay = 2460000;
inline constexpr int kTenYearsDays = 3650;

inline PracticePlan allFourSets()
{
    return {{FactSet::Add, FactSet::Sub, FactSet::Mul, FactSet::Div}, Speed::Standard};
}

inline std::vector<FactAnswer> tenYearsOfAnswers()
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> ms(1000, 8000);
    std::uniform_int_distribution<int> percent(0, 99);
    FactBook book;
    const PracticePlan plan = allFourSets();
    std::vector<FactAnswer> answers;
    for (Day day = kTenYearsFirstDay; day < kTenYearsFirstDay + kTenYearsDays; ++day) {
        DailySession session(book, plan, day, seededDraws(static_cast<std::uint64_t>(day)));
        while (const std::optional<Fact> fact = session.next()) {
            const FactAnswer answer{fact->index(), percent(random) < 85, ms(random), day, plan.speed};
            answers.push_back(answer);
            session.answered(*fact, book.apply(answer).box);
        }
    }
    return answers;
}

} // namespace zorvel::facts
