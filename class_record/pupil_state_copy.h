// A pupil's current state in the class: the mistakes book, the daily
// practice's answers, boxes and plan and the reading settings, taken whole
// from the newest export of that pupil (an older file never replaces them).
#pragma once

#include "class_record/pupil_file_rows.h"

#include <QSqlDatabase>

#include <map>

namespace zorvel::classroom {

// Replaces the state of every pupil of the file for whom the class has
// none or an older one; true when any was replaced. Inside the import's
// transaction. Throws BadContent or records::SqlFailure.
bool copyNewerStates(const QSqlDatabase& classDb, const QSqlDatabase& pupilDb, const PupilFileRows& rows,
                     const std::map<qint64, qint64>& pupilIds, const std::map<qint64, qint64>& exerciseIds);

} // namespace zorvel::classroom
