// Copying rows between two record files of the same layout, by column name.
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QString>
#include <QVariantList>

namespace zorvel::classroom {

// Copies the rows of the table chosen by where (with its values) from one
// database into the same table of the other; a table the source lacks (an
// older layout) copies nothing. Throws records::SqlFailure.
void copyRows(const QSqlDatabase& from, const QSqlDatabase& to, const QString& table, const QString& where,
              const QVariantList& values);

// INSERT INTO table (columns) VALUES (?, ...), prepared on db; throws records::SqlFailure.
QSqlQuery preparedInsert(const QSqlDatabase& db, const QString& table, const QStringList& columns);

} // namespace zorvel::classroom
