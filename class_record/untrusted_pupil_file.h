// The reader of pupils' files for imports in the program and zorvel-class:
// every file opened as untrusted input (records/untrusted_record.h), its
// refusal passed on as the import's reason.
#pragma once

#include <QSqlDatabase>
#include <QString>

#include <functional>

namespace zorvel::classroom {

// A PupilFileReader (class_import.h).
void readUntrustedPupilFile(const QString& path, const std::function<void(const QSqlDatabase&)>& use);

} // namespace zorvel::classroom
