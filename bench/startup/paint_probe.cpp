// A Qt generic plugin that times a program's first painted window without
// changing the program: loaded through QT_QPA_GENERIC_PLUGINS=zorvelpaintprobe,
// it notes when a window is first exposed (mapped on the screen, nothing
// drawn yet), waits for the first paint event, lets that paint finish,
// appends "<ms since ZORVEL_PROBE_T0_NS> <width> <height> <CPU ms> <exposed
// ms>" to ZORVEL_PROBE_OUT and ends the program. ZORVEL_PROBE_T0_NS is
// CLOCK_REALTIME in nanoseconds, taken by the launcher just before it starts
// the program; the CPU time (user and system, this process) is the figure a
// busy machine disturbs least.
#include "bench/window_timing.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QGenericPlugin>
#include <QSize>
#include <QTimer>
#include <QVariant>

#include <ctime>

namespace {

double msSinceLaunch()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    const double nowNs = double(now.tv_sec) * 1e9 + double(now.tv_nsec);
    return (nowNs - qEnvironmentVariable("ZORVEL_PROBE_T0_NS").toDouble()) / 1e6;
}

class FirstPaintProbe : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && exposedMs_ < 0 && watched->isWindowType())
            exposedMs_ = msSinceLaunch();
        if (event->type() == QEvent::Paint && watched->isWidgetType() && !seen_) {
            seen_ = true;
            QObject* window = watched;
            while (window->parent())
                window = window->parent();
            const QSize size = window->property("size").toSize();
            QTimer::singleShot(0, this, [size, exposed = exposedMs_] { report(size, exposed); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void report(QSize size, double exposedMs)
    {
        const QByteArray line = QByteArray::number(msSinceLaunch(), 'f', 2) + ' ' +
                                QByteArray::number(size.width()) + ' ' + QByteArray::number(size.height()) + ' ' +
                                QByteArray::number(zorvel::bench::cpuMs(), 'f', 2) + ' ' + QByteArray::number(exposedMs, 'f', 2) + '\n';
        QFile out(qEnvironmentVariable("ZORVEL_PROBE_OUT"));
        if (out.open(QIODevice::Append))
            out.write(line);
        QCoreApplication::exit(0);
    }

    bool seen_ = false;
    double exposedMs_ = -1;
};

} // namespace

class PaintProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "paint_probe.json")
public:
    QObject* create(const QString&, const QString&) override
    {
        auto* probe = new FirstPaintProbe;
        QCoreApplication::instance()->installEventFilter(probe);
        return probe;
    }
};

#include "paint_probe.moc"
