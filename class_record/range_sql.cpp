// The range of days as SQL conditions.
#include "class_record/range_sql.h"

namespace zorvel::classroom {

QString testsInRange(const DateRange& range)
{
    QString sql = QStringLiteral("t.ended IS NOT NULL");
    if (range.since)
        sql += QStringLiteral(" AND t.started >= %1").arg(range.since->startOfDay().toMSecsSinceEpoch());
    if (range.until)
        sql += QStringLiteral(" AND t.started < %1").arg(range.until->addDays(1).startOfDay().toMSecsSinceEpoch());
    return sql;
}

QString factsInRange(const DateRange& range)
{
    QString sql = QStringLiteral("1");
    if (range.since)
        sql += QStringLiteral(" AND day >= %1").arg(range.since->toJulianDay());
    if (range.until)
        sql += QStringLiteral(" AND day <= %1").arg(range.until->toJulianDay());
    return sql;
}

} // namespace zorvel::classroom
