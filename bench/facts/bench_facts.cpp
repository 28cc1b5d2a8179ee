// Choosing a session's 20 questions for a pupil with ten years of daily
// practice in all four sets (73,000 answers), and rebuilding that pupil's
// boxes from the answers.
#include "bench/facts/ten_years.h"

#include <benchmark/benchmark.h>


namespace zorvel::facts {
namespace {

const std::vector<FactAnswer>& record()
{
    static const std::vector<FactAnswer> answers = tenYearsOfAnswers();
    return answers;
}

void ChooseSession(benchmark::State& state)
{
    const FactBook book = FactBook::rebuilt(record());
    const PracticePlan plan = allFourSets();
    for (auto _ : state) {
        DailySession session(book, plan, kTenYearsFirstDay + kTenYearsDays, seededDraws(1));
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
