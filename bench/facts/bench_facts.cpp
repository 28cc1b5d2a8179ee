// Choosing a session's 20 questions for a pupil with ten years of daily
// practice in all four sets (73,000 answers), and rebuilding that pupil's
// boxes from the answers.
#include "facts/daily_session.h"

#include <benchmark/benchmark.h>

#include <random>

namespace zorvel::facts {
namespace {

constexpr Day kFirstDay = 2460000;
constexpr int kDays = 3650;

// A pupil who answers 85 % right, in 1 to 8 s, one session a day.
std::vector<FactAnswer> tenYears()
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> ms(1000, 8000);
    std::uniform_int_distribution<int> percent(0, 99);
    FactBook book;
    const PracticePlan plan{{FactSet::Add, FactSet::Sub, FactSet::Mul, FactSet::Div}, Speed::Standard};
    std::vector<FactAnswer> answers;
    for (Day day = kFirstDay; day < kFirstDay + kDays; ++day) {
        DailySession session(book, plan, day);
        while (const std::optional<Fact> fact = session.next()) {
            const FactAnswer answer{fact->index(), percent(random) < 85, ms(random), day, plan.speed};
            answers.push_back(answer);
            session.answered(*fact, book.apply(answer).box);
        }
    }
    return answers;
}

const std::vector<FactAnswer>& record()
{
    static const std::vector<FactAnswer> answers = tenYears();
    return answers;
}

void ChooseSession(benchmark::State& state)
{
    const FactBook book = FactBook::rebuilt(record());
    const PracticePlan plan{{FactSet::Add, FactSet::Sub, FactSet::Mul, FactSet::Div}, Speed::Standard};
    for (auto _ : state) {
        DailySession session(book, plan, kFirstDay + kDays);
        std::vector<Fact> chosen;
        while (const std::optional<Fact> fact = session.next())
            chosen.push_back(*fact);
        benchmark::DoNotOptimize(chosen.data());
    }
    state.counters["answers"] = static_cast<double>(record().size());
}
BENCHMARK(ChooseSession)->Unit(benchmark::kMicrosecond);

void RebuildBook(benchmark::State& state)
{
    for (auto _ : state) {
        FactBook book = FactBook::rebuilt(record());
        benchmark::DoNotOptimize(&book);
    }
}
BENCHMARK(RebuildBook)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zorvel::facts

BENCHMARK_MAIN();
