// Imports into the class record: hostile or malformed files refused with the
// class file unchanged, the same file twice changing nothing, a known test
// with other content kept aside as a conflict, and a pupil's export.
#include "class_record/class_file.h"
#include "class_record/class_import.h"
#include "class_record/pupil_export.h"
#include "class_record/untrusted_pupil_file.h"
#include "records/schema.h"
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"
#include "tests/class_record/pupil_files.h"
#include "tests/records/planted_records.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace zorvel;
using namespace zorvel::classroom;
using namespace zorvel::classroom::testing;

namespace {

const QDateTime kMonday(QDate(2026, 9, 7), QTime(9, 0));
const QString kXiaoming = QStringLiteral("3f1c2b1a-0000-4000-8000-000000000001");
const QString kTestA = QStringLiteral("aaaaaaaa-0000-4000-8000-000000000001");

// Opens the file as it is, read-only (the untrusted opener's own checks are its tests').
void readPlainly(const QString& path, const std::function<void(const QSqlDatabase&)>& use)
{
    {
        const QSqlDatabase db = records::openConnection(QStringLiteral("plain"), path, true);
        use(db);
    }
    records::closeConnection(QStringLiteral("plain"));
}

PlannedPupil xiaoming()
{
    PlannedTest test{kTestA, kMonday, QStringLiteral("mul"), QStringLiteral("normal"),
                     {question("7", "8", "56", false, 4000, "54"), question("6", "7", "42")}, std::nullopt};
    return {QStringLiteral("小明"), kXiaoming, {test}, {{2 * 81 + 6 * 9 + 7, false, 3000, 2461300}}, kMonday};
}

class ClassImportTest : public ::testing::Test {
protected:
    void SetUp() override { db = openClassFile(QStringLiteral("class"), dir.filePath(QStringLiteral("班级.zorvel-class"))); }
    void TearDown() override
    {
        db = QSqlDatabase();
        records::closeConnection(QStringLiteral("class"));
    }
    QString file(const QString& name) const { return dir.filePath(name); }
    ImportResult import(const QString& path) { return importFile(db, path, readPlainly, kMonday.addDays(1)); }
    // Every row of every table of the class file but the hashes of the files imported.
    QStringList contents() const
    {
        QStringList rows;
        QSqlQuery tables = records::run(db, QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' AND name != 'class_files' ORDER BY name"));
        while (records::nextRow(tables)) {
            QSqlQuery all = records::run(db, QStringLiteral("SELECT * FROM ") + tables.value(0).toString());
            while (records::nextRow(all)) {
                QStringList fields{tables.value(0).toString()};
                for (int c = 0; c < all.record().count(); ++c)
                    fields << all.value(c).toString();
                rows << fields.join(QLatin1Char('|'));
            }
        }
        rows.sort();
        return rows;
    }

    QTemporaryDir dir;
    QSqlDatabase db;
};

// Each planted file is refused whole, naming why, and leaves the class as it was.
TEST_F(ClassImportTest, MalformedFilesAreRefusedAndChangeNothing)
{
    writePupilFile(file("小明.zorvel"), xiaoming());
    ASSERT_EQ(import(file("小明.zorvel")).status, ImportResult::Status::Imported);
    const QStringList before = contents();
    const struct {
        const char* name;
        const char* sql;
        const char* reason;
    } rows[] = {
        {"text for a time", "UPDATE answers SET ms = 'slow'", "ms"},
        {"a malformed UUID", "UPDATE tests SET uuid = 'x'", "UUID"},
        {"a fact beyond the tables", "UPDATE fact_answers SET fact = 4000", "fact"},
        {"an unknown ending", "UPDATE tests SET ended = 'exploded'", "ended"},
        {"a blob for a name", "UPDATE pupils SET name = x'00ff'", "name"},
        {"a newer layout", "PRAGMA user_version = 99", "更新版本"},
        {"an older layout without UUIDs", "PRAGMA user_version = 1", "版本太旧"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PlannedPupil pupil = xiaoming();
        pupil.tests[0].uuid = QStringLiteral("bbbbbbbb-0000-4000-8000-000000000002");
        pupil.uuid = QStringLiteral("3f1c2b1a-0000-4000-8000-000000000099");
        writePupilFile(file("bad.zorvel"), pupil);
        records::run(records::openConnection(QStringLiteral("plant"), file("bad.zorvel"), false), QLatin1String(row.sql));
        records::closeConnection(QStringLiteral("plant"));
        const ImportResult result = import(file("bad.zorvel"));
        EXPECT_EQ(result.status, ImportResult::Status::Refused);
        EXPECT_TRUE(result.reason.contains(QString::fromUtf8(row.reason))) << result.reason.toStdString();
        EXPECT_EQ(contents(), before);
    }
}

// Files planted as an attacker or a broken disk might leave them, each read
// through the program's untrusted opener: refused, and the class as it was.
TEST_F(ClassImportTest, HostileFilesAreRefusedAndChangeNothing)
{
    writePupilFile(file("小明.zorvel"), xiaoming());
    ASSERT_EQ(importFile(db, file("小明.zorvel"), readUntrustedPupilFile).status, ImportResult::Status::Imported);
    const QStringList before = contents();
    const auto withStatement = [this](const char* sql) {
        return [this, sql](const QString& path) {
            PlannedPupil pupil = xiaoming();
            pupil.uuid = QStringLiteral("3f1c2b1a-0000-4000-8000-000000000077");
            pupil.tests[0].uuid = QStringLiteral("cccccccc-0000-4000-8000-000000000003");
            writePupilFile(path, pupil);
            records::run(records::openConnection(QStringLiteral("plant"), path, false), QLatin1String(sql));
            records::closeConnection(QStringLiteral("plant"));
        };
    };
    const struct {
        const char* name;
        std::function<void(const QString&)> plant;
    } rows[] = {
        {"not SQLite", [](const QString& path) { QFile f(path); f.open(QIODevice::WriteOnly); f.write("SQLite format 3?"); }},
        {"a FIFO", [](const QString& path) { ::mkfifo(QFile::encodeName(path).constData(), 0600); }},
        {"a trigger", withStatement("CREATE TRIGGER t AFTER INSERT ON pupils BEGIN DELETE FROM tests; END")},
        {"a view", withStatement("CREATE VIEW v AS SELECT * FROM pupils")},
        {"an extra table", withStatement("CREATE TABLE loot (x)")},
        {"a damaged index page", [](const QString& path) {
             records::planted::makeRecord(path, 150);
             records::planted::damageIndex(path, QStringLiteral("tests_by_pupil"));
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = file(QStringLiteral("hostile-%1.zorvel").arg(QLatin1String(row.name)));
        row.plant(path);
        const ImportResult result = importFile(db, path, readUntrustedPupilFile);
        EXPECT_EQ(result.status, ImportResult::Status::Refused);
        EXPECT_FALSE(result.reason.isEmpty());
        EXPECT_EQ(contents(), before);
    }
}

TEST_F(ClassImportTest, ImportingAgainChangesNothingAndANewExportAddsOnlyItsNewTests)
{
    writePupilFile(file("小明.zorvel"), xiaoming());
    EXPECT_EQ(import(file("小明.zorvel")).newTests, 1);
    const QStringList once = contents();
    EXPECT_EQ(import(file("小明.zorvel")).status, ImportResult::Status::AlreadyImported);
    EXPECT_EQ(contents(), once);

    PlannedPupil later = xiaoming();
    later.exported = kMonday.addDays(7);
    later.tests.push_back({{}, kMonday.addDays(6), QStringLiteral("add"), QStringLiteral("normal"), {question("3", "4", "7")}, {}});
    writePupilFile(file("小明 后来.zorvel"), later);
    const ImportResult result = import(file("小明 后来.zorvel"));
    EXPECT_EQ(result.status, ImportResult::Status::Imported);
    EXPECT_EQ(result.newTests, 1);
    EXPECT_EQ(records::scalar(db, QStringLiteral("SELECT count(*) FROM tests")).toInt(), 2);
    EXPECT_EQ(records::scalar(db, QStringLiteral("SELECT count(*) FROM answers")).toInt(), 3);
    // An older export: its pupil's book and facts stay those of the newer one.
    const QStringList newest = contents();
    PlannedPupil earlier = xiaoming();
    earlier.exported = kMonday.addSecs(-3600);
    writePupilFile(file("小明 更早.zorvel"), earlier);
    EXPECT_EQ(import(file("小明 更早.zorvel")).status, ImportResult::Status::AlreadyImported);
    EXPECT_EQ(contents(), newest);
}

TEST_F(ClassImportTest, AKnownTestWithOtherContentIsKeptAsideNotMerged)
{
    writePupilFile(file("小明.zorvel"), xiaoming());
    import(file("小明.zorvel"));
    const QStringList tests = records::planted::rowsOf(file("班级.zorvel-class"), "SELECT * FROM answers");

    PlannedPupil changed = xiaoming();
    changed.exported = kMonday.addDays(2);
    changed.tests[0].questions[0] = question("7", "8", "56");
    writePupilFile(file("小明 改过.zorvel"), changed);
    for (int time = 0; time < 2; ++time) {
        const ImportResult result = import(file("小明 改过.zorvel"));
        EXPECT_EQ(result.newTests, 0);
        EXPECT_EQ(result.newConflicts, time == 0 ? 1 : 0);
    }
    EXPECT_EQ(records::planted::rowsOf(file("班级.zorvel-class"), "SELECT * FROM answers"), tests);
    EXPECT_EQ(records::planted::rowsOf(file("班级.zorvel-class"), "SELECT test_uuid, pupil, file FROM class_conflicts"),
              QStringList{kTestA + QStringLiteral("|小明|小明 改过.zorvel")});
}

// Two pupils of one computer: the export holds one of them, whole, private to the account.
TEST(PupilExportTest, WritesOnePupilWholeAndReplacesAnOldFileOnlyWhenDone)
{
    QTemporaryDir dir;
    const QString record = dir.filePath(QStringLiteral("records.db"));
    {
        records::SqliteRecordStore store(record, QStringLiteral("小明"));
        const records::Exercise mul{"Form84", "mul", "normal", "Option3", "1位 × 1位", "integer"};
        for (const QString& name : {QStringLiteral("小明"), QStringLiteral("小红")}) {
            if (name == QStringLiteral("小红"))
                store.setCurrentPupil(store.addPupil(name)->id);
            const records::TestId test = store.beginTest(mul, kMonday, false);
            store.recordQuestion(test, 1, {{"7", "8", ""}, "56"});
            store.recordAnswer(test, 1, "56", true, 900);
            store.endTest(test, records::TestEnd::Finished, "0:05.00");
            store.recordAnswer({5, true, 900, 2461300, facts::Speed::Standard});
        }
        store.flush();
    }
    const QString out = dir.filePath(QStringLiteral("小红.zorvel"));
    QFile::copy(record, out);   // an older export in the way
    const QSqlDatabase source = records::openConnection(QStringLiteral("source"), record, true);
    ASSERT_EQ(exportPupil(source, 2, out, kMonday), QString());
    EXPECT_EQ(QFile::permissions(out) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther), 0);
    EXPECT_EQ(records::planted::rowsOf(out, "SELECT name FROM pupils"), QStringList{"小红"});
    EXPECT_EQ(records::planted::rowsOf(out, "SELECT count(*) FROM answers"), QStringList{"1"});
    // The fact answer, and the first answer to 7 × 8 in the test, kept for the boxes.
    EXPECT_EQ(records::planted::rowsOf(out, "SELECT count(*), min(pupil_id) FROM fact_answers"), QStringList{"2|2"});
    EXPECT_EQ(records::planted::rowsOf(out, "PRAGMA user_version"), QStringList{QString::number(records::kSchemaVersion)});
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("-wal")));

    // A folder it cannot write: the old file stays as it was.
    const QString locked = dir.filePath(QStringLiteral("只读"));
    QDir().mkdir(locked);
    QFile::copy(out, locked + QStringLiteral("/小红.zorvel"));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    if (::access(QFile::encodeName(locked).constData(), W_OK) != 0) {
        EXPECT_NE(exportPupil(source, 1, locked + QStringLiteral("/小红.zorvel"), kMonday), QString());
    }
    EXPECT_EQ(records::planted::rowsOf(locked + QStringLiteral("/小红.zorvel"), "SELECT name FROM pupils"), QStringList{"小红"});
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
