// What the window-opening benchmarks share: the process's CPU time and a
// watch for the first paint of what they wait to see on screen.
#pragma once

#include <QEvent>
#include <QObject>

#include <ctime>
#include <functional>
#include <utility>

namespace zorvel::bench {

// CPU time this process has used, in milliseconds.
inline double cpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// Notes the first paint of a watched object that `counts` accepts (of any
// watched object when there is no `counts`).
class PaintWatch : public QObject {
public:
    explicit PaintWatch(std::function<bool(QObject*)> counts = {}) : counts_(std::move(counts)) {}

    bool painted = false;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && (!counts_ || counts_(watched)))
            painted = true;
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(QObject*)> counts_;
};

} // namespace zorvel::bench
