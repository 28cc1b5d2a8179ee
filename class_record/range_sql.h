// A range of days as SQL conditions: tests (alias t) by their start, the
// daily practice's answers by their day. The bounds are numbers this
// program computes, written into the statement.
#pragma once

#include "class_record/class_tables.h"

#include <QString>

namespace zorvel::classroom {

// Ended tests (alias t) that started within the range.
QString testsInRange(const DateRange& range);
// The practice's answers (column day) given within the range.
QString factsInRange(const DateRange& range);

} // namespace zorvel::classroom
