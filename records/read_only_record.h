// Reading a record that this program may not or cannot write: zorvel-records
// always, the program when the record's folder cannot be written. A record in
// a folder that cannot be written (a copy on read-only media) holds its newest
// rows in records.db-wal until SQLite copies them into the main file; SQLite's
// immutable mode would ignore them. Such a record is read from a private
// temporary copy of the file and its -wal, removed again when it is closed
// (or, after a kill, by the next read from a copy).
#pragma once

#include <QSqlDatabase>
#include <QString>

#include <memory>

namespace zorvel {
class ScratchFolder;
}

namespace zorvel::records {

class ReadOnlyRecord {
public:
    // Opens the record under the connection name for reading only; never
    // creates or changes the file. Throws SqlFailure when it cannot be read
    // whole (Incomplete: the text names the reason). The layout's version is
    // the caller's to check.
    ReadOnlyRecord(const QString& connectionName, const QString& path, int busyTimeoutMs = -1);
    ~ReadOnlyRecord();
    ReadOnlyRecord(const ReadOnlyRecord&) = delete;
    ReadOnlyRecord& operator=(const ReadOnlyRecord&) = delete;

    QSqlDatabase db() const;
    bool readFromCopy() const { return copy_ != nullptr; }

private:
    void openCopy(const QString& path);

    QString connection_;
    std::unique_ptr<ScratchFolder> copy_;
};

} // namespace zorvel::records
