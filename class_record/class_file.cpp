// Making and opening the class file.
#include "class_record/class_file.h"

#include "records/schema.h"
#include "records/sql_support.h"

#include <QFile>
#include <QFileInfo>

namespace zorvel::classroom {

using records::Failure;
using records::SqlFailure;

namespace {

const char* const kClassTables[] = {
    "CREATE TABLE IF NOT EXISTS class_files (sha256 TEXT PRIMARY KEY, imported INTEGER NOT NULL) WITHOUT ROWID",
    "CREATE TABLE IF NOT EXISTS class_digests (uuid TEXT PRIMARY KEY, digest TEXT NOT NULL) WITHOUT ROWID",
    "CREATE TABLE IF NOT EXISTS class_states (pupil_uuid TEXT PRIMARY KEY, exported INTEGER NOT NULL) WITHOUT ROWID",
    "CREATE TABLE IF NOT EXISTS class_roster (position INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE,"
    " student_number TEXT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS class_conflicts (id INTEGER PRIMARY KEY, test_uuid TEXT NOT NULL,"
    " pupil TEXT NOT NULL, started INTEGER NOT NULL, file TEXT NOT NULL, digest TEXT NOT NULL,"
    " noticed INTEGER NOT NULL, UNIQUE (test_uuid, digest))",
};

// The class's own indexes on the record's tables, made once the record's
// layout is there: the wrong answers, which the common mistakes read.
const char* const kClassIndexes[] = {
    "CREATE INDEX IF NOT EXISTS class_wrong_answers ON answers (question_id) WHERE is_right = 0",
};

// The pages the tables read, kept between the tabs and the refreshes (in KiB).
constexpr int kCacheKiB = 64 * 1024;

// A new empty file only this account may read; an existing one is left alone.
void makePrivateFile(const QString& path)
{
    if (QFileInfo::exists(path))
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw SqlFailure(Failure::CannotOpen, file.errorString());
}

bool isClassFile(const QSqlDatabase& db)
{
    return !records::scalar(db, QStringLiteral("SELECT 1 FROM sqlite_schema WHERE name = 'class_files'")).isNull();
}

bool isEmpty(const QSqlDatabase& db)
{
    return records::scalar(db, QStringLiteral("SELECT count(*) FROM sqlite_schema")).toInt() == 0;
}

} // namespace

QString defaultClassFileName()
{
    return QStringLiteral("班级.zorvel-class");
}

QSqlDatabase openClassFile(const QString& connectionName, const QString& path)
{
    makePrivateFile(path);
    QSqlDatabase db = records::openConnection(connectionName, path, false);
    try {
        if (!isClassFile(db) && !isEmpty(db))
            throw SqlFailure(Failure::Other, QStringLiteral("not a class record"));
        records::Transaction transaction(db);
        for (const char* statement : kClassTables)
            records::run(db, QLatin1String(statement));
        transaction.commit();
        records::migrate(db);
        for (const char* statement : kClassIndexes)
            records::run(db, QLatin1String(statement));
        records::run(db, QStringLiteral("PRAGMA cache_size = -%1").arg(kCacheKiB));
    } catch (...) {
        db = QSqlDatabase();
        records::closeConnection(connectionName);
        throw;
    }
    return db;
}

} // namespace zorvel::classroom
