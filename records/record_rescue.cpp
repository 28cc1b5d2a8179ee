// The rescue: REINDEX in place, else a table-by-table copy, else the record
// moved aside whole.
#include "records/record_rescue.h"

#include "platform/private_files.h"
#include "records/record_files.h"
#include "records/sql_support.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

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

// What a salvage copied and what it could not read.
struct Salvage {
    qint64 tests = 0;          // tests copied
    qint64 lostTests = 0;      // tests that could not be read (as counted in an index, else their keys)
    qint64 lostOthers = 0;     // keys of other tables whose rows could not be read
};

// The integer key a table's rows can be read by in ranges: the rowid, or
// the first column of a WITHOUT ROWID table's primary key; empty for a
// table keyed by text (read whole or not at all).
QString rangeKey(const QSqlDatabase& db, const QString& table, const QString& sql)
{
    if (!sql.contains(QLatin1String("WITHOUT ROWID"), Qt::CaseInsensitive))
        return QStringLiteral("rowid");
    QSqlQuery first = run(db, QStringLiteral("SELECT name, type FROM pragma_table_info(?) WHERE pk = 1"), {table});
    return nextRow(first) && first.value(1).toString().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0
               ? first.value(0).toString()
               : QString();
}

// How many reads of a damaged range a table may spend: enough to narrow a
// few damaged leaves down to their keys, few enough to end at once when the
// table's root cannot be read.
constexpr int kFailedReadsPerTable = 4000;
// The parts a table's key range is copied in.
constexpr qint64 kParts = 256;

// Copies the rows whose key lies in [low, high]; a range that cannot be
// read is halved until the keys that cannot be read are known one by one.
// Returns those keys' count.
qint64 copyRange(const QSqlDatabase& from, const QString& table, const QString& key, qint64 low, qint64 high,
                 int& failuresLeft)
{
    try {
        run(from, QStringLiteral("INSERT INTO copy.\"%1\" SELECT * FROM main.\"%1\" WHERE %2 BETWEEN ? AND ?")
                      .arg(table, key), {low, high});
        return 0;
    } catch (const SqlFailure&) {
    }
    if (low == high)
        return 1;
    if (--failuresLeft <= 0)
        return 0;
    const qint64 middle = low + (high - low) / 2;
    return copyRange(from, table, key, low, middle, failuresLeft)
           + copyRange(from, table, key, middle + 1, high, failuresLeft);
}

// Copies what can be read of one table; the count of keys known lost.
qint64 salvageTable(const QSqlDatabase& from, const QString& table, const QString& sql)
{
    const QString key = rangeKey(from, table, sql);
    if (key.isEmpty()) {
        try {
            run(from, QStringLiteral("INSERT INTO copy.\"%1\" SELECT * FROM main.\"%1\" WHERE 1").arg(table));
            return 0;
        } catch (const SqlFailure&) {
            return 1;
        }
    }
    // The key's ends, read from the table's own pages (never an index that
    // may be the damaged part), or every key a record can have. The range
    // is copied in parts, so that a damaged page costs its own part only.
    qint64 low = 0, high = std::numeric_limits<qint64>::max();
    try {
        // Apart, each is one walk down the tree; together, a scan.
        const QString end = QStringLiteral("SELECT %1(%2) FROM main.\"%3\" NOT INDEXED");
        const QVariant first = scalar(from, end.arg(QStringLiteral("min"), key, table));
        const QVariant last = scalar(from, end.arg(QStringLiteral("max"), key, table));
        if (!first.isNull() && !last.isNull()) {
            low = std::max<qint64>(0, first.toLongLong());
            high = std::max(low, last.toLongLong());
        }
    } catch (const SqlFailure&) {
    }
    int failuresLeft = kFailedReadsPerTable;
    const qint64 part = (high - low) / kParts + 1;
    qint64 lost = 0;
    for (qint64 start = low; start <= high; start += part) {
        lost += copyRange(from, table, key, start, high - start < part ? high : start + part - 1, failuresLeft);
        if (high - start < part)
            break;
    }
    return lost;
}

// How many tests the damaged file held, counted in an index of the tests
// (its own pages), or nothing when that cannot be read either.
std::optional<qint64> testsHeld(const QSqlDatabase& from)
{
    try {
        return scalar(from, QStringLiteral("SELECT count(*) FROM main.tests INDEXED BY tests_by_pupil")).toLongLong();
    } catch (const SqlFailure&) {
        return std::nullopt;
    }
}

