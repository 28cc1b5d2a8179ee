// The record's files: private whatever the umask, and the rescue of a damaged
// record (an index mended, the tables copied out, or the whole moved aside
// with its -wal and -shm, or nothing moved at all).
#include "records/record_files.h"
#include "records/record_rescue.h"
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"
#include "tests/records/planted_records.h"

#include <QDir>

#include <algorithm>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUuid>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace zorvel::records;

namespace {

const Exercise kAdd{"Form81", "add", "normal", "Option4", "2位 + 1位", "integer"};
const QDateTime kMonday(QDate(2026, 3, 2), QTime(16, 30, 5));

mode_t modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

class RecordFilesTest : public ::testing::Test {
protected:
    QString folder() const { return dir.filePath("data"); }
    QString path() const { return dir.filePath("data/records.db"); }

    // Twelve finished tests of five questions each.
    void record()
    {
        SqliteRecordStore store(path(), "小明");
        for (int index = 0; index < 12; ++index) {
            const TestId id = store.beginTest(kAdd, kMonday.addSecs(60 * index), false);
            for (int n = 1; n <= 5; ++n) {
                store.recordQuestion(id, n, {{QString::number(index), QString::number(n), {}}, QString::number(index + n)});
                store.recordAnswer(id, n, QString::number(index + n), true, 800);
            }
            store.endTest(id, TestEnd::Finished, "0:30.00");
        }
        store.waitUntilWritten();
    }

    // Writes garbage over the root page of a table or index.
    void damage(const QString& name)
    {
        int page = 0, pageSize = 0;
        {
            const QSqlDatabase db = openConnection("damage", path(), true);
            page = scalar(db, "SELECT rootpage FROM sqlite_master WHERE name = ?", {name}).toInt();
            pageSize = scalar(db, "PRAGMA page_size").toInt();
        }
        closeConnection("damage");
        ASSERT_GT(page, 1);
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(qint64(page - 1) * pageSize);
        file.write(QByteArray(pageSize, '\x5a'));
    }

    void markUncleanEnd() { QFile(path() + ".check").open(QIODevice::WriteOnly); }

