// zorvel-records sync: sends what waits in the record to the school server
// (the service given, else the one set in the program for each pupil).
#pragma once

#include "tools/zorvel-records/records_options.h"

#include <QByteArray>
#include <QString>

namespace zorvel::records::cli {

struct SyncOutcome {
    int status = 0;     // 0, or 1 when the record cannot be used or the server not reached, 2 for an unknown pupil
    QString complaint;  // one Chinese line for standard error when status is not 0
    QByteArray output;  // how much went
};

SyncOutcome syncRecord(const QString& path, const RecordsOptions& options);

} // namespace zorvel::records::cli