// Copies every row that can still be read of every table into a new file
// at copy, reading the tables only (never the indexes), range by range
// around damaged pages; throws when not even the layout can be read.
Salvage copyTables(const QString& path, const QString& copy, const QString& connectionName)
{
    const QString target = connectionName + QStringLiteral("-copy");
    QFile::remove(copy);
    makePrivateFile(copy);
    Salvage salvage;
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
        // The copy is not the record until it is whole: no sync for each of
        // the many small copies (the indexes' commits below sync the file),
        // and a journal in memory to undo a part that met a damaged page.
        run(from, QStringLiteral("PRAGMA copy.journal_mode = MEMORY"));
        run(from, QStringLiteral("PRAGMA copy.synchronous = OFF"));
        QSqlQuery tables = run(from, QStringLiteral("SELECT name, sql FROM main.sqlite_master WHERE type = 'table'"
                                                    " AND name NOT LIKE 'sqlite%'"));
        std::vector<std::pair<QString, QString>> names;
        while (nextRow(tables))
            names.emplace_back(tables.value(0).toString(), tables.value(1).toString());
        tables.finish();
        for (const auto& [name, sql] : names)
            (name == QLatin1String("tests") ? salvage.lostTests : salvage.lostOthers) += salvageTable(from, name, sql);
        const std::optional<qint64> held = testsHeld(from);
        run(from, QStringLiteral("DETACH DATABASE copy"));
        for (const QString& statement : layoutOf(from, QStringLiteral("index")))
            run(to, statement);
        if (scalar(to, QStringLiteral("PRAGMA quick_check")).toString() != QLatin1String("ok"))
            throw SqlFailure(Failure::Corrupt, QStringLiteral("the copy does not check out"));
        salvage.tests = scalar(to, QStringLiteral("SELECT count(*) FROM tests")).toLongLong();
        if (held)
            salvage.lostTests = std::max<qint64>(0, *held - salvage.tests);
        run(to, QStringLiteral("PRAGMA journal_mode = WAL"));
    }
    closeConnection(target);
    closeConnection(connectionName);
    return salvage;
}

// What the parent reads in the records window after a salvage.
QString salvageNote(const Salvage& salvage, const QString& aside)
{
    const QLocale numbers(QLocale::English);
    if (salvage.lostTests == 0 && salvage.lostOthers == 0)
        return QStringLiteral("学习记录文件有一处损坏，已经把全部记录完整地取回（%1 次测试）；损坏的原文件改名为“%2”保留。")
            .arg(numbers.toString(salvage.tests), aside);
    QString note = QStringLiteral("学习记录文件有损坏：保存了 %1 次测试").arg(numbers.toString(salvage.tests));
    if (salvage.lostTests > 0)
        note += QStringLiteral("，约 %1 次因文件损坏没能读出").arg(numbers.toString(salvage.lostTests));
    if (salvage.lostOthers > 0)
        note += QStringLiteral("；另有约 %1 组题目、答案或其他记录没能读出").arg(numbers.toString(salvage.lostOthers));
    return note + QStringLiteral("。损坏的原文件改名为“%1”保留。").arg(aside);
}

QString cannotMove(const QString& path)
{
    return QStringLiteral("学习记录文件已损坏，但它（或它旁边的 -wal、-shm 文件）无法改名保留，所以什么都没有改动；"
                          "请检查文件夹“%1”的权限。这次的练习不会被记录。")
        .arg(QFileInfo(path).absolutePath());
}

} // namespace

Rescue rescueRecord(const QString& path, const QString& connectionName, const QString& stamp,
                    const RenameFunction& rename, const StepHook& step)
{
    if (reindexed(path, connectionName))
        return {true, QStringLiteral("学习记录文件的索引有损坏，已经就地修复，记录完整。")};
    const QString copy = path + QStringLiteral(".mending");
    std::optional<Salvage> salvage;
    try {
        salvage = copyTables(path, copy, connectionName);
    } catch (const SqlFailure&) {
        closeConnection(connectionName + QStringLiteral("-copy"));
        closeConnection(connectionName);
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            QFile::remove(copy + QLatin1String(suffix));
    }
    if (step)
        step();
    const QString aside = replaceRecord(path, stamp, salvage.has_value(), rename, step);
    if (aside.isEmpty()) {
        QFile::remove(copy);
        return {false, cannotMove(path)};
    }
    if (salvage && !QFileInfo::exists(copy))
        return {true, salvageNote(*salvage, aside)};
    QFile::remove(copy);
    return {true, QStringLiteral("学习记录文件已损坏，已改名为“%1”保留，并开始了新的记录。").arg(aside)};
}

} // namespace zorvel::records
