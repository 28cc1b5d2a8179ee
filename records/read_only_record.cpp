// Opening a record read-only: directly when SQLite can, in immutable mode when
// the folder cannot be written and no -wal holds rows, else from a copy.
#include "records/read_only_record.h"

#include "records/sql_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace zorvel::records {

namespace {

const QFileDevice::Permissions kPrivate = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

SqlFailure noCopy()
{
    return SqlFailure(Failure::Incomplete,
                      QStringLiteral("学习记录最新的部分还在日志文件（-wal）里，记录所在的文件夹不能写入，"
                                     "复制到临时文件夹也没有成功，所以不读出不完整的记录。"));
}

// Copies a file into the private folder, readable by this account only.
void copyPrivately(const QString& from, const QString& to)
{
    if (!QFile::copy(from, to) || !QFile::setPermissions(to, kPrivate))
        throw noCopy();
}

// SQLite opens the file at the first statement: this one.
void touch(const QSqlDatabase& db)
{
    scalar(db, QStringLiteral("PRAGMA user_version"));
}

} // namespace

ReadOnlyRecord::ReadOnlyRecord(const QString& connectionName, const QString& path, int busyTimeoutMs)
    : connection_(connectionName)
{
    try {
        touch(openConnection(connection_, path, true, busyTimeoutMs));
        return;
    } catch (const SqlFailure& failure) {
        closeConnection(connection_);
        // SQLite cannot make its WAL index beside the file: the folder cannot
        // be written. Anything else is a real failure.
        if (failure.kind() != Failure::CannotOpen && failure.kind() != Failure::ReadOnly)
            throw;
    }
    try {
        if (QFileInfo(path + QStringLiteral("-wal")).size() > 0)
            openCopy(path);
        else
            touch(openImmutable(connection_, path));
    } catch (const SqlFailure&) {
        closeConnection(connection_);
        copy_.reset();
        throw;
    }
}

ReadOnlyRecord::~ReadOnlyRecord()
{
    closeConnection(connection_);
}

QSqlDatabase ReadOnlyRecord::db() const
{
    return QSqlDatabase::database(connection_, false);
}

// QTemporaryDir makes its folder 0700; the copies are 0600 whatever the umask.
// The -shm is not copied: SQLite rebuilds it from the -wal.
void ReadOnlyRecord::openCopy(const QString& path)
{
    copy_ = std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("zorvel-record-XXXXXX")));
    if (!copy_->isValid())
        throw noCopy();
    const QString copied = copy_->filePath(QStringLiteral("records.db"));
    copyPrivately(path, copied);
    copyPrivately(path + QStringLiteral("-wal"), copied + QStringLiteral("-wal"));
    touch(openConnection(connection_, copied, true, 0));
}

} // namespace zorvel::records
