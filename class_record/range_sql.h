// A range of days in the class's SQL: tests by their start (?1, ?2, in ms)
// and the daily practice's answers by their day (?3, ?4, Julian days).
#pragma once

#include "class_record/class_tables.h"

#include <QString>
#include <QVariantList>

namespace zorvel::classroom {

// The four values ?1..?4 of a statement over the range.
QVariantList rangeValues(const DateRange& range);
// The values of a statement that uses only ?1 and ?2.
QVariantList testRange(const QVariantList& range);

// Ended tests (alias t) within the range; the practice's answers within it.
extern const QString kTestsInRange;
extern const QString kFactsInRange;

} // namespace zorvel::classroom
