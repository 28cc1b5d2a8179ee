// A pupil's record file that came from elsewhere (handed over on a USB key,
// named to zorvel-records with --database, imported by the class view),
// read as untrusted input: never the file itself but a private copy, opened
// read-only with SQLite's defences, and refused unless it is whole and laid
// out exactly as one of this program's record versions.
//
//   UntrustedRecord record(QStringLiteral("import-1"), path);   // throws UntrustedRecordRefused
//   RecordReader reader(record.db());                           // or:
//   QSqlQuery rows = record.readTable(QStringLiteral("pupils"), {QStringLiteral("uuid"), QStringLiteral("name")});
//
// Refused, with a Chinese reason: a missing file, a folder, a FIFO or device,
// a symbolic link to another account's file, a file that is not SQLite, a
// damaged file (quick_check), a layout this program does not know or a newer
// one, and any table, index, view or trigger that is not the record's own.
// On the copy: defensive mode, untrusted schema, no views or triggers run,
// cell size checks, no memory map, low SQLITE_LIMIT_*s, and every statement
// stopped after the query time limit (5 s). Once it is open the schema is
// known to be ours, so the record's own statements (RecordReader) read only
// its tables.
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>
#include <stdexcept>

namespace zorvel::records {

class UntrustedRecordRefused : public std::runtime_error {
public:
    explicit UntrustedRecordRefused(const QString& reason);
    // Why the file was not read, in one Chinese phrase.
    QString reason() const { return QString::fromUtf8(what()); }
};

class UntrustedRecord {
public:
    static constexpr std::chrono::milliseconds kQueryTimeLimit{5000};

    // Copies and opens the file under the connection name; throws
    // UntrustedRecordRefused. Copies left by processes that ended are
    // removed first.
    UntrustedRecord(const QString& connectionName, const QString& path,
                    std::chrono::milliseconds queryTimeLimit = kQueryTimeLimit);
    ~UntrustedRecord();
    UntrustedRecord(const UntrustedRecord&) = delete;
    UntrustedRecord& operator=(const UntrustedRecord&) = delete;

    // The read-only connection to the private copy. A statement that runs
    // past the time limit fails (SqlFailure).
    QSqlDatabase db() const;
    // The record's layout version (SQLite's user_version).
    int layout() const { return layout_; }
    // The given columns of one of the record's own tables, in the file's order;
    // throws SqlFailure for a table or column the layout does not have.
    QSqlQuery readTable(const QString& table, const QStringList& columns) const;

private:
    struct Copy;
    // Opens the copy; the reason it is refused, or nothing.
    QString open(const QString& copiedPath);

    QString connection_;
    std::unique_ptr<Copy> copy_;
    int layout_ = 0;
};

} // namespace zorvel::records
