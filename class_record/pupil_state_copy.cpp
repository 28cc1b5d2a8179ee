// Copying the state tables of one pupil: ids remapped, every value checked.
#include "class_record/pupil_state_copy.h"

#include "class_record/row_copy.h"
#include "facts/fact.h"
#include "records/sql_support.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace zorvel::classroom {

namespace {

using records::run;

constexpr const char* kStateTables[] = {"book", "fact_answers", "fact_boxes", "fact_plans", "reading_settings"};

[[noreturn]] void refuse(const QString& what)
{
    throw BadContent{QStringLiteral("文件里的数据不对（%1）").arg(what)};
}

// The value as the class stores it: ids remapped, the file's own test ids dropped.
QVariant classValue(const QString& column, const QVariant& value, qint64 classPupil,
                    const std::map<qint64, qint64>& exerciseIds)
{
    const bool integer = value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int;
    if (!value.isNull() && !integer && !(value.typeId() == QMetaType::QString && value.toString().size() <= 400))
        refuse(column);
    if (column == QLatin1String("pupil_id"))
        return classPupil;
    if (column == QLatin1String("last_redo_test"))
        return QVariant();
    if (column == QLatin1String("exercise_id")) {
        const auto found = exerciseIds.find(value.toLongLong());
        if (!integer || found == exerciseIds.end())
            refuse(column);
        return found->second;
    }
    if (column == QLatin1String("fact") && (!integer || value.toLongLong() < 0 || value.toLongLong() >= facts::kFactCount))
        refuse(column);
    return value;
}

void copyTable(const QSqlDatabase& classDb, const QSqlDatabase& pupilDb, const QString& table, qint64 filePupil,
               qint64 classPupil, const std::map<qint64, qint64>& exerciseIds)
{
    run(classDb, QStringLiteral("DELETE FROM %1 WHERE pupil_id = ?").arg(table), {classPupil});
    QSqlQuery rows = run(pupilDb, QStringLiteral("SELECT * FROM %1 WHERE pupil_id = ?").arg(table), {filePupil});
    const QSqlRecord record = rows.record();
    QStringList names;
    std::vector<int> columns;
    for (int c = 0; c < record.count(); ++c) {
        if (record.fieldName(c) == QLatin1String("id"))
            continue;
        columns.push_back(c);
        names << record.fieldName(c);
    }
    QSqlQuery insert = preparedInsert(classDb, table, names);
    while (records::nextRow(rows)) {
        for (std::size_t i = 0; i < columns.size(); ++i)
            insert.bindValue(int(i), classValue(names[int(i)], rows.value(columns[i]), classPupil, exerciseIds));
        if (!insert.exec())
            throw records::SqlFailure(insert.lastError());
    }
}

bool hasTable(const QSqlDatabase& db, const char* table)
{
    return !records::scalar(db, QStringLiteral("SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?"),
                            {QLatin1String(table)})
                .isNull();
}

} // namespace

bool copyNewerStates(const QSqlDatabase& classDb, const QSqlDatabase& pupilDb, const PupilFileRows& rows,
                     const std::map<qint64, qint64>& pupilIds, const std::map<qint64, qint64>& exerciseIds)
{
    bool replaced = false;
    for (const FilePupil& pupil : rows.pupils) {
        const QVariant stored = records::scalar(classDb, QStringLiteral("SELECT exported FROM class_states WHERE pupil_uuid = ?"),
                                                {pupil.uuid});
        if (!stored.isNull() && stored.toLongLong() >= rows.exported)
            continue;
        for (const char* table : kStateTables)
            if (hasTable(pupilDb, table))
                copyTable(classDb, pupilDb, QLatin1String(table), pupil.id, pupilIds.at(pupil.id), exerciseIds);
        run(classDb, QStringLiteral("INSERT OR REPLACE INTO class_states (pupil_uuid, exported) VALUES (?, ?)"),
            {pupil.uuid, rows.exported});
        replaced = true;
    }
    return replaced;
}

} // namespace zorvel::classroom
