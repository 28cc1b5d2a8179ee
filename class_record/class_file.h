// The class record: one SQLite file with the records of a class's pupils,
// imported from the files their computers export. It keeps the pupils'
// own record layout (records/schema.h), so everything that reads a record
// reads it too, and adds what the class needs:
//
//   class_files    the files imported whole (SHA-256 of their bytes)
//   class_digests  a digest of every imported test's content, by its UUID
//   class_states   per pupil UUID, when the file whose book, facts and
//                  plan the class keeps was exported
//   class_roster   the teacher's class list: names and 学号 in list order
//   class_conflicts  tests whose UUID was known with other content: kept
//                  aside for the teacher, never merged
//
// class_record/ is the class's pure logic (Qt Core and Qt SQL): this file,
// a pupil's export (pupil_export.h), the import (pupil_import.h), the class
// list (class_roster.h), the tables (class_tables.h) and the interface the
// window reads through (class_data.h) with its SQLite source (sqlite_class_data.h).
#pragma once

#include <QSqlDatabase>
#include <QString>

namespace zorvel::classroom {

// The class file used when none is named, in the current folder.
QString defaultClassFileName();

// Opens the class file under the connection name, making it (readable by
// this account only) when it is missing. Throws records::SqlFailure, with
// kind Other when the file is not a class record (a pupil's own record, say,
// which is never changed into one).
QSqlDatabase openClassFile(const QString& connectionName, const QString& path);

} // namespace zorvel::classroom
