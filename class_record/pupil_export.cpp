// Copying one pupil's rows into a new record file, then putting it in place.
#include "class_record/pupil_export.h"

#include "class_record/row_copy.h"
#include "records/schema.h"
#include "records/sql_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QUuid>

#include <cstdio>
#include <unistd.h>

namespace zorvel::classroom {

using records::run;

namespace {

// The pupil's rows, table by table, parents first. '?' is the pupil's id.
struct PupilRows {
    const char* table;
    const char* where;
};
constexpr PupilRows kPupilRows[] = {
    {"pupils", "id = ?"},
    {"exercises", "id IN (SELECT exercise_id FROM tests WHERE pupil_id = ? UNION SELECT exercise_id FROM book"
                  " WHERE pupil_id = ?)"},
    {"tests", "pupil_id = ? AND ended IS NOT NULL"},
    {"questions", "test_id IN (SELECT id FROM tests WHERE pupil_id = ? AND ended IS NOT NULL)"},
    {"answers", "question_id IN (SELECT q.id FROM questions q JOIN tests t ON t.id = q.test_id"
                " WHERE t.pupil_id = ? AND t.ended IS NOT NULL)"},
    {"fluency_results", "test_id IN (SELECT id FROM tests WHERE pupil_id = ? AND ended IS NOT NULL)"},
    {"book", "pupil_id = ?"},
    {"fact_answers", "pupil_id = ?"},
    {"fact_boxes", "pupil_id = ?"},
    {"fact_plans", "pupil_id = ?"},
    {"reading_settings", "pupil_id = ?"},
};

void writeRecord(const QSqlDatabase& record, qint64 pupilId, const QSqlDatabase& out, const QDateTime& now)
{
    records::migrate(out);
    records::Transaction transaction(out);
    for (const PupilRows& rows : kPupilRows) {
        const QString where = QLatin1String(rows.where);
        copyRows(record, out, QLatin1String(rows.table), where, QVariantList(where.count(QLatin1Char('?')), pupilId));
    }
    run(out, QStringLiteral("INSERT INTO settings (key, value) VALUES ('exported', ?)"), {now.toMSecsSinceEpoch()});
    transaction.commit();
    // One file, no -wal beside it, before it is moved into place.
    run(out, QStringLiteral("PRAGMA journal_mode = DELETE"));
}

QString writeTemporary(const QSqlDatabase& record, qint64 pupilId, const QString& path, const QDateTime& now)
{
    const QString connection = QStringLiteral("zorvel-export-") + QUuid::createUuid().toString(QUuid::Id128);
    QString failure;
    try {
        writeRecord(record, pupilId, records::openConnection(connection, path, false), now);
    } catch (const records::SqlFailure& error) {
        failure = error.kind() == records::Failure::DiskFull ? QStringLiteral("磁盘已满")
                                                              : QStringLiteral("写入失败（%1）").arg(error.text());
    }
    records::closeConnection(connection);
    return failure;
}

} // namespace

QString suggestedExportName(const QString& pupilName)
{
    return pupilName + QStringLiteral(".zorvel");
}

QString exportPupil(const QSqlDatabase& record, qint64 pupilId, const QString& outputPath, const QDateTime& now)
{
    const QFileInfo target(outputPath);
    QTemporaryFile temporary(target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    // QTemporaryFile makes the file readable by this account only.
    if (!temporary.open())
        return QStringLiteral("没能在“%1”里建立文件（%2）").arg(target.absolutePath(), temporary.errorString());
    temporary.close();
    const QString path = temporary.fileName();
    QString failure = writeTemporary(record, pupilId, path, now);
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    if (!failure.isEmpty())
        return failure;
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly) || ::fsync(written.handle()) != 0)
        return QStringLiteral("没能把文件写到磁盘上");
    written.close();
    if (std::rename(QFile::encodeName(path).constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return QStringLiteral("没能把文件放到“%1”").arg(target.absoluteFilePath());
    temporary.setAutoRemove(false);
    return {};
}

} // namespace zorvel::classroom
