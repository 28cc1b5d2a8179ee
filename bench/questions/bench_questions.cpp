// Time to make one question, for every operation, shown level and offered
// number type, with the production random source.
#include "questions/generators.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void makeQuestions(benchmark::State& state, zorvel::Operation op, zorvel::Level level, zorvel::NumberType type)
{
    zorvel::SeededRandom rng(12345);
    for (auto _ : state) {
        zorvel::Question q = zorvel::generateQuestion(op, level, type, rng);
        benchmark::DoNotOptimize(q);
    }
}

void makeListeningQuestions(benchmark::State& state, zorvel::Operation op)
{
    zorvel::SeededRandom rng(12345);
    zorvel::QuestionSource source(op, zorvel::Mode::Listening);
    const zorvel::Level level = zorvel::operationInfo(op).defaultLevel;
    for (auto _ : state) {
        zorvel::Question q = source.next(level, zorvel::NumberType::Integer, rng);
        benchmark::DoNotOptimize(q);
    }
}

void registerAll()
{
    using namespace zorvel;
    const char* typeNames[] = {"integer", "1dp", "2dp"};
    for (const Exercise& e : offeredExercises()) {
        const std::string name = std::string(operationInfo(e.operation).key) + "/" +
                                 std::string(levelOptionName(e.operation, e.level)) + "/" +
                                 typeNames[static_cast<int>(e.type)];
        benchmark::RegisterBenchmark(name.c_str(), makeQuestions, e.operation, e.level, e.type);
    }
    for (Operation op : kAllOperations)
        benchmark::RegisterBenchmark((std::string(operationInfo(op).key) + "/listening").c_str(),
                                     makeListeningQuestions, op);
}

} // namespace

int main(int argc, char** argv)
{
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
