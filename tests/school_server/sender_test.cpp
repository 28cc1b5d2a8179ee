// The local record as the offline queue of a real server: tests recorded
// while the server is stopped arrive once it runs again, in order and once
// each, and a sending broken off midway is neither lost nor doubled.
#include "records/schema.h"
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"
#include "school_server/server_class_data.h"
#include "school_server/record_sender.h"
#include "school_server/school_admin.h"
#include "tests/school_server/throwaway_cluster.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvel::school;
using namespace zorvel::records;
using zorvel::school::testing::ThrowawayCluster;

namespace {

const Exercise kAdd{"Form81", "add", "normal", "Option4", "2位 + 1位", "integer"};
const QDateTime kLinked(QDate(2026, 3, 2), QTime(8, 0));

class SenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!cluster.problem().isEmpty())
            GTEST_SKIP() << "PostgreSQL cannot start here: " << cluster.problem().toStdString();
        QSqlDatabase db = openServer("admin", cluster.address("zadmin"));
        addClass(db, "一班", "teacher1");
        addPupil(db, "小明", "一班", "pupil1");
    }
    void TearDown() override { QSqlDatabase::removeDatabase("admin"); }

    int onServer(const QString& sql) { return value(QSqlDatabase::database("admin"), sql).toInt(); }
    void recordTest(RecordStore& store, int minute)
    {
        const TestId id = store.beginTest(kAdd, kLinked.addSecs(60 * minute), false);
        // Two-digit questions: no basic fact's answer is kept for the boxes.
        for (int n = 1; n <= 10; ++n) {
            store.recordQuestion(id, n, QuestionShown{{QString::number(n + 10), "10", ""}, QString::number(n + 20)});
            store.recordAnswer(id, n, QString::number(n + 20), true, 900);
        }
        store.endTest(id, TestEnd::Finished, "0:30.00");
    }
    ServerLink link(qint64 pupil) { return {pupil, cluster.address("pupil1"), kLinked}; }

    ThrowawayCluster cluster;
    QTemporaryDir dir;
};

TEST_F(SenderTest, TestsRecordedWhileTheServerIsStoppedArriveInOrderOnceItRunsAgain)
{
    SqliteRecordStore store(dir.filePath("records.db"), "小明");
    const qint64 pupil = store.currentPupil().id;
    auto sender = std::make_shared<RecordSender>(std::chrono::milliseconds(0));
    store.postToWriter([&](const QSqlDatabase& local) { keepLink(local, link(pupil)); });
    store.setFollower([sender](const QSqlDatabase& local) { sender->sendWaiting(local); });
    recordTest(store, 1);
    store.waitUntilWritten();
    EXPECT_EQ(onServer("SELECT count(*) FROM zorvel.tests"), 1);

    ASSERT_TRUE(cluster.stop());
    recordTest(store, 2);
    recordTest(store, 3);
    store.waitUntilWritten();
    ASSERT_TRUE(cluster.start());
    QSqlDatabase::database("admin").close();
    ASSERT_TRUE(QSqlDatabase::database("admin").open());
    EXPECT_EQ(onServer("SELECT count(*) FROM zorvel.tests"), 1);

    store.recordAnswer(zorvel::facts::FactAnswer{7, true, 1500, kLinked.date().toJulianDay(), {}});
    store.waitUntilWritten();
    EXPECT_EQ(onServer("SELECT count(*) FROM zorvel.tests"), 3);
    EXPECT_EQ(onServer("SELECT count(*) FROM zorvel.questions"), 30);
    EXPECT_EQ(onServer("SELECT count(*) FROM zorvel.fact_answers"), 1);
    EXPECT_EQ(onServer("SELECT count(*) FROM zorvel.fact_boxes WHERE fact = 7"), 1);
    // Sent in the order recorded: the server received them by start time.
    EXPECT_EQ(onServer("SELECT count(*) FROM (SELECT started < lag(started) OVER (ORDER BY received, started) AS back"
                       " FROM zorvel.tests) t WHERE back"),
              0);
    store.postToWriter([sender](const QSqlDatabase& local) { sender->sendWaiting(local); });
    store.waitUntilWritten();
    EXPECT_EQ(onServer("SELECT count(*) FROM zorvel.tests"), 3);
    EXPECT_EQ(onServer("SELECT count(*) FROM zorvel.fact_answers"), 1);
}