    QTemporaryDir dir;
};

TEST_F(RecordFilesTest, FilesArePrivateWhateverTheUmaskAndOlderOnesAreTightened)
{
    const mode_t previous = ::umask(022);
    {
        SqliteRecordStore store(path(), "小明");
        store.beginTest(kAdd, kMonday, false);
        store.waitUntilWritten();
        EXPECT_EQ(modeOf(folder()), mode_t(0700));
        for (const char* name : {"", "-wal", "-shm"})
            EXPECT_EQ(modeOf(path() + name), mode_t(0600)) << name;
    }
    // As an earlier version left them.
    QFile(path() + ".broken-20260101-120000").open(QIODevice::WriteOnly);
    for (const QString& file : {folder(), path(), path() + ".broken-20260101-120000"})
        ::chmod(QFile::encodeName(file).constData(), file == folder() ? 0755 : 0644);
    { SqliteRecordStore store(path(), "小明"); }
    EXPECT_EQ(modeOf(folder()), mode_t(0700));
    EXPECT_EQ(modeOf(path()), mode_t(0600));
    EXPECT_EQ(modeOf(path() + ".broken-20260101-120000"), mode_t(0600));
    ::umask(previous);
}

// A link planted among the record's files: the program says so and opens
// nothing; what the link points to stays as it was.
TEST_F(RecordFilesTest, PlantedLinksAreRefusedAndTheirTargetsLeftAlone)
{
    record();
    const QString elsewhere = dir.filePath("elsewhere");
    QDir().mkpath(elsewhere + "/sessions");
    const QString uuidFile = elsewhere + "/sessions/" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    for (const QString& file : {elsewhere + "/target", uuidFile}) {
        QFile target(file);
        ASSERT_TRUE(target.open(QIODevice::WriteOnly) && target.write("keep") == 4);
        target.close();
        const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
        ASSERT_TRUE(target.open(QIODevice::ReadWrite) && target.setFileTime(old, QFileDevice::FileModificationTime));
    }
    QFile::remove(path() + ".check");
    for (const QString& planted : {path(), path() + ".check", path() + ".sessions"}) {
        SCOPED_TRACE(planted.toStdString());
        const QString kept = planted + ".kept";
        QFile::rename(planted, kept) || QDir().rmdir(planted);
        ASSERT_TRUE(QFile::link(planted.endsWith(".sessions") ? elsewhere + "/sessions" : elsewhere + "/target", planted));
        {
            SqliteRecordStore store(path(), "小明");
            EXPECT_TRUE(store.problem().contains("符号链接")) << store.problem().toStdString();
            EXPECT_TRUE(store.tests({}).empty());
            store.endTest(store.beginTest(kAdd, kMonday, false), TestEnd::Closed, "");
        }
        QFile target(elsewhere + "/target");
        ASSERT_TRUE(target.open(QIODevice::ReadOnly));
        EXPECT_EQ(target.readAll(), "keep");
        EXPECT_TRUE(QFileInfo::exists(uuidFile));
        QFile::remove(planted);
        QFile::rename(kept, planted);
    }
}

// Another copy mended the record (a new file renamed over it): this copy
// reads the new file and writes its next test there, not into the old one.
TEST_F(RecordFilesTest, CopyWhoseFileWasReplacedMovesToTheNewFile)
{
    record();
    SqliteRecordStore store(path(), "小明");
    ASSERT_EQ(store.tests({}).size(), 12u);
    const QString mended = dir.filePath("data/mended.db");
    {
        SqliteRecordStore other(mended, "小红");
        other.endTest(other.beginTest(kAdd, kMonday, false), TestEnd::Closed, "");
    }
    ASSERT_FALSE(moveRecordAside(path(), "20260302-163005").isEmpty());
    ASSERT_TRUE(renameFile(mended, path()));
    EXPECT_EQ(store.tests({}).size(), 1u);
    store.endTest(store.beginTest(kAdd, kMonday.addDays(1), false), TestEnd::Closed, "");
    store.waitUntilWritten();
    const QSqlDatabase db = openConnection("replaced", path(), true);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM tests").toInt(), 2);
}

// A copy that finds the record damaged while another copy runs on it waits
// with the rescue, so that the other copy's tests never go into the file set
// aside; once that copy has ended, the rescue runs and nothing is lost.
TEST_F(RecordFilesTest, RescueWaitsForTheOtherCopies)
{
    record();
    auto running = std::make_unique<SqliteRecordStore>(path(), "小明");
    running->waitUntilWritten();
    damage("tests");
    markUncleanEnd();
    SqliteRecordStore mending(path(), "小明");  // returns once open, or waiting
    const TestId test = mending.beginTest(kAdd, kMonday, false);
    mending.endTest(test, TestEnd::Closed, "");
    EXPECT_TRUE(QDir(folder()).entryList({"records.db.broken-*"}).isEmpty());
    running.reset();
    mending.waitUntilWritten();
    EXPECT_EQ(QDir(folder()).entryList({"records.db.broken-*"}, QDir::Files).filter(QRegularExpression("\\d$")).size(), 1);
    EXPECT_EQ(mending.tests({}).size(), 1u);
}

TEST_F(RecordFilesTest, DamagedIndexIsMendedKeepingEveryTest)
{
    record();
    damage("tests_by_pupil");
    markUncleanEnd();
    SqliteRecordStore store(path(), "小明");
    EXPECT_TRUE(store.problem().contains("完整")) << store.problem().toStdString();
    EXPECT_EQ(store.tests({}).size(), 12u);
    const QSqlDatabase db = openConnection("mended", path(), true);
    EXPECT_EQ(scalar(db, "PRAGMA integrity_check").toString(), "ok");
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM answers").toInt(), 60);
}

// A damaged leaf of the tests table loses only its own tests; the parent
// reads how many were saved and about how many were not.
TEST_F(RecordFilesTest, DamagedTablePagesLoseOnlyTheirOwnRows)
{
    planted::makeRecord(path(), 150);
    ASSERT_TRUE(planted::damageIndex(path(), "tests"));
    markUncleanEnd();
    SqliteRecordStore store(path(), "学生1");
    const qint64 saved = qint64(store.tests({}).size());
    EXPECT_GT(saved, 100);
    const QRegularExpression note("保存了 (\\d+) 次测试，约 (\\d+) 次因文件损坏没能读出");
    const QRegularExpressionMatch told = note.match(store.problem());
    ASSERT_TRUE(told.hasMatch()) << store.problem().toStdString();
    EXPECT_EQ(told.captured(1).toLongLong(), saved);
    EXPECT_EQ(saved + told.captured(2).toLongLong(), 150);
    EXPECT_EQ(QDir(folder()).entryList({"records.db.broken-*"}, QDir::Files).filter(QRegularExpression("\\d$")).size(), 1);
}

// A rescue stopped after any of its steps (the copy, the journal, the
// file moved aside, the copy put in place) is finished by the next start:
// the newest tests (only in the -wal before the rescue) are never lost.
TEST_F(RecordFilesTest, RescueStoppedBetweenAnyTwoStepsIsFinishedByTheNextStart)
{
    struct Stopped {};
    for (int stopAfter = 1; stopAfter <= 4; ++stopAfter) {
        SCOPED_TRACE(stopAfter);
        QDir(folder()).removeRecursively();
        const QString source = dir.filePath(QStringLiteral("source%1/records.db").arg(stopAfter));
        planted::makeRecord(source, 150);
        ASSERT_TRUE(planted::copyWithRowsInWal(source, folder()));
        ASSERT_TRUE(planted::damageIndex(path(), "tests"));
        int steps = 0;
        EXPECT_THROW(rescueRecord(path(), "stopped", "20260302-163005", renameFile,
                                  [&] { if (++steps == stopAfter) throw Stopped{}; }),
                     Stopped);
        closeConnection("stopped");
        markUncleanEnd();
        SqliteRecordStore store(path(), "学生1");
        store.waitUntilWritten();  // the opening done, through any passing lock
        std::vector<Pupil> pupils = store.pupils();
        EXPECT_TRUE(std::any_of(pupils.begin(), pupils.end(), [](const Pupil& p) { return p.name == "小红"; }))
            << store.problem().toStdString();
        EXPECT_FALSE(QFileInfo::exists(path() + ".replacing"));
        EXPECT_EQ(QDir(folder()).entryList({"records.db.broken-*"}, QDir::Files).filter(QRegularExpression("\\d$")).size(), 1);
    }
}

TEST_F(RecordFilesTest, RecordWhoseTablesCannotBeReadIsMovedAsideAndANewOneBegun)
{
    const mode_t previous = ::umask(022);
    record();
    damage("tests");
    markUncleanEnd();
    SqliteRecordStore store(path(), "小明");
    const QStringList aside = QDir(folder()).entryList({"records.db.broken-*"});
    ASSERT_EQ(aside.size(), 1) << aside.join(' ').toStdString();
    EXPECT_TRUE(store.problem().contains(aside[0])) << store.problem().toStdString();
    EXPECT_TRUE(store.tests({}).empty());
    EXPECT_TRUE(QDir(folder()).entryList({"records.db.mending*"}).isEmpty());
    store.endTest(store.beginTest(kAdd, kMonday, false), TestEnd::Closed, "");
    store.waitUntilWritten();
    EXPECT_EQ(store.tests({}).size(), 1u);
    for (const char* name : {"", "-wal", "-shm"})
        EXPECT_EQ(modeOf(path() + name), mode_t(0600)) << name;
    ::umask(previous);
}

TEST_F(RecordFilesTest, DamagedRecordThatCannotBeMovedIsLeftAsItIs)
{
    for (const char* table : {"tests_by_pupil", "tests"}) {  // mendable by a copy, or not at all
        record();
        damage(table);
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        const RenameFunction refuseRecord = [this](const QString& from, const QString& to) {
            return from != path() && renameFile(from, to);
        };
        const Rescue rescue = rescueRecord(path(), "rescue", "20260302-163005", refuseRecord);
        EXPECT_FALSE(rescue.usable);
        EXPECT_TRUE(rescue.note.contains("无法改名")) << rescue.note.toStdString();
        EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList{"records.db"});
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll() == bytes);
        file.close();
        QFile::remove(path());
    }
}

TEST_F(RecordFilesTest, RecordIsMovedAsideWhollyOrNotAtAll)
{
    QDir().mkpath(folder());
    for (const char* name : {"", "-wal", "-shm"}) {
        QFile file(path() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(name);
    }
    const RenameFunction refuseShm = [](const QString& from, const QString& to) {
        return !from.endsWith("-shm") && renameFile(from, to);
    };
    EXPECT_EQ(moveRecordAside(path(), "20260302-163005", refuseShm), "");
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), (QStringList{"records.db", "records.db-shm", "records.db-wal"}));

    EXPECT_EQ(moveRecordAside(path(), "20260302-163005"), "records.db.broken-20260302-163005");
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files),
              (QStringList{"records.db.broken-20260302-163005", "records.db.broken-20260302-163005-shm",
                           "records.db.broken-20260302-163005-wal"}));
}

} // namespace
