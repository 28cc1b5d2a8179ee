// Scoring, the pass line and the personal-best rule.
#include "fluency/scoring.h"

#include <algorithm>
#include <cmath>

namespace zorvel::fluency {

QString Score::percentText() const
{
    const double tenths = std::round(percent * 10) / 10;
    return QStringLiteral("%1 %").arg(QString::number(tenths, 'f', tenths == std::floor(tenths) ? 0 : 1));
}

QString Score::perMinuteText() const
{
    return QString::number(perMinute, 'f', 1);
}

QString Score::timeText() const
{
    return minutesSeconds(elapsedMs);
}

QString minutesSeconds(qint64 ms)
{
    const qint64 seconds = std::max<qint64>(ms, 0) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

Score score(const FluencyTest& test, const Outcome& outcome)
{
    Score result;
    result.total = test.questions;
    result.answered = std::clamp(outcome.answered, 0, test.questions);
    result.correct = std::clamp(outcome.correct, 0, result.answered);
    const qint64 limitMs = qint64(test.limitSeconds) * 1000;
    result.elapsedMs = test.timed() ? std::min(outcome.elapsedMs, limitMs) : outcome.elapsedMs;
    result.elapsedMs = std::max<qint64>(result.elapsedMs, 0);
    result.percent = result.total > 0 ? 100.0 * result.correct / result.total : 0;
    result.perMinute = std::round(correctPerMinute(test.limitSeconds, result.correct, result.elapsedMs) * 10) / 10;
    const bool allAnswered = result.answered == result.total;
    const bool inTime = !test.timed() || outcome.elapsedMs <= limitMs;
    result.passed = allAnswered && inTime && result.correct * 100 >= test.passPercent * result.total;
    return result;
}

double correctPerMinute(int limitSeconds, int correct, qint64 elapsedMs)
{
    if (limitSeconds > 0)
        return correct * 60.0 / limitSeconds;
    return elapsedMs > 0 ? correct * 60000.0 / double(elapsedMs) : 0;
}

bool isBetter(const Score& score, const PersonalBest& best)
{
    if (score.correct != best.correct)
        return score.correct > best.correct;
    return score.elapsedMs < best.elapsedMs;
}

std::optional<PersonalBest> bestAfter(const std::optional<PersonalBest>& best, const Score& score,
                                      const QDateTime& when)
{
    if (!score.passed || (best && !isBetter(score, *best)))
        return best;
    return PersonalBest{score.correct, score.elapsedMs, when};
}

} // namespace zorvel::fluency
