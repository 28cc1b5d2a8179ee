// The store beside others: two copies of the program on one record, a record
// locked by another program, and pupil changes that must keep the current pupil.
#include "records/record_writer.h"
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <set>

#include <sys/stat.h>

using namespace zorvel::records;

namespace {

const Exercise kAdd{"Form81", "add", "normal", "Option4", "2位 + 1位", "integer"};
const QDateTime kMonday(QDate(2026, 3, 2), QTime(16, 30, 5));

QuestionShown question(int first, int second)
{
    return QuestionShown{{QString::number(first), QString::number(second), QString()}, QString::number(first + second)};
}

class CopiesTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath("data/records.db"); }
    std::unique_ptr<SqliteRecordStore> open() { return std::make_unique<SqliteRecordStore>(path(), "小明"); }

    // Every test's (first operand of its questions, its end) as the file holds them.
    std::vector<std::pair<QString, QString>> testsOnFile()
    {
        std::vector<std::pair<QString, QString>> found;
        {
            const QSqlDatabase db = openConnection("look", path(), true);
            QSqlQuery query = run(db, "SELECT group_concat(q.first || '+' || q.second || '=' || a.text, ' '),"
                                      " coalesce(t.ended, 'running') FROM tests t JOIN questions q ON q.test_id = t.id"
                                      " JOIN answers a ON a.question_id = q.id GROUP BY t.id ORDER BY t.started");
            while (query.next())
                found.emplace_back(query.value(0).toString(), query.value(1).toString());
        }
        closeConnection("look");
        return found;
    }

    QTemporaryDir dir;
};

TEST_F(CopiesTest, TwoCopiesOnOneRecordEachKeepTheirOwnTests)
{
    auto first = open();
    auto second = open();
    const TestId a = first->beginTest(kAdd, kMonday, false);
    const TestId b = second->beginTest(kAdd, kMonday.addSecs(1), false);
    EXPECT_NE(a, b);
    for (int n = 1; n <= 3; ++n) {
        first->recordQuestion(a, n, question(10, n));
        second->recordQuestion(b, n, question(20, n));
        second->recordAnswer(b, n, question(20, n).correctAnswer, true, 900);
        first->recordAnswer(a, n, question(10, n).correctAnswer, true, 900);
    }
    first->waitUntilWritten();
    second->waitUntilWritten();
    // A third copy starting and ending meanwhile leaves both running tests alone.
    { auto third = open(); }
    first->endTest(a, TestEnd::Finished, "0:10.00");
    second->endTest(b, TestEnd::Finished, "0:11.00");
    first->waitUntilWritten();
    second->waitUntilWritten();
    EXPECT_EQ(first->problem(), "");
    EXPECT_EQ(second->problem(), "");
    using Row = std::pair<QString, QString>;
    EXPECT_EQ(testsOnFile(), (std::vector<Row>{{"10+1=11 10+2=12 10+3=13", "finished"},
                                               {"20+1=21 20+2=22 20+3=23", "finished"}}));

    // A copy that ends closes its own running test only.
    const TestId c = first->beginTest(kAdd, kMonday.addSecs(2), false);
    const TestId d = second->beginTest(kAdd, kMonday.addSecs(3), false);
    first->recordQuestion(c, 1, question(30, 1));
    first->recordAnswer(c, 1, "31", true, 900);
    second->recordQuestion(d, 1, question(40, 1));
    second->recordAnswer(d, 1, "41", true, 900);
    second->waitUntilWritten();
    first.reset();
    EXPECT_EQ(testsOnFile().at(2), Row("30+1=31", "interrupted"));
    EXPECT_EQ(testsOnFile().at(3), Row("40+1=41", "running"));
}

TEST_F(CopiesTest, EachCopyRecordsItsOwnPupilsTests)
{
    auto first = open();
    auto second = open();
    const std::optional<Pupil> red = second->addPupil("小红");
    ASSERT_TRUE(red);
    second->setCurrentPupil(red->id);
    ASSERT_TRUE(first->addPupil("小兰"));  // changing the pupils keeps this copy's choice
    ASSERT_EQ(first->currentPupil().name, "小明");
    first->endTest(first->beginTest(kAdd, kMonday, false), TestEnd::Finished, "0:10.00");
    second->endTest(second->beginTest(kAdd, kMonday.addSecs(1), false), TestEnd::Finished, "0:11.00");
    first->waitUntilWritten();
    second->waitUntilWritten();
    std::map<QDateTime, QString> pupilOfTest;
    for (const TestRow& row : first->tests({}))
        pupilOfTest[row.started] = row.pupil;
    EXPECT_EQ(pupilOfTest, (std::map<QDateTime, QString>{{kMonday, "小明"}, {kMonday.addSecs(1), "小红"}}));
}

