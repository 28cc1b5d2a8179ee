// Reading the record back: a read that fails part-way returns nothing and
// says why, and a record that cannot be written is still shown.
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"
#include "tests/records/planted_records.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace zorvel::records;

namespace {

// While alive, this thread (and the threads it starts) obeys file modes even
// as root, as every other account does.
class FileModesApply {
public:
    FileModesApply()
    {
        syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        syscall(SYS_capset, &header_, reduced);
    }
    ~FileModesApply() { syscall(SYS_capset, &header_, saved_); }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
};

TEST(ReadingTest, ReadThatFailsPartWayReturnsNothingAndSaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("records.db");
    planted::makeRecord(path, 150);
    ASSERT_TRUE(planted::damageIndex(path, "tests_by_pupil"));

    SqliteRecordStore store(path, "学生1");
    const qint64 pupil = store.currentPupil().id;
    TestFilter one;
    one.pupil = pupil;
    EXPECT_EQ(store.tests(one).size(), 0u);  // read through the damaged index
    EXPECT_TRUE(store.readProblem().contains("有损坏")) << store.readProblem().toStdString();
    EXPECT_EQ(store.tests({}).size(), 150u);  // the table itself is whole
    EXPECT_EQ(store.readProblem(), "");
    // The practice goes on being recorded: no message says otherwise.
    store.endTest(store.beginTest({"Form81", "add", "normal", "Option4", "2位 + 1位", "integer"},
                                  QDateTime(QDate(2027, 1, 1), QTime(9, 0)), false),
                  TestEnd::Finished, "0:31.00");
    store.waitUntilWritten();
    EXPECT_EQ(store.problem(), "");
    EXPECT_EQ(store.tests({}).size(), 151u);
}

TEST(ReadingTest, RecordThatCannotBeWrittenIsStillShown)
{
    for (const char* obstacle : {"read-only folder", "locked by another program"}) {
        SCOPED_TRACE(obstacle);
        QTemporaryDir dir;
        const QString folder = dir.filePath("data");
        const QString path = folder + "/records.db";
        planted::makeRecord(path, 3);
        {
            SqliteRecordStore first(path, "学生1");
            const std::optional<Pupil> second = first.addPupil("小红");
            ASSERT_TRUE(second);
            first.setCurrentPupil(second->id);
        }
        std::unique_ptr<FileModesApply> modes;
        if (QByteArray(obstacle) == "read-only folder") {
            ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
            modes = std::make_unique<FileModesApply>();
        } else {
            run(openConnection("locker", path, false), "BEGIN EXCLUSIVE");
        }
        {
            SqliteRecordStore store(path, "学生1");
            EXPECT_NE(store.problem(), "");
            EXPECT_EQ(store.currentPupil().name, "小红");
            EXPECT_EQ(store.pupils().size(), 2u);
            EXPECT_EQ(store.tests({}).size(), 3u);
            EXPECT_EQ(store.readProblem(), "");
        }
        modes.reset();
        closeConnection("locker");
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

} // namespace
