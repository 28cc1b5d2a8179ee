// The rescue: REINDEX in place, else a table-by-table copy, else the record
// moved aside whole.
#include "records/record_rescue.h"

#include "platform/private_files.h"
#include "records/record_files.h"
#include "records/sql_support.h"

#include <QFile>
#include <QFileInfo>

namespace zorvel::records {

namespace {

bool checksOut(const QSqlDatabase& db)
{
    return scalar(db, QStringLiteral("PRAGMA integrity_check")).toString() == QLatin1String("ok");
}

bool reindexed(const QString& path, const QString& connectionName)
{
    bool whole = false;
    try {
        const QSqlDatabase db = openConnection(connectionName, path, false);
        run(db, QStringLiteral("REINDEX"));
        whole = checksOut(db);
    } catch (const SqlFailure&) {
        whole = false;
    }
    closeConnection(connectionName);
    return whole;
}

// The statements that make the record's tables (first) and indexes.
QStringList layoutOf(const QSqlDatabase& db, const QString& type)
{
    QStringList statements;
    QSqlQuery query = run(db, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = ? AND sql IS NOT NULL"
                                             " AND name NOT LIKE 'sqlite%' ORDER BY rowid"),
                          {type});
    while (nextRow(query))
        statements << query.value(0).toString();
    return statements;
}

// Copies every row of every table into a new file at copy, reading the
// tables only (never the indexes); throws when a table cannot be read.
void copyTables(const QString& path, const QString& copy, const QString& connectionName)
{
    const QString target = connectionName + QStringLiteral("-copy");
    QFile::remove(copy);
    makePrivateFile(copy);
    {
        const QSqlDatabase from = openConnection(connectionName, path, false);
        QSqlDatabase to = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), target);
        to.setDatabaseName(copy);
        if (!to.open())
            throw SqlFailure(to.lastError());
        for (const QString& statement : layoutOf(from, QStringLiteral("table")))
            run(to, statement);
        run(to, QStringLiteral("PRAGMA user_version = %1").arg(scalar(from, QStringLiteral("PRAGMA user_version")).toInt()));
        run(from, QStringLiteral("PRAGMA foreign_keys = OFF"));  // the tables are copied in any order
        run(from, QStringLiteral("ATTACH DATABASE ? AS copy"), {copy});
        QSqlQuery tables = run(from, QStringLiteral("SELECT name FROM main.sqlite_master WHERE type = 'table'"
                                                    " AND name NOT LIKE 'sqlite%'"));
        QStringList names;
        while (nextRow(tables))
            names << tables.value(0).toString();
        tables.finish();
        // "WHERE 1" keeps SQLite from copying the indexes' pages along.
        for (const QString& name : names)
            run(from, QStringLiteral("INSERT INTO copy.\"%1\" SELECT * FROM main.\"%1\" WHERE 1").arg(name));
        run(from, QStringLiteral("DETACH DATABASE copy"));
        for (const QString& statement : layoutOf(from, QStringLiteral("index")))
            run(to, statement);
        if (!checksOut(to))
            throw SqlFailure(Failure::Corrupt, QStringLiteral("the copy does not check out"));
        run(to, QStringLiteral("PRAGMA journal_mode = WAL"));
    }
    closeConnection(target);
    closeConnection(connectionName);
}

QString cannotMove(const QString& path)
{
    return QStringLiteral("学习记录文件已损坏，但它（或它旁边的 -wal、-shm 文件）无法改名保留，所以什么都没有改动；"
                          "请检查文件夹“%1”的权限。这次的练习不会被记录。")
        .arg(QFileInfo(path).absolutePath());
}

} // namespace

Rescue rescueRecord(const QString& path, const QString& connectionName, const QString& stamp,
                    const RenameFunction& rename)
{
    if (reindexed(path, connectionName))
        return {true, QStringLiteral("学习记录文件的索引有损坏，已经就地修复，记录完整。")};
    const QString copy = path + QStringLiteral(".mending");
    bool copied = false;
    try {
        copyTables(path, copy, connectionName);
        copied = true;
    } catch (const SqlFailure&) {
        closeConnection(connectionName + QStringLiteral("-copy"));
        closeConnection(connectionName);
        QFile::remove(copy);
        QFile::remove(copy + QStringLiteral("-wal"));
        QFile::remove(copy + QStringLiteral("-shm"));
        QFile::remove(copy + QStringLiteral("-journal"));
    }
    const QString aside = moveRecordAside(path, stamp, rename);
    if (aside.isEmpty()) {
        QFile::remove(copy);
        return {false, cannotMove(path)};
    }
    if (copied && rename(copy, path))
        return {true, QStringLiteral("学习记录文件有一处损坏，已经把全部记录完整地取回；"
                                     "损坏的原文件改名为“%1”保留。").arg(aside)};
    return {true, QStringLiteral("学习记录文件已损坏，已改名为“%1”保留，并开始了新的记录。").arg(aside)};
}

} // namespace zorvel::records
