// One prepared statement run through SQLite's own interface: an import
// writes some twenty thousand rows a file and the class's medians read
// hundreds of thousands, where Qt SQL's binding and row cache cost more
// than SQLite's own work. Only for connections of the QSQLITE driver.
#pragma once

#include <QSqlDatabase>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

namespace zorvel::classroom {

class FastStatement {
public:
    // Throws records::SqlFailure when the statement cannot be prepared.
    FastStatement(const QSqlDatabase& db, const QString& sql);
    ~FastStatement();
    FastStatement(const FastStatement&) = delete;
    FastStatement& operator=(const FastStatement&) = delete;

    // Binds the values in order (null, integer, real or text), runs the
    // statement and returns the new row's id; throws records::SqlFailure.
    qint64 run(const QVariantList& values);
    // The rows the last run changed (0 when INSERT OR IGNORE ignored it).
    int changes() const;

    // Reading: binds the values in order (as run does) for the rows next steps through.
    void bind(const QVariantList& values);
    // Reading: steps to the next row (false after the last), and a column of it.
    bool next();
    qint64 integer(int column) const;
    // A column as text (empty for null).
    QString text(int column) const;

private:
    [[noreturn]] void fail(int code) const;

    sqlite3* db_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
};

} // namespace zorvel::classroom
