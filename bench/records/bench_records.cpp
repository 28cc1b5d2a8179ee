// What the records window needs to open, over the ten-year record made by
// generate_records (ZORVEL_RECORDS_DB names the file), and what "确定" costs
// a drill with recording on (one recordAnswer call). See run_bench.sh.
#include "records/sqlite_record_store.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace zorvel::records;

namespace {

QString benchDatabase()
{
    return qEnvironmentVariable("ZORVEL_RECORDS_DB");
}

void openRecordsWindow(benchmark::State& state)
{
    SqliteRecordStore store(benchDatabase(), QStringLiteral("我"));
    if (!store.problem().isEmpty()) {
        state.SkipWithError(qPrintable(store.problem()));
        return;
    }
    const qint64 pupil = store.currentPupil().id;
    std::size_t rows = 0;
    for (auto _ : state) {
        TestFilter filter;
        filter.pupil = pupil;
        rows = store.tests(filter).size() + store.chart(pupil, "Form81", "Option4", "integer").size() +
               store.bestTimes(pupil).size() + store.mistakes(pupil).size() + store.listeningTests(pupil).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(openRecordsWindow)->Unit(benchmark::kMillisecond);

// The same, one query at a time: 0 tests, 1 chart, 2 best times, 3 mistakes, 4 listening tests.
void recordsWindowPart(benchmark::State& state)
{
    SqliteRecordStore store(benchDatabase(), QStringLiteral("我"));
    const qint64 pupil = store.currentPupil().id;
    for (auto _ : state) {
        switch (state.range(0)) {
        case 0: {
            TestFilter filter;
            filter.pupil = pupil;
            benchmark::DoNotOptimize(store.tests(filter).size());
            break;
        }
        case 1:
            benchmark::DoNotOptimize(store.chart(pupil, "Form81", "Option4", "integer").size());
            break;
        case 2:
            benchmark::DoNotOptimize(store.bestTimes(pupil).size());
            break;
        case 3:
            benchmark::DoNotOptimize(store.mistakes(pupil).size());
            break;
        default:
            benchmark::DoNotOptimize(store.listeningTests(pupil).size());
        }
    }
}
BENCHMARK(recordsWindowPart)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void allTests(benchmark::State& state)
{
    SqliteRecordStore store(benchDatabase(), QStringLiteral("我"));
    for (auto _ : state)
        benchmark::DoNotOptimize(store.tests({}).size());
}
BENCHMARK(allTests)->Unit(benchmark::kMillisecond);

// Program start: open, check and prepare the file.
void openStore(benchmark::State& state)
{
    for (auto _ : state) {
        SqliteRecordStore store(benchDatabase(), QStringLiteral("我"));
        benchmark::DoNotOptimize(store.currentPupil().id);
    }
}
BENCHMARK(openStore)->Unit(benchmark::kMillisecond);

// The time "确定" spends handing an answer to the store (the disk write
// happens on the writer thread).
void recordAnswerCall(benchmark::State& state)
{
    QTemporaryDir dir;
    SqliteRecordStore store(dir.filePath("records.db"), QStringLiteral("我"));
    const TestId test = store.beginTest({"Form81", "add", "normal", "Option4", "2位 + 1位", "integer"},
                                        QDateTime::currentDateTime(), false);
    store.recordQuestion(test, 1, {{"47", "8", ""}, "55"});
    store.flush();
    for (auto _ : state)
        store.recordAnswer(test, 1, QStringLiteral("54"), false, 1500);
    store.flush();  // after the timed loop: the writer's disk syncs are not the drill's
}
BENCHMARK(recordAnswerCall)->Iterations(500)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (benchDatabase().isEmpty()) {
        std::fprintf(stderr, "set ZORVEL_RECORDS_DB to a record made by generate_records\n");
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
