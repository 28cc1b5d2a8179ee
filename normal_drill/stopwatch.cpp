// Stopwatch readings and captions.
#include "normal_drill/stopwatch.h"

namespace zorvel {

namespace {

QString twoDigits(int value)
{
    return QString::number(value % 100).rightJustified(2, QLatin1Char('0'));
}

// Hundredths of a second in elapsedMs, to the nearest, halves to even.
qint64 roundedHundredths(qint64 elapsedMs)
{
    const qint64 whole = elapsedMs / 10;
    const qint64 rest = elapsedMs % 10;
    if (rest > 5 || (rest == 5 && whole % 2 != 0))
        return whole + 1;
    return whole;
}

} // namespace

QString StopwatchReading::minutesText() const { return QString::number(minutes); }
QString StopwatchReading::secondsText() const { return twoDigits(seconds); }
QString StopwatchReading::hundredthsText() const { return twoDigits(hundredths); }

StopwatchReading readingFor(qint64 elapsedMs)
{
    const qint64 total = roundedHundredths(elapsedMs < 0 ? 0 : elapsedMs);
    StopwatchReading reading;
    reading.hundredths = static_cast<int>(total % 100);
    reading.seconds = static_cast<int>((total / 100) % 60);
    reading.minutes = static_cast<int>((total / 6000) % 60);
    return reading;
}

qint64 msUntilNextReadingChange(qint64 elapsedMs)
{
    const qint64 elapsed = elapsedMs < 0 ? 0 : elapsedMs;
    const qint64 shown = roundedHundredths(elapsed);
    // An odd hundredth rounds its upper half (…5 ms) up to the even one; an
    // even hundredth keeps that half and changes a millisecond later.
    const qint64 nextChange = shown * 10 + (shown % 2 ? 5 : 6);
    return nextChange - elapsedMs;
}

void Stopwatch::start(qint64 nowMs)
{
    startMs_ = nowMs;
    running_ = true;
}

} // namespace zorvel