TEST_F(SenderTest, ASendingBrokenOffMidwayIsNeitherLostNorDoubled)
{
    qint64 pupil = 0;
    {
        SqliteRecordStore store(dir.filePath("records.db"), "小明");
        pupil = store.currentPupil().id;
        recordTest(store, 1);
    }
    const QSqlDatabase local = openConnection("local", dir.filePath("records.db"), false);
    keepLink(local, link(pupil));
    RecordSender sender;
    sender.setMidSendHook([&] {
        exec(QSqlDatabase::database("admin"),
             "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE usename = 'pupil1'");
    });
    const SendResult broken = sender.sendPupil(local, link(pupil));
    EXPECT_FALSE(broken.problem.isEmpty());
    EXPECT_EQ(broken.waiting, 1);
    EXPECT_EQ(onServer("SELECT count(*) FROM zorvel.tests"), 0);

    sender.setMidSendHook({});
    EXPECT_EQ(sender.sendPupil(local, link(pupil)).tests, 1);
    // The server committed but the local mark was lost (a crash between the two).
    run(local, "DELETE FROM server_sent_tests");
    const SendResult again = sender.sendPupil(local, link(pupil));
    EXPECT_EQ(again.problem, "");
    EXPECT_EQ(again.waiting, 0);
    EXPECT_EQ(onServer("SELECT count(*) FROM zorvel.tests"), 1);
    EXPECT_EQ(onServer("SELECT count(*) FROM zorvel.answers"), 10);
    closeConnection("local");
}

// A teacher's copy holds its class's tests only, each once however often it
// is refreshed, and takes up what arrives between refreshes.
TEST_F(SenderTest, TeachersCopyHoldsItsClassOnlyAndEachTestOnce)
{
    QSqlDatabase admin = QSqlDatabase::database("admin");
    addClass(admin, "二班", "teacher2");
    addPupil(admin, "小刚", "二班", "pupil3");
    const auto sendTests = [&](const QString& file, const QString& role, int count) {
        SqliteRecordStore store(dir.filePath(file), "学生");
        for (int minute = 1; minute <= count; ++minute)
            recordTest(store, minute);
        store.postToWriter([&](const QSqlDatabase& local) {
            RecordSender().sendPupil(local, {store.currentPupil().id, cluster.address(role), kLinked});
        });
        store.waitUntilWritten();
    };
    sendTests("one.db", "pupil1", 2);
    sendTests("three.db", "pupil3", 1);
    ServerClassData data(cluster.address("teacher1"), dir.filePath("copy.zorvel-class"));
    EXPECT_EQ(data.problem(), "");
    EXPECT_EQ(data.tests({}).size(), 2u);
    EXPECT_FALSE(data.refresh());
    sendTests("one.db", "pupil1", 1);
    EXPECT_TRUE(data.refresh());
    ASSERT_EQ(data.classPupils().size(), 1u);
    EXPECT_EQ(data.classPupils().front().name, "小明");
    EXPECT_EQ(data.tests({}).size(), 3u);
    const QSqlDatabase copy = openConnection("copy", dir.filePath("copy.zorvel-class"), true);
    EXPECT_EQ(scalar(copy, "SELECT count(*) FROM answers").toInt(), 30);
    closeConnection("copy");
}

// zorvel-records sync through a libpq service file: how much went, or one
// Chinese line and status 1 while the server is stopped.
TEST_F(SenderTest, SyncCommandSendsThroughAServiceAndSaysWhenTheServerIsAway)
{
    {
        SqliteRecordStore store(dir.filePath("records.db"), "小明");
        recordTest(store, 1);
        recordTest(store, 2);
    }
    QFile services(dir.filePath("pg_service.conf"));
    ASSERT_TRUE(services.open(QIODevice::WriteOnly));
    const ServerAddress at = cluster.address("pupil1");
    services.write(QString("[school]\nhost=%1\nport=%2\ndbname=school\nuser=pupil1\n").arg(at.host).arg(at.port).toUtf8());
    services.close();
    const auto sync = [&](QString* err) {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PGSERVICEFILE", services.fileName());
        tool.setProcessEnvironment(environment);
        tool.start(ZORVEL_RECORDS_TOOL, {"--database", dir.filePath("records.db"), "sync", "--service", "school"});
        EXPECT_TRUE(tool.waitForFinished(-1));
        *err = QString::fromUtf8(tool.readAllStandardError());
        return std::pair{tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput())};
    };
    QString err;
    EXPECT_EQ(sync(&err), std::pair(0, QString("发送了 2 次测试、0 个口诀练习的答案；没有等待发送的了。\n")));
    EXPECT_EQ(onServer("SELECT count(*) FROM zorvel.tests"), 2);
    ASSERT_TRUE(cluster.stop());
    EXPECT_EQ(sync(&err).first, 1);
    EXPECT_EQ(err.count('\n'), 1);
    EXPECT_TRUE(err.startsWith("zorvel-records：连不上学校服务器（服务 school）")) << err.toStdString();
}

} // namespace
