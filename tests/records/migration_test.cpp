// A record written by the first version of this program (data/records-v1.db)
// brought up to date: every row kept, a UUID on every pupil and test that
// never changes, and a migration that fails leaves the file as it was.
#include "records/schema.h"
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"
#include "tests/records/planted_records.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvel::records;

namespace {

class MigrationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(dir.filePath("data"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZORVEL_RECORDS_TEST_DATA "/records-v1.db"), path()));
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    }
    QString path() const { return dir.filePath("data/records.db"); }

    // Runs statements on the file outside the store, foreign keys off.
    void plant(const QStringList& statements)
    {
        {
            const QSqlDatabase db = openConnection("plant", path(), false);
            run(db, "PRAGMA foreign_keys = OFF");
            for (const QString& statement : statements)
                run(db, statement);
        }
        closeConnection("plant");
    }

    QStringList rows(const QString& sql) const { return planted::rowsOf(path(), sql); }

    QTemporaryDir dir;
};

const QStringList kTables = {"pupils", "settings", "exercises", "tests", "questions", "answers", "book"};

QString everyColumnOfVersion1(const QString& table)
{
    if (table == "pupils")
        return "SELECT id, name FROM pupils ORDER BY id";
    if (table == "tests")
        return "SELECT id, pupil_id, exercise_id, started, redo, questions, wrong_answers, playback_reached, ended,"
               " time, centis FROM tests ORDER BY id";
    return QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2").arg(table);
}

TEST_F(MigrationTest, Version1FileKeepsEveryRowAndGainsLastingUuids)
{
    std::map<QString, QStringList> before;
    for (const QString& table : kTables)
        before[table] = rows(everyColumnOfVersion1(table));
    ASSERT_EQ(before["tests"].size(), 4);
    ASSERT_EQ(before["answers"].size(), 20);
    ASSERT_EQ(before["book"].size(), 3);

    QStringList uuids;
    {
        SqliteRecordStore store(path(), "我");
        EXPECT_EQ(store.problem(), "");
        EXPECT_EQ(store.tests({}).size(), 4u);
        EXPECT_EQ(store.pupils().size(), 2u);
        EXPECT_EQ(store.currentPupil().name, "Li, \"Ann\"");
        EXPECT_EQ(store.mistakes(store.pupils()[0].id).size(), 2u);
    }
    EXPECT_EQ(rows("PRAGMA user_version"), QStringList{QString::number(kSchemaVersion)});
    for (const QString& table : kTables)
        EXPECT_EQ(rows(everyColumnOfVersion1(table)), before[table]) << table.toStdString();
    EXPECT_TRUE(rows("PRAGMA foreign_key_check").isEmpty());
    EXPECT_EQ(rows("PRAGMA integrity_check"), QStringList{"ok"});
    uuids = rows("SELECT uuid FROM pupils UNION ALL SELECT uuid FROM tests");
    ASSERT_EQ(uuids.size(), 6);
    const QRegularExpression uuid("^[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}$");
    for (const QString& value : uuids)
        EXPECT_TRUE(uuid.match(value).hasMatch()) << value.toStdString();
    EXPECT_EQ(QSet<QString>(uuids.begin(), uuids.end()).size(), 6);

    { SqliteRecordStore again(path(), "我"); }
    EXPECT_EQ(rows("SELECT uuid FROM pupils UNION ALL SELECT uuid FROM tests"), uuids);
}

TEST_F(MigrationTest, FailedMigrationLeavesTheFileAsItWasAndSaysWhy)
{
    // A test whose pupil is missing: the migrated file would not check out.
    // The file keeps a rollback journal, as the first version's did.
    plant({"INSERT INTO tests (id, pupil_id, exercise_id, started) VALUES (99, 77, 1, 0)",
           "PRAGMA journal_mode = DELETE"});
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    {
        SqliteRecordStore store(path(), "我");
        EXPECT_TRUE(store.problem().contains("无法更新")) << store.problem().toStdString();
        EXPECT_EQ(store.tests({}).size(), 4u);  // still shown, as it is
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll() == bytes);
}

} // namespace
