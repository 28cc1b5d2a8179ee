// Planting damaged and half-copied records through the store and raw SQL.
#include "tests/records/planted_records.h"

#include "records/sql_support.h"
#include "records/sqlite_record_store.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QSqlRecord>
#include <QtEndian>

namespace zorvel::records::planted {

namespace {

const Exercise kAdd{"Form81", "add", "normal", "Option4", "2位 + 1位", "integer"};
const QDateTime kFirstDay(QDate(2026, 1, 1), QTime(16, 0));

void addTest(RecordStore& store, const QDateTime& started)
{
    const TestId id = store.beginTest(kAdd, started, false);
    store.endTest(id, TestEnd::Finished, QStringLiteral("1:07.06"));
}

} // namespace

void makeRecord(const QString& path, int tests)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("planting"));
        db.setDatabaseName(path);
        db.open();
        for (const char* statement : {"PRAGMA page_size = 512", "CREATE TABLE x (a)", "DROP TABLE x"})
            run(db, QString::fromLatin1(statement));
    }
    closeConnection(QStringLiteral("planting"));
    SqliteRecordStore store(path, QStringLiteral("学生1"));
    for (int day = 0; day < tests; ++day)
        addTest(store, kFirstDay.addDays(day));
    store.waitUntilWritten();
}

namespace {

// The pages whose newest copy is in the record's -wal: damage to them in the
// main file would not be seen.
QSet<qint64> pagesInWal(const QString& path, qint64 pageSize)
{
    QSet<qint64> pages;
    QFile wal(path + QStringLiteral("-wal"));
    if (!wal.open(QIODevice::ReadOnly))
        return pages;
    const QByteArray frames = wal.readAll();
    constexpr qint64 kWalHeader = 32, kFrameHeader = 24;
    for (qint64 at = kWalHeader; at + kFrameHeader + pageSize <= frames.size(); at += kFrameHeader + pageSize)
        pages.insert(qFromBigEndian<quint32>(frames.constData() + at));
    return pages;
}

} // namespace

bool damageIndex(const QString& path, const QString& index)
{
    qint64 page = 0;
    qint64 pageSize = 0;
    {
        const QSqlDatabase db = openConnection(QStringLiteral("planting"), path, true);
        pageSize = scalar(db, QStringLiteral("PRAGMA page_size")).toLongLong();
        const QSet<qint64> inWal = pagesInWal(path, pageSize);
        QSqlQuery leaves = run(db, QStringLiteral("SELECT pageno FROM dbstat WHERE name = ? AND pagetype = 'leaf'"
                                                  " ORDER BY pageno"), {index});
        QList<qint64> pages;
        while (nextRow(leaves)) {
            if (!inWal.contains(leaves.value(0).toLongLong()))
                pages << leaves.value(0).toLongLong();
        }
        if (pages.size() >= 3)
            page = pages[pages.size() / 2];
    }
    closeConnection(QStringLiteral("planting"));
    QFile file(path);
    if (page == 0 || !file.open(QIODevice::ReadWrite) || !file.seek((page - 1) * pageSize))
        return false;
    return file.write(QByteArray(int(pageSize), '\xff')) == pageSize;
}

bool copyWithRowsInWal(const QString& path, const QString& folder)
{
    SqliteRecordStore store(path, QStringLiteral("学生1"));
    const std::optional<Pupil> added = store.addPupil(QStringLiteral("小红"));
    if (!added)
        return false;
    store.setCurrentPupil(added->id);
    addTest(store, kFirstDay.addYears(1));
    store.waitUntilWritten();
    QDir().mkpath(folder);
    bool copied = QFileInfo(path + QStringLiteral("-wal")).size() > 0;
    for (const QString& suffix : {QString(), QStringLiteral("-wal")})
        copied = QFile::copy(path + suffix, QDir(folder).filePath(QStringLiteral("records.db") + suffix)) && copied;
    return copied;
}

QStringList rowsOf(const QString& path, const QString& sql)
{
    QStringList rows;
    {
        const QSqlDatabase db = openConnection(QStringLiteral("rows"), path, true);
        QSqlQuery query = run(db, sql);
        while (nextRow(query)) {
            QStringList fields;
            for (int i = 0; i < query.record().count(); ++i)
                fields << query.value(i).toString();
            rows << fields.join(QLatin1Char('|'));
        }
    }
    closeConnection(QStringLiteral("rows"));
    return rows;
}

} // namespace zorvel::records::planted
