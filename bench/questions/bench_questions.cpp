// Time to make one question, for every operation, shown level and offered
// number type, with the production random source; and one question dealt by
// a window's test deck (deck/...), a whole test of redraws included.
#include "questions/generators.h"
#include "questions/question_deck.h"

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

// A test of span questions dealt again and again: the time is per question.
void dealQuestions(benchmark::State& state, zorvel::Exercise e, zorvel::Mode mode, int span)
{
    zorvel::SeededRandom rng(12345);
    zorvel::QuestionDeck deck(e.operation, mode, span);
    int n = 0;
    for (auto _ : state) {
        if (n++ % span == 0)
            deck.startTest();
        zorvel::Question q = deck.draw(e.level, e.type, rng);
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
    for (const Exercise& e : offeredExercises()) {
        const std::string name = "deck/" + std::string(operationInfo(e.operation).key) + "/" +
                                 std::string(levelOptionName(e.operation, e.level)) + "/" +
                                 typeNames[static_cast<int>(e.type)];
        benchmark::RegisterBenchmark((name + "/normal").c_str(), dealQuestions, e, Mode::Normal, 10);
        benchmark::RegisterBenchmark((name + "/listening").c_str(), dealQuestions, e, Mode::Listening, 20);
    }
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
