// The daily practice in the record: each answer written with the fact's new
// box in one transaction, the boxes and the plan read back, and the boxes
// rebuilt from the stored answers. Throws SqlFailure.
#pragma once

#include "facts/fact_store.h"

#include <QSqlDatabase>

namespace zorvel::records {

// Stores the answer and moves the fact's box, as one transaction.
void writeFactAnswer(const QSqlDatabase& db, qint64 pupil, const facts::FactAnswer& answer);
// The same within the caller's transaction.
void applyFactAnswer(const QSqlDatabase& db, qint64 pupil, const facts::FactAnswer& answer);
std::vector<facts::FactAnswer> readFactAnswers(const QSqlDatabase& db, qint64 pupil);
facts::FactBook readFactBook(const QSqlDatabase& db, qint64 pupil);
// Every pupil's boxes made again from the stored answers, as one transaction.
void rebuildFactBoxes(const QSqlDatabase& db);

// A pupil without a plan practises multiplication at the standard speed.
facts::PracticePlan readFactPlan(const QSqlDatabase& db, qint64 pupil);
void writeFactPlan(const QSqlDatabase& db, qint64 pupil, const facts::PracticePlan& plan);

} // namespace zorvel::records
