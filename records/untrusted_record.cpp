// Opening a handed-over record: the private copy, SQLite's defences on the
// connection's own handle, the whole-file check and the layout check.
#include "records/untrusted_record.h"

#include "records/record_layouts.h"
#include "records/record_files.h"
#include "records/sql_support.h"
#include "platform/handed_over_files.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlDriver>

#include <sqlite3.h>

namespace zorvel::records {

namespace {

// Far above what a record's rows and the program's statements need, far
// below what a hostile file would need to take the memory or the time.
const std::pair<int, int> kLimits[] = {
    {SQLITE_LIMIT_LENGTH, 1000000},         {SQLITE_LIMIT_SQL_LENGTH, 100000},
    {SQLITE_LIMIT_COLUMN, 100},             {SQLITE_LIMIT_EXPR_DEPTH, 100},
    {SQLITE_LIMIT_COMPOUND_SELECT, 3},      {SQLITE_LIMIT_VDBE_OP, 25000},
    {SQLITE_LIMIT_FUNCTION_ARG, 8},         {SQLITE_LIMIT_ATTACHED, 0},
    {SQLITE_LIMIT_LIKE_PATTERN_LENGTH, 50}, {SQLITE_LIMIT_VARIABLE_NUMBER, 100},
    {SQLITE_LIMIT_TRIGGER_DEPTH, 1},
};

QString copyProblem(HandedOverCopy outcome)
{
    switch (outcome) {
    case HandedOverCopy::Missing:
        return QStringLiteral("没有这个文件");
    case HandedOverCopy::NotRegular:
        return QStringLiteral("这不是一个普通文件");
    case HandedOverCopy::Fifo:
        return QStringLiteral("这是一个管道（FIFO），不是文件");
    case HandedOverCopy::ForeignLink:
        return QStringLiteral("这是指向别的用户的文件的链接");
    case HandedOverCopy::Failed:
    case HandedOverCopy::Copied:
        break;
    }
    return QStringLiteral("文件读不出来，或者没能复制到临时文件夹");
}

bool isSqliteFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}


} // namespace

// The private folder with the copy, and the clock every statement on it
// runs against: a statement's start (traced) and the progress handler's
// check against its deadline.
struct UntrustedRecord::Copy {
    ScratchFolder folder{kRecordCopyPrefix};
    std::chrono::milliseconds limit;
    std::chrono::steady_clock::time_point started;

    static int onTrace(unsigned, void* self, void*, void*)
    {
        static_cast<Copy*>(self)->started = std::chrono::steady_clock::now();
        return 0;
    }
    static int onProgress(void* self)
    {
        const Copy* copy = static_cast<const Copy*>(self);
        return std::chrono::steady_clock::now() - copy->started > copy->limit ? 1 : 0;
    }
    void defend(sqlite3* handle)
    {
        sqlite3_db_config(handle, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
        sqlite3_db_config(handle, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
        sqlite3_db_config(handle, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
        sqlite3_db_config(handle, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
        sqlite3_db_config(handle, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
        for (const auto& [limit, value] : kLimits)
            sqlite3_limit(handle, limit, value);
        started = std::chrono::steady_clock::now();
        sqlite3_trace_v2(handle, SQLITE_TRACE_STMT, &Copy::onTrace, this);
        sqlite3_progress_handler(handle, 1000, &Copy::onProgress, this);
    }
};

UntrustedRecordRefused::UntrustedRecordRefused(const QString& reason)
    : std::runtime_error(reason.toStdString())
{
}

UntrustedRecord::UntrustedRecord(const QString& connectionName, const QString& path,
                                 std::chrono::milliseconds queryTimeLimit)
    : connection_(connectionName)
{
    ScratchFolder::removeAbandoned(kRecordCopyPrefix);
    copy_ = std::make_unique<Copy>();
    copy_->limit = queryTimeLimit;
    if (!copy_->folder.isValid())
        throw UntrustedRecordRefused(copyProblem(HandedOverCopy::Failed));
    const QString copied = copy_->folder.filePath(QStringLiteral("record.db"));
    const HandedOverCopy outcome = copyHandedOverFile(path, copied);
    if (outcome != HandedOverCopy::Copied)
        throw UntrustedRecordRefused(copyProblem(outcome));
    if (!isSqliteFile(copied))
        throw UntrustedRecordRefused(QStringLiteral("这不是学习记录文件（不是 SQLite 数据库）"));
    // The newest rows of a record still in use are in its -wal; SQLite
    // checks every frame of it before it reads one.
    copyHandedOverFile(path + QStringLiteral("-wal"), copied + QStringLiteral("-wal"));
    QString problem;
    try {
        problem = open(copied);
    } catch (const SqlFailure& failure) {
        problem = failure.kind() == Failure::Corrupt ? QStringLiteral("文件有损坏，或者不是学习记录文件")
                                                     : QStringLiteral("文件读不出来，或者读的时间太长");
    }
    if (!problem.isEmpty()) {
        closeConnection(connection_);
        throw UntrustedRecordRefused(problem);
    }
}

QString UntrustedRecord::open(const QString& copiedPath)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(copiedPath);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open())
        throw SqlFailure(db.lastError());
    sqlite3* handle = handleOf(db);
    if (!handle)
        throw SqlFailure(Failure::CannotOpen, QStringLiteral("no SQLite handle"));
    copy_->defend(handle);
    run(db, QStringLiteral("PRAGMA cell_size_check = ON"));
    run(db, QStringLiteral("PRAGMA mmap_size = 0"));
    const QString mismatch = layoutMismatch(db);
    if (!mismatch.isEmpty())
        return mismatch;
    if (scalar(db, QStringLiteral("PRAGMA quick_check(1)")).toString() != QLatin1String("ok"))
        return QStringLiteral("文件有损坏");
    layout_ = scalar(db, QStringLiteral("PRAGMA user_version")).toInt();
    return {};
}

UntrustedRecord::~UntrustedRecord()
{
    closeConnection(connection_);
}

QSqlDatabase UntrustedRecord::db() const
{
    return QSqlDatabase::database(connection_, false);
}

QSqlQuery UntrustedRecord::readTable(const QString& table, const QStringList& columns) const
{
    static const QRegularExpression name(QStringLiteral("^[a-z_]+$"));
    bool named = layoutTables(layout_).contains(table) && !columns.isEmpty();
    for (const QString& column : columns)
        named = named && name.match(column).hasMatch();
    if (!named)
        throw SqlFailure(Failure::Other, QStringLiteral("not a column of the record: %1").arg(columns.join(QLatin1Char(','))));
    return run(db(), QStringLiteral("SELECT %1 FROM main.%2").arg(columns.join(QStringLiteral(", ")), table));
}

} // namespace zorvel::records
