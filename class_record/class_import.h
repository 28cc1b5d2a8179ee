// Importing pupils' files given by path: each is read through a reader
// that opens it as untrusted input (untrusted_pupil_file.h in the program
// and the tools; a plain one in tests), skipped at once when the same bytes
// were imported before, and imported in one transaction of its own.
#pragma once

#include "class_record/pupil_import.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <functional>

namespace zorvel::classroom {

// Opens the file at path, gives its connection to use, and closes it again;
// throws BadContent (pupil_file_rows.h) when the file is refused.
using PupilFileReader = std::function<void(const QString& path, const std::function<void(const QSqlDatabase&)>& use)>;

// One file: imported, already imported, or refused with the reason.
// Throws records::SqlFailure when the class file cannot be written.
ImportResult importFile(const QSqlDatabase& classDb, const QString& path, const PupilFileReader& read,
                        const QDateTime& now = QDateTime::currentDateTime());

} // namespace zorvel::classroom
