// The files of one record on disk: the database, its -wal, -shm and -journal,
// the copies moved aside after damage (records.db.broken-*) and the folder of
// session locks. All of them are private to the account.
#pragma once

#include <QString>

#include <functional>

namespace zorvel::records {

// Makes the record's folder (only this account may enter it) and an empty
// record file (only this account may read it) when they are missing, and
// closes every file of the record made by an earlier version to others.
// SQLite gives -wal, -shm and -journal the record file's own permissions.
// false: the folder cannot be made.
bool makeRecordFilesPrivate(const QString& path);

// The name with which the private temporary folders of records read from a
// copy begin (a scratch folder of platform/handed_over_files.h each).
inline const QString kRecordCopyPrefix = QStringLiteral("zorvel-record-");

// Throws SqlFailure (Unsafe, with a Chinese sentence naming it) when the
// record's folder or any of its files and folders (the record, -wal, -shm,
// -journal, .check, .sessions, .mending) is a symbolic link, which would
// make SQLite or the store write, truncate or delete whatever it points to.
void refuseLinkedRecordFiles(const QString& path);

// The folder of the lock files that tell which copies of the program are
// using the record now.
QString sessionFolder(const QString& path);

using RenameFunction = std::function<bool(const QString& from, const QString& to)>;
bool renameFile(const QString& from, const QString& to);

// Called after each step of a replacement of the record; the tests stop the
// process there (by throwing) to check that every step can be resumed.
using StepHook = std::function<void()>;

// Moves the record and its -wal and -shm together to
// records.db.broken-STAMP (-wal, -shm): either all of them are moved, or,
// when one cannot be, none (those already moved are moved back). Returns the
// new name of the record file, or empty.
QString moveRecordAside(const QString& path, const QString& stamp, const RenameFunction& rename = renameFile,
                        const StepHook& step = {});

// A replacement of the record (moved aside, and its salvaged copy
// records.db.mending put in its place when withCopy) is written down in a
// journal beside it before the first file moves, so that a process stopped
// half way is finished by the next start (finishReplacement). Returns the
// new name of the record file, or empty when nothing was moved.
QString replaceRecord(const QString& path, const QString& stamp, bool withCopy,
                      const RenameFunction& rename = renameFile, const StepHook& step = {});

// Finishes a replacement that a stopped process left half done; the new
// name of the record moved aside, or empty when none was pending.
QString finishReplacement(const QString& path, const RenameFunction& rename = renameFile);

} // namespace zorvel::records
