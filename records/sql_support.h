// Small helpers over Qt SQL shared by the record store and zorvel-records:
// one error check for every statement (a failing statement throws
// SqlFailure), a scoped transaction that rolls back unless committed, the
// opening of a SQLite connection, and what a SQLite error means to a pupil.
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <stdexcept>

struct sqlite3;

namespace zorvel::records {

// Why the database cannot be used, as far as the store needs to know.
// Incomplete: the record could be read only in part; Unsafe: one of its files
// is not what it should be (a planted link) and nothing was opened; for
// both the text says why, in Chinese.
enum class Failure { Corrupt, Locked, ReadOnly, DiskFull, CannotOpen, NewerVersion, MigrationFailed, Incomplete, Unsafe, Other };

class SqlFailure : public std::runtime_error {
public:
    SqlFailure(Failure kind, const QString& what);
    explicit SqlFailure(const QSqlError& error);
    Failure kind() const { return kind_; }
    QString text() const { return QString::fromUtf8(what()); }

private:
    Failure kind_;
};

// A text for a NOT NULL column: a null QString is stored as "".
inline QVariant text(const QString& value)
{
    return value.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(value);
}

// Prepares and runs one statement with positional values; throws on failure.
QSqlQuery run(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});
// The first column of the first row, or a null QVariant when there is no row.
QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});
// The next row of a query: false after the last one, and throws when the
// statement failed on the way (a damaged page, a lock), which QSqlQuery::next()
// alone would report as the end of the rows.
bool nextRow(QSqlQuery& query);

// BEGIN IMMEDIATE at construction; ROLLBACK at destruction unless commit()
// was called. Every write that must be whole runs inside one.
// The connection's own SQLite handle (null when it is not SQLite's).
sqlite3* handleOf(const QSqlDatabase& db);

class Transaction {
public:
    explicit Transaction(const QSqlDatabase& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    QSqlDatabase db_;
    bool nested_ = false;
    bool open_ = true;
};

// Opens a SQLite connection under the given name: foreign keys on, a busy
// timeout, and for a writable connection WAL with synchronous=FULL. A read-only
// connection never creates the file. Throws on failure.
// busyTimeoutMs: how long a statement waits for another connection's lock
// before it fails as Locked (-1: 5 s, or 2 s read-only).
QSqlDatabase openConnection(const QString& connectionName, const QString& path, bool readOnly, int busyTimeoutMs = -1);
// A writable connection whose file keeps its journal mode until
// switchToWal(): a file that a migration will change stays byte for byte as
// it was when the migration fails.
QSqlDatabase openWritableAsItIs(const QString& connectionName, const QString& path, int busyTimeoutMs = -1);
void switchToWal(const QSqlDatabase& db);
// Opens a record that lies in a folder this account cannot write (a copy on
// read-only media): SQLite's immutable mode, without locks or WAL index.
// Only for files that nothing else is writing. Throws on failure.
QSqlDatabase openImmutable(const QString& connectionName, const QString& path);
// Closes and forgets the connection (every query on it must be gone).
void closeConnection(const QString& connectionName);

// One Chinese sentence for the records window.
QString problemText(const SqlFailure& failure, const QString& path);
// One Chinese sentence saying why a read of the record failed (and so showed
// nothing rather than part of it).
QString readProblemText(const SqlFailure& failure);

} // namespace zorvel::records
