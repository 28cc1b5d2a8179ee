// The range of days as SQL values and conditions.
#include "class_record/range_sql.h"

#include <limits>

namespace zorvel::classroom {

// The range as started ms and Julian days, bound as ?1..?4.
QVariantList rangeValues(const DateRange& range)
{
    const qint64 from = range.since ? range.since->startOfDay().toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
    const qint64 to = range.until ? range.until->addDays(1).startOfDay().toMSecsSinceEpoch() : std::numeric_limits<qint64>::max();
    const qint64 firstDay = range.since ? range.since->toJulianDay() : std::numeric_limits<qint64>::min();
    const qint64 lastDay = range.until ? range.until->toJulianDay() : std::numeric_limits<qint64>::max();
    return {from, to, firstDay, lastDay};
}

// The values of a statement that uses only ?1 and ?2.
QVariantList testRange(const QVariantList& range)
{
    return range.mid(0, 2);
}

const QString kTestsInRange = QStringLiteral("t.ended IS NOT NULL AND t.started >= ?1 AND t.started < ?2");
const QString kFactsInRange = QStringLiteral("day >= ?3 AND day <= ?4");

} // namespace zorvel::classroom
