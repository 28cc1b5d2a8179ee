// Importing a pupil's record file into the class record, as one transaction:
// new tests with their questions, answers and 达标 results; a test whose
// UUID the class knows with the same content is skipped, one with other
// content is kept aside in class_conflicts for the teacher. The book, the
// daily practice and the reading settings of a pupil come from the newest
// export of that pupil. Nothing already in the class is changed or lost.
#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace zorvel::classroom {

struct ImportResult {
    enum class Status { Imported, AlreadyImported, Refused };
    Status status = Status::Refused;
    QStringList pupils;      // the names the file's pupils have in the class
    int newTests = 0;
    int newConflicts = 0;
    QString reason;          // why it was refused (a Chinese phrase)
};

// Imports the rows of a pupil's record, opened and checked as safe to read,
// recording the file's SHA-256 as imported. Throws records::SqlFailure when
// the class file cannot be written (nothing of the file is then in it).
ImportResult importPupilRecord(const QSqlDatabase& classDb, const QSqlDatabase& pupilDb, const QString& fileName,
                               const QByteArray& sha256, const QDateTime& now);

// Whether a file with these bytes was imported whole before.
bool wasImported(const QSqlDatabase& classDb, const QByteArray& sha256);

// The line zorvel-class prints, and the import window shows, for a file.
QString importLine(const QString& fileName, const ImportResult& result);

} // namespace zorvel::classroom
