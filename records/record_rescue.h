// Mending a record that a check found damaged. Whatever can be read is kept:
// damaged indexes are rebuilt in place; when an index page is too damaged to
// be rebuilt there, every table is copied into a fresh file that takes the
// record's place, and the damaged file is kept beside it. Only a record whose
// tables cannot be read is moved aside for a new one, and only together with
// its -wal and -shm; when they cannot be moved, nothing is moved or deleted.
#pragma once

#include "records/record_files.h"

#include <QString>

namespace zorvel::records {

class SqlFailure;

// What became of a damaged record.
struct Rescue {
    bool usable = false;  // the record (mended, copied or new) can be used
    QString note;         // one Chinese sentence for the records window
};

// Runs on a closed record (no connection open to it); stamp names a copy
// moved aside ("20260302-163005"). Opens connections named after connectionName.
// Every step that replaces the file is journalled (replaceRecord), and a
// salvaged copy left by a stopped rescue is never deleted: the next start
// finishes that rescue instead (finishReplacement).
Rescue rescueRecord(const QString& path, const QString& connectionName, const QString& stamp,
                    const RenameFunction& rename = renameFile, const StepHook& step = {});

} // namespace zorvel::records
