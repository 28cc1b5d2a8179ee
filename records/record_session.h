// The running copy of the program in the record. Every copy that writes the
// record holds a lock file of its own, named by a random session id, and
// marks its tests with that id; a test left running is marked interrupted
// only once the lock of the copy that wrote it has gone (the copy ended or
// crashed). Two copies (a second start, or two computers sharing a home
// folder) thus record side by side without touching each other's tests.
#pragma once

#include "platform/private_files.h"

#include <QSqlDatabase>
#include <QString>

namespace zorvel::records {

class RecordSession {
public:
    explicit RecordSession(const QString& recordPath);
    RecordSession(const RecordSession&) = delete;
    RecordSession& operator=(const RecordSession&) = delete;

    const QString& id() const { return id_; }
    // Takes this copy's lock (false: the lock file cannot be made; the copy
    // still records, and its tests are closed only by its own end).
    bool begin();
    // Marks interrupted the running tests of every copy that is gone, and
    // forgets their lock files.
    void closeTestsOfEndedCopies(const QSqlDatabase& db);
    // Whether another running copy holds the record now (its lock is held).
    bool othersRunning() const;
    // Marks this copy's running tests interrupted (as it closes).
    void closeOwnTests(const QSqlDatabase& db);
    // Lets this copy's lock go: its tests still running are then closed by
    // the next copy that opens the record.
    void release();

private:
    QString lockPath(const QString& session) const;

    QString folder_;
    QString id_;
    FileLock lock_;
};

} // namespace zorvel::records
