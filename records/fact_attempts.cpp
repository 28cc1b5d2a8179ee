// The fact a recorded question asks, and its first answer as an attempt.
#include "records/fact_attempts.h"

#include "records/fact_records.h"
#include "records/record_reader.h"
#include "records/sql_support.h"

#include <QDateTime>

namespace zorvel::records {

namespace {

// The fact of a question of these operand texts in the operation, if any.
std::optional<facts::Fact> factOfQuestion(const QString& operation, const QString& first, const QString& second,
                                          const QString& third)
{
    const std::optional<facts::FactSet> set = facts::setFromKey(operation.toStdString());
    bool firstWhole = false;
    bool secondWhole = false;
    const int a = first.toInt(&firstWhole);
    const int b = second.toInt(&secondWhole);
    if (!set || !firstWhole || !secondWhole || !third.trimmed().isEmpty())
        return std::nullopt;
    return facts::factAsked(*set, a, b);
}

} // namespace

void countFactAttempt(const QSqlDatabase& db, qint64 questionId, bool right, qint64 ms)
{
    QSqlQuery found = questionRow(db, questionId,
                                  QStringLiteral("t.pupil_id, t.started, e.operation, e.mode, e.number_type, q.first,"
                                                 " q.second, q.third"));
    if (!nextRow(found))
        return;
    const QString mode = found.value(3).toString();
    const bool counted = mode == QLatin1String("normal") || mode == QLatin1String("fluency") ||
                         mode == QLatin1String("listening");
    const std::optional<facts::Fact> fact =
        counted && found.value(4).toString() == QLatin1String("integer")
            ? factOfQuestion(found.value(2).toString(), found.value(5).toString(), found.value(6).toString(),
                             found.value(7).toString())
            : std::nullopt;
    const qint64 pupil = found.value(0).toLongLong();
    // The day the test began on, as the window's time of day saw it.
    const facts::Day day = QDateTime::fromMSecsSinceEpoch(found.value(1).toLongLong()).date().toJulianDay();
    found.finish();
    if (!fact)
        return;
    const int shownMs = static_cast<int>(std::min<qint64>(std::max<qint64>(ms, 0), facts::kTimeoutMs + 1));
    applyFactAnswer(db, pupil, {fact->index(), right, shownMs, day, readFactPlan(db, pupil).speed});
}

} // namespace zorvel::records
