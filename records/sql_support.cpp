// The SQL helpers: statements, transactions, connections and error meaning.
#include "records/sql_support.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QUrl>

#include <sqlite3.h>

namespace zorvel::records {

namespace {

// SQLite's primary result codes that the store tells apart.
enum SqliteCode { Busy = 5, Locked = 6, ReadOnly = 8, IoError = 10, Corrupt = 11, Full = 13, CantOpen = 14, NotADb = 26 };

Failure failureOf(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    if (!ok)
        return Failure::Other;
    switch (code) {
    case Corrupt:
    case NotADb:
        return Failure::Corrupt;
    case Busy:
    case Locked:
        return Failure::Locked;
    case ReadOnly:
        return Failure::ReadOnly;
    case Full:
        return Failure::DiskFull;
    case CantOpen:
        return Failure::CannotOpen;
    default:
        return Failure::Other;
    }
}

} // namespace

SqlFailure::SqlFailure(Failure kind, const QString& what)
    : std::runtime_error(what.toStdString()), kind_(kind)
{
}

SqlFailure::SqlFailure(const QSqlError& error)
    : SqlFailure(failureOf(error), error.text())
{
}

QSqlQuery run(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw SqlFailure(query.lastError());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw SqlFailure(query.lastError());
    return query;
}

QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query = run(db, sql, values);
    return nextRow(query) ? query.value(0) : QVariant();
}

bool nextRow(QSqlQuery& query)
{
    if (query.next())
        return true;
    if (query.lastError().isValid())
        throw SqlFailure(query.lastError());
    return false;
}

sqlite3* handleOf(const QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

// Inside another transaction (a journal replayed in one) a savepoint.
Transaction::Transaction(const QSqlDatabase& db)
    : db_(db)
{
    sqlite3* handle = handleOf(db_);
    nested_ = handle && sqlite3_get_autocommit(handle) == 0;
    run(db_, nested_ ? QStringLiteral("SAVEPOINT nested") : QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (open_) {
        QSqlQuery rollback(db_);
        rollback.exec(nested_ ? QStringLiteral("ROLLBACK TO nested") : QStringLiteral("ROLLBACK"));
        if (nested_)
            rollback.exec(QStringLiteral("RELEASE nested"));
    }
}

void Transaction::commit()
{
    run(db_, nested_ ? QStringLiteral("RELEASE nested") : QStringLiteral("COMMIT"));
    open_ = false;
}

namespace {

QSqlDatabase openAsItIs(const QString& connectionName, const QString& path, bool readOnly, int busyTimeoutMs)
{
    const int busyTimeout = busyTimeoutMs >= 0 ? busyTimeoutMs : readOnly ? 2000 : 5000;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    if (!db.isValid())
        throw SqlFailure(Failure::CannotOpen, QStringLiteral("the SQLite driver of Qt SQL is not installed"));
    db.setDatabaseName(path);
    db.setConnectOptions((readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;") : QString())
                         + QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout));
    if (!db.open())
        throw SqlFailure(db.lastError());
    run(db, QStringLiteral("PRAGMA foreign_keys = ON"));
    return db;
}

} // namespace

QSqlDatabase openConnection(const QString& connectionName, const QString& path, bool readOnly, int busyTimeoutMs)
{
    QSqlDatabase db = openAsItIs(connectionName, path, readOnly, busyTimeoutMs);
    if (!readOnly)
        switchToWal(db);
    return db;
}

QSqlDatabase openWritableAsItIs(const QString& connectionName, const QString& path, int busyTimeoutMs)
{
    return openAsItIs(connectionName, path, false, busyTimeoutMs);
}

// WAL lets the records window read beside the writer. FULL makes every
// commit sync the log to disk, so a checked answer survives a power cut too;
// NORMAL would only survive a crash of the program. The writer runs on its
// own thread, so the sync never holds up a drill.
void switchToWal(const QSqlDatabase& db)
{
    const QString mode = scalar(db, QStringLiteral("PRAGMA journal_mode = WAL")).toString();
    if (mode.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        throw SqlFailure(Failure::ReadOnly, QStringLiteral("cannot switch to WAL: %1").arg(mode));
    run(db, QStringLiteral("PRAGMA synchronous = FULL"));
}

QSqlDatabase openImmutable(const QString& connectionName, const QString& path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    if (!db.isValid())
        throw SqlFailure(Failure::CannotOpen, QStringLiteral("the SQLite driver of Qt SQL is not installed"));
    QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    uri.setQuery(QStringLiteral("immutable=1"));
    db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY"));
    if (!db.open())
        throw SqlFailure(db.lastError());
    return db;
}

void closeConnection(const QString& connectionName)
{
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

QString problemText(const SqlFailure& failure, const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    switch (failure.kind()) {
    case Failure::Locked:
        return QStringLiteral("学习记录文件正被另一个程序占用，请稍后再试。");
    case Failure::ReadOnly:
    case Failure::CannotOpen:
        return QStringLiteral("无法写入学习记录文件夹“%1”，这次的练习不会被记录。").arg(folder);
    case Failure::DiskFull:
        return QStringLiteral("磁盘已满，学习记录无法保存，这次的练习不会被记录。");
    case Failure::NewerVersion:
        return QStringLiteral("学习记录文件是由更新版本的程序建立的，这次的练习不会被记录。");
    case Failure::Corrupt:
        return QStringLiteral("学习记录文件已损坏，这次的练习不会被记录。");
    case Failure::MigrationFailed:
        return QStringLiteral("学习记录文件无法更新为这个版本的格式，文件保持原样；以前的记录仍可查看，"
                              "这次的练习不会被记录。");
    case Failure::Incomplete:
    case Failure::Unsafe:
        return failure.text();
    case Failure::Other:
        break;
    }
    return QStringLiteral("学习记录无法保存，这次的练习不会被记录。");
}

QString readProblemText(const SqlFailure& failure)
{
    switch (failure.kind()) {
    case Failure::Corrupt:
        return QStringLiteral("学习记录文件有损坏，有一部分记录没能读出，这里只显示能完整读出的部分。");
    case Failure::Locked:
        return QStringLiteral("学习记录文件正被另一个程序占用，暂时读不出来，请稍后再打开。");
    case Failure::Incomplete:
    case Failure::Unsafe:
        return failure.text();
    case Failure::DiskFull:
    case Failure::ReadOnly:
    case Failure::CannotOpen:
    case Failure::NewerVersion:
    case Failure::MigrationFailed:
    case Failure::Other:
        break;
    }
    return QStringLiteral("学习记录有一部分没能读出，这里只显示能完整读出的部分。");
}

} // namespace zorvel::records
