// The database layout of the pupils' record and its migrations. The layout's
// version is SQLite's user_version; every migration step runs in one
// transaction, so a file is always at one whole version.
#pragma once

#include <QSqlDatabase>

namespace zorvel::records {

inline constexpr int kSchemaVersion = 7;

// Brings the file up to kSchemaVersion (an older version only for the tests
// and benchmarks of the migrations). Throws SqlFailure: NewerVersion for a
// file from a newer program, MigrationFailed when a step fails on this file
// (which is then left exactly as it was).
void migrate(const QSqlDatabase& db, int toVersion = kSchemaVersion);

// Throws SqlFailure unless the file holds a record of a version this program
// reads (for read-only use, which never migrates). Every older version is
// read as it is: the reads use only what version 1 already had.
void checkReadable(const QSqlDatabase& db);

} // namespace zorvel::records
