// The column list of the source's rows, one prepared insert for all of them.
#include "class_record/row_copy.h"

#include "records/sql_support.h"

#include <QSqlRecord>
#include <QStringList>

namespace zorvel::classroom {

QSqlQuery preparedInsert(const QSqlDatabase& db, const QString& table, const QStringList& columns)
{
    QSqlQuery insert(db);
    const QStringList marks(columns.size(), QStringLiteral("?"));
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(','), marks.join(','))))
        throw records::SqlFailure(insert.lastError());
    return insert;
}

void copyRows(const QSqlDatabase& from, const QSqlDatabase& to, const QString& table, const QString& where,
              const QVariantList& values)
{
    if (records::scalar(from, QStringLiteral("SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?"), {table})
            .isNull())
        return;
    QSqlQuery rows = records::run(from, QStringLiteral("SELECT * FROM %1 WHERE %2").arg(table, where), values);
    const QSqlRecord columns = rows.record();
    QStringList names;
    for (int c = 0; c < columns.count(); ++c)
        names << columns.fieldName(c);
    QSqlQuery insert = preparedInsert(to, table, names);
    while (records::nextRow(rows)) {
        for (int c = 0; c < columns.count(); ++c)
            insert.bindValue(c, rows.value(c));
        if (!insert.exec())
            throw records::SqlFailure(insert.lastError());
    }
}

} // namespace zorvel::classroom
