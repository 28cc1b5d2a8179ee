// The school server's speed on a throwaway cluster: a finished test from the
// local record to the server, 45 machines sending one test each at the same
// moment, and a teacher's class tables over a year of a class of 45.
#include "records/schema.h"
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"
#include "school_server/class_mirror.h"
#include "school_server/record_sender.h"
#include "school_server/server_class_data.h"
#include "school_server/school_admin.h"
#include "tests/school_server/throwaway_cluster.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>

using namespace zorvel::school;
using namespace zorvel::records;

namespace {

constexpr int kClass = 45;
const Exercise kAdd{"Form81", "add", "normal", "Option4", "2位 + 1位", "integer"};

testing::ThrowawayCluster& cluster()
{
    static testing::ThrowawayCluster server;
    static bool ready = [] {
        if (!server.problem().isEmpty())
            return false;
        const QSqlDatabase admin = openServer("admin", server.address("zadmin"));
        exec(admin, "SET client_min_messages = warning");
        addClass(admin, "一班", "teacher1");
        for (int p = 1; p <= kClass; ++p)
            addPupil(admin, QStringLiteral("学生%1").arg(p), "一班", QStringLiteral("p%1").arg(p));
        return true;
    }();
    (void)ready;
    return server;
}

QSqlDatabase admin()
{
    return QSqlDatabase::database("admin");
}

void recordTest(RecordStore& store, int minute)
{
    const TestId id = store.beginTest(kAdd, QDateTime::currentDateTime().addSecs(minute), false);
    for (int n = 1; n <= 10; ++n) {
        store.recordQuestion(id, n, QuestionShown{{QString::number(n), "7", ""}, QString::number(n + 7)});
        store.recordAnswer(id, n, QString::number(n + 7), true, 900);
    }
    store.endTest(id, TestEnd::Finished, "0:30.00");
}

// From a test's local commit to the server's: the follower's sending,
// timed on the writer thread right after the test is written.
void BM_FinishedTestReachesServer(benchmark::State& state)
{
    if (!cluster().problem().isEmpty()) {
        state.SkipWithError(cluster().problem().toStdString().c_str());
        return;
    }
    QTemporaryDir dir;
    SqliteRecordStore store(dir.filePath("records.db"), "学生1");
    auto sender = std::make_shared<RecordSender>();
    auto took = std::make_shared<std::atomic<double>>(0);
    auto sent = std::make_shared<std::atomic<int>>(0);
    const ServerLink link{store.currentPupil().id, cluster().address("p1"), QDateTime::currentDateTime().addDays(-1)};
    store.postToWriter([link](const QSqlDatabase& local) { keepLink(local, link); });
    store.setFollower([sender, took, sent](const QSqlDatabase& local) {
        const auto start = std::chrono::steady_clock::now();
        *sent += sender->sendWaiting(local).tests;
        *took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    });
    int minute = 0;
    for (auto _ : state) {
        recordTest(store, ++minute);
        store.waitUntilWritten();
        state.SetIterationTime(*took);
    }
    state.counters["sent"] = sent->load();
}
BENCHMARK(BM_FinishedTestReachesServer)->Unit(benchmark::kMillisecond)->UseManualTime();

// 45 machines (a record file and a new connection each) send one test at once.
void BM_FortyFiveAtOnce(benchmark::State& state)
{
    if (!cluster().problem().isEmpty()) {
        state.SkipWithError(cluster().problem().toStdString().c_str());
        return;
    }
    QTemporaryDir dir;
    std::vector<ServerLink> links;
    for (int p = 1; p <= kClass; ++p) {
        SqliteRecordStore store(dir.filePath(QStringLiteral("r%1.db").arg(p)), "学生");
        recordTest(store, 0);
        links.push_back({store.currentPupil().id, cluster().address(QStringLiteral("p%1").arg(p)), {}});
    }
    int arrived = 0;
    for (auto _ : state) {
        state.PauseTiming();
        exec(admin(), "TRUNCATE zorvel.tests CASCADE");
        for (int p = 1; p <= kClass; ++p) {
            const QString name = QStringLiteral("reset%1").arg(p);
            run(openConnection(name, dir.filePath(QStringLiteral("r%1.db").arg(p)), false), "DELETE FROM server_sent_tests");
            closeConnection(name);
        }
        state.ResumeTiming();
        std::vector<std::thread> machines;
        for (int p = 0; p < kClass; ++p)
            machines.emplace_back([&, p] {
                const QString name = QStringLiteral("machine%1").arg(p);
                {
                    RecordSender sender;
                    const QSqlDatabase local = openConnection(name, dir.filePath(QStringLiteral("r%1.db").arg(p + 1)), false);
                    sender.sendPupil(local, links[std::size_t(p)]);
                }
                closeConnection(name);
            });
        for (std::thread& machine : machines)
            machine.join();
        arrived = value(admin(), "SELECT count(*) FROM zorvel.tests").toInt();
    }
    state.counters["arrived"] = arrived;
}
BENCHMARK(BM_FortyFiveAtOnce)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// A year of a class of 45: 200 school days, three tests a day of ten
// questions (one wrong), twenty daily-practice answers a day.
void makeClassYear()
{
    static bool made = false;
    if (made)
        return;
    made = true;
    exec(admin(), "TRUNCATE zorvel.tests, zorvel.fact_answers, zorvel.fact_boxes CASCADE");
    exec(admin(), "INSERT INTO zorvel.tests (id, pupil_id, win, operation, mode, level_option, level_caption, number_type,"
                  " started, redo, questions, wrong_answers, playback_reached, ended, time, centis, received)"
                  " SELECT gen_random_uuid(), p.id, 'Form81', 'add', 'normal', 'Option4', '2位 + 1位', 'integer',"
                  " timestamptz '2025-09-01 08:00+08' + d * interval '1 day' + k * interval '1 hour', false, 10, 1,"
                  " false, 'finished', '0:45.00', 4500, timestamptz '2025-09-01' + d * interval '1 day'"
                  " FROM zorvel.pupils p, generate_series(0, 199) d, generate_series(0, 2) k");
    exec(admin(), "INSERT INTO zorvel.questions SELECT t.id, t.pupil_id, n, n::text, '7', '', (n + 7)::text"
                  " FROM zorvel.tests t, generate_series(1, 10) n");
    exec(admin(), "INSERT INTO zorvel.answers SELECT test_id, pupil_id, number, 1, answer, number <> 3, 1200"
                  " FROM zorvel.questions");
    exec(admin(), "INSERT INTO zorvel.fact_answers SELECT gen_random_uuid(), p.id, 162 + (d * 20 + i) % 81, i <> 5, 1500,"
                  " 2460920 + d, 'standard', timestamptz '2025-09-01' + d * interval '1 day'"
                  " FROM zorvel.pupils p, generate_series(0, 199) d, generate_series(1, 20) i");
    exec(admin(), "INSERT INTO zorvel.fact_boxes SELECT p.id, 162 + f, 3, 2461130, 2460920, 50, 45, '11111', 1500"
                  " FROM zorvel.pupils p, generate_series(0, 80) f");
    exec(admin(), "ANALYZE");
}

// The teacher's first copy of the year, into a new file.
void BM_TeacherFirstCopy(benchmark::State& state)
{
    if (!cluster().problem().isEmpty()) {
        state.SkipWithError(cluster().problem().toStdString().c_str());
        return;
    }
    makeClassYear();
    const QSqlDatabase teacher = openServer("teacher", cluster().address("teacher1"));
    int copied = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        const QSqlDatabase copy = openConnection("copy", dir.filePath("copy.db"), false);
        migrate(copy);
        state.ResumeTiming();
        copied = refreshMirror(teacher, copy).tests;
        state.PauseTiming();
        closeConnection("copy");
        state.ResumeTiming();
    }
    state.counters["tests"] = copied;
}
BENCHMARK(BM_TeacherFirstCopy)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// A refresh of that copy: nothing new, or one new test.
void BM_TeacherRefresh(benchmark::State& state)
{
    if (!cluster().problem().isEmpty()) {
        state.SkipWithError(cluster().problem().toStdString().c_str());
        return;
    }
    makeClassYear();
    const QSqlDatabase teacher = QSqlDatabase::contains("teacher") ? QSqlDatabase::database("teacher")
                                                                    : openServer("teacher", cluster().address("teacher1"));
    QTemporaryDir dir;
    const QSqlDatabase copy = openConnection("copy", dir.filePath("copy.db"), false);
    migrate(copy);
    refreshMirror(teacher, copy);
    for (auto _ : state) {
        if (state.range(0)) {
            state.PauseTiming();
            exec(admin(), "INSERT INTO zorvel.tests (id, pupil_id, win, operation, mode, level_option, level_caption,"
                          " number_type, started, redo, questions, wrong_answers, playback_reached, ended)"
                          " SELECT gen_random_uuid(), id, 'Form81', 'add', 'normal', 'Option4', '2位 + 1位', 'integer',"
                          " now(), false, 10, 0, false, 'finished' FROM zorvel.pupils LIMIT 1");
            state.ResumeTiming();
        }
        refreshMirror(teacher, copy);
    }
    state.SetLabel(state.range(0) ? "one new test" : "nothing new");
}
BENCHMARK(BM_TeacherRefresh)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The class window's five tables over the whole year, from the teacher's
// copy as the window reads them (a refresh from the server included).
void BM_TeacherTabs(benchmark::State& state)
{
    if (!cluster().problem().isEmpty()) {
        state.SkipWithError(cluster().problem().toStdString().c_str());
        return;
    }
    makeClassYear();
    QTemporaryDir dir;
    ServerClassData data(cluster().address("teacher1"), dir.filePath("copy.zorvel-class"));
    std::size_t rows = 0;
    for (auto _ : state) {
        data.refresh();
        const zorvel::classroom::DateRange all;
        switch (state.range(0)) {
        case 0: rows = data.pupils(all).size(); break;
        case 1: rows = data.tests(all).size(); break;
        case 2: rows = data.facts(all).size(); break;
        case 3: rows = data.mistakes(all).size(); break;
        default: rows = data.fluency(all).size(); break;
        }
    }
    state.counters["rows"] = double(rows);
    state.SetLabel(std::array{"学生", "tests", "口诀热图", "常错题", "达标"}[std::size_t(state.range(0))]);
}
BENCHMARK(BM_TeacherTabs)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    QSqlDatabase::removeDatabase("admin");
    return 0;
}
