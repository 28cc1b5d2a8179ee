// The layouts this program's record files have had, one per version: every
// table, index and automatic index with its SQL, as the migrations make them.
// A file from elsewhere is read only when its schema is exactly one of them.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace zorvel::records {

// The file's schema against the layout of its user_version: empty when it
// matches, else a Chinese phrase saying what is wrong (an unknown or newer
// version, or the first object that is not the record's own). Throws
// SqlFailure when the schema cannot be read.
QString layoutMismatch(const QSqlDatabase& db);

// The tables of the layout of that version.
QStringList layoutTables(int version);

} // namespace zorvel::records
