// The school server's speed on a throwaway cluster: a finished test from the
// local record to the server, 45 machines sending one test each at the same
// moment, and a teacher's class tables over a year of a class of 45.
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"
#include "school_server/record_sender.h"
#include "school_server/school_admin.h"
#include "tests/school_server/throwaway_cluster.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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