TEST_F(CopiesTest, WorkDoneWhileAnotherProgramLocksTheRecordIsWrittenWhenTheLockGoes)
{
    { open(); }
    std::unique_ptr<SqliteRecordStore> store;
    {
        const QSqlDatabase locker = openConnection("locker", path(), false);
        run(locker, "BEGIN IMMEDIATE");
        // Nothing here waits for the lock: opening, reading, recording, flushing.
        store = open();
        EXPECT_TRUE(store->problem().contains("占用")) << store->problem().toStdString();
        EXPECT_EQ(store->pupils().size(), 1u);
        const TestId id = store->beginTest(kAdd, kMonday, false);
        for (int n = 1; n <= 3; ++n) {
            store->recordQuestion(id, n, question(10, n));
            store->recordAnswer(id, n, question(10, n).correctAnswer, true, 900);
        }
        store->endTest(id, TestEnd::Finished, "0:09.00");
        store->flush();
        EXPECT_FALSE(store->addPupil("小红"));  // refused, not waited for
        run(locker, "ROLLBACK");
    }
    closeConnection("locker");
    store->waitUntilWritten();
    EXPECT_EQ(store->problem(), "");
    EXPECT_EQ(testsOnFile(), (std::vector<std::pair<QString, QString>>{{"10+1=11 10+2=12 10+3=13", "finished"}}));
    EXPECT_EQ(store->pupils().size(), 1u);
}

// What the closing copy could not write is kept beside the record, private,
// and made once at the next start.
TEST_F(CopiesTest, ClosingGivesUpOnARecordThatStaysLockedAndTheNextStartWritesWhatWasLeft)
{
    { open(); }
    {
        // Readers are shut out too.
        const QSqlDatabase locker = openConnection("locker", path(), false);
        run(locker, "PRAGMA locking_mode = EXCLUSIVE");
        run(locker, "BEGIN EXCLUSIVE");
        run(locker, "UPDATE settings SET value = value");
        {
            auto store = open();
            EXPECT_TRUE(store->problem().contains("无法读取")) << store->problem().toStdString();
            EXPECT_TRUE(store->tests({}).empty());
            const TestId test = store->beginTest(kAdd, kMonday, false);
            for (int n = 1; n <= 2; ++n) {
                store->recordQuestion(test, n, question(10, n));
                store->recordAnswer(test, n, QString::number(10 + n), true, 900);
            }
            store->endTest(test, TestEnd::Closed, "");
            // returns: what is still queued is given up after a while
            const QString told = store->close();
            EXPECT_TRUE(told.contains("1 次练习（共 2 个答案）没能保存")) << told.toStdString();
        }
        run(locker, "ROLLBACK");
    }
    closeConnection("locker");
    EXPECT_TRUE(testsOnFile().empty());
    struct stat journal {};
    ASSERT_EQ(::lstat(QFile::encodeName(path() + ".unwritten").constData(), &journal), 0);
    EXPECT_EQ(journal.st_mode & 0777, 0600u);
    for (int start = 0; start < 2; ++start)
        EXPECT_EQ(open()->problem(), "");
    EXPECT_EQ(testsOnFile(), (std::vector<std::pair<QString, QString>>{{"10+1=11 10+2=12", "closed"}}));
    EXPECT_FALSE(QFileInfo::exists(path() + ".unwritten"));
}

TEST_F(CopiesTest, RemovingAnotherPupilKeepsTheCurrentOne)
{
    {
        auto store = open();
        const std::optional<Pupil> red = store->addPupil("小红");
        const std::optional<Pupil> blue = store->addPupil("小兰");
        ASSERT_TRUE(red && blue);
        store->setCurrentPupil(red->id);
        EXPECT_TRUE(store->removePupil(blue->id));
        EXPECT_EQ(store->currentPupil().name, "小红");
    }
    EXPECT_EQ(open()->currentPupil().name, "小红");
}

// Once the closing writer has given up on a lock, what is still queued is
// dropped without another try: 60 queued answers would otherwise each wait
// out the lock's timeout before the program ends.
TEST(RecordWriterTest, ClosingWriterDropsTheRestUntriedOnceItGivesUp)
{
    std::set<int> tried;
    {
        RecordWriter writer(
            [] {
                QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "given-up");
                db.setDatabaseName(":memory:");
                db.open();
                return db;
            },
            [] { closeConnection("given-up"); }, [](const SqlFailure&) {});
        for (int n = 0; n < 60; ++n)
            writer.post([&tried, n](RecordWrites&) {
                tried.insert(n);
                throw SqlFailure(Failure::Locked, "locked");
            });
    }
    EXPECT_EQ(tried.size(), 1u);
}

} // namespace
