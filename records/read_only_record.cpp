// Opening a record read-only: directly when SQLite can, in immutable mode when
// the folder cannot be written and no -wal holds rows, else from a copy.
#include "records/read_only_record.h"

#include "records/record_files.h"
#include "records/sql_support.h"
#include "platform/handed_over_files.h"

#include <QFileInfo>

namespace zorvel::records {

namespace {

SqlFailure noCopy()
{
    return SqlFailure(Failure::Incomplete,
                      QStringLiteral("学习记录最新的部分还在日志文件（-wal）里，记录所在的文件夹不能写入，"
                                     "复制到临时文件夹也没有成功，所以不读出不完整的记录。"));
}

// Copies a file into the private folder, readable by this account only.
void copyPrivately(const QString& from, const QString& to)
{
    if (zorvel::copyHandedOverFile(from, to) != zorvel::HandedOverCopy::Copied)
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

// The folder is 0700, the copies 0600 whatever the umask; the copies of a
// run that was killed are removed here. The -shm is not copied: SQLite
// rebuilds it from the -wal.
void ReadOnlyRecord::openCopy(const QString& path)
{
    zorvel::ScratchFolder::removeAbandoned(kRecordCopyPrefix);
    copy_ = std::make_unique<zorvel::ScratchFolder>(kRecordCopyPrefix);
    if (!copy_->isValid())
        throw noCopy();
    const QString copied = copy_->filePath(QStringLiteral("records.db"));
    copyPrivately(path, copied);
    copyPrivately(path + QStringLiteral("-wal"), copied + QStringLiteral("-wal"));
    touch(openConnection(connection_, copied, true, 0));
}

} // namespace zorvel::records
