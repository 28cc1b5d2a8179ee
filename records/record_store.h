// The whole pupils' record as the program holds it: what the drill windows
// report (test_reports.h), the pupils (pupil_register.h) and what the records
// window and zorvel-records read (record_queries.h). Each user sees only the
// interface it needs; the SQLite store behind them all is chosen where the
// program is put together.
#pragma once

#include "records/pupil_register.h"
#include "records/record_queries.h"
#include "records/test_reports.h"

namespace zorvel::records {

class RecordStore : public TestRecorder, public PupilRegister, public RecordQueries {
public:
    // Waits until everything recorded so far is on disk (or dropped).
    virtual void flush() = 0;
};

} // namespace zorvel::records
