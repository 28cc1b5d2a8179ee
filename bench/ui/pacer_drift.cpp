// 自动出题 on the real clock: twenty questions, each due the chosen gap after
// the previous reading ended (readings end at once here), under an event
// loop kept busy with 7 ms ticks as a listening window's stopwatch keeps it.
// Prints how far the twentieth question came after its time, and the
// latest any one question came.
//
//   bench_pacer_drift [GAP-MS]   (default 5000: about 100 s)
#include "listening_drill/reading_pacer.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace zorvel;

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int gapMs = argc > 1 ? std::atoi(argv[1]) : 5000;
    const auto clock = steadyClock();
    ReadingPacer pacer(clock);
    pacer.configure(true, gapMs);
    QTimer tick;
    tick.start(7);

    const qint64 start = clock->nowMs();
    qint64 due = start + gapMs;
    qint64 latest = 0;
    int asked = 1;
    QObject::connect(&pacer, &ReadingPacer::nextDue, [&] {
        const qint64 now = clock->nowMs();
        latest = std::max(latest, now - due);
        if (++asked == 20) {
            std::printf("gap %d ms: question 20 came %lld ms after its time over 20 questions "
                        "(no question later than %lld ms)\n",
                        gapMs, static_cast<long long>(now - (start + 19LL * gapMs)), static_cast<long long>(latest));
            QCoreApplication::quit();
            return;
        }
        pacer.readingStarted(false);
        pacer.readingEnded();
        due = now + gapMs;
    });
    pacer.readingStarted(false);
    pacer.readingEnded();
    return QCoreApplication::exec();
}
