// One pupil's whole record written to a file for the teacher (".zorvel"):
// the pupil, the ended tests with their questions, answers and 达标 results,
// the mistakes book, the daily practice's answers, boxes and plan and the
// reading settings, with their UUIDs, in the record's own layout and version
// (user_version), and the moment of the export in settings ('exported').
// The file is written under a temporary name beside the target, readable by
// this account only, and renamed over the target only once it is whole.
#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

namespace zorvel::classroom {

// The file name an export suggests: "张三.zorvel".
QString suggestedExportName(const QString& pupilName);

// Writes the pupil's record from the open record to the file; returns an
// empty string, or one Chinese sentence saying why nothing was written
// (an existing file is then left as it was).
QString exportPupil(const QSqlDatabase& record, qint64 pupilId, const QString& outputPath,
                    const QDateTime& now = QDateTime::currentDateTime());

} // namespace zorvel::classroom
