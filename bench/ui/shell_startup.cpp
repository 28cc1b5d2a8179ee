// Start-up benchmark: time from process start (and from main) to the menu
// painted on screen, and the peak memory by then. Run it under a display:
//   Xvfb :98 -screen 0 1280x1024x24 &  DISPLAY=:98 build/bench/ui/bench_startup
// Without arguments it starts itself 10 times and reports median and worst.
#include "shell/program_records.h"
#include "shell/startup.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace {

const auto mainEntered = std::chrono::steady_clock::now();

// Milliseconds since the kernel started this process (10 ms resolution).
double msSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble();
    timespec now {};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / sysconf(_SC_CLK_TCK);
}

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, [] {
                const double fromMain = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - mainEntered).count();
                rusage usage {};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("%.1f %.1f %ld\n", msSinceProcessStart(), fromMain, usage.ru_maxrss);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

int runChild(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    zorvel::SingleInstance instance(dir.filePath(QStringLiteral("zorvel.lock")));
    zorvel::HelpPages pages([](const QUrl&, const zorvel::BrowserOutcome&) {}, dir.filePath(QStringLiteral("help")));
    FirstPaint firstPaint;
    // As main() does: the record opened just after the menu's first paint.
    zorvel::ProgramRecords records;
    const auto menu = zorvel::startMainMenu(records.drillWindowFactory(), pages, instance);
    if (!menu)
        return 1;
    zorvel::afterFirstPaint(*menu, [&records, &menu, &dir] {
        records.open(dir.filePath(QStringLiteral("records.db")), QStringLiteral("bench"));
        records.attachTo(*menu);
    });
    menu->installEventFilter(&firstPaint);
    return app.exec();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv);

    const int runs = 10;
    std::vector<double> fromStart, fromMain, rssMb;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--child")});
        if (!child.waitForFinished(30000) || child.exitCode() != 0) {
            std::fprintf(stderr, "run %d failed\n", i);
            return 1;
        }
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
        fromStart.push_back(fields.value(0).toDouble());
        fromMain.push_back(fields.value(1).toDouble());
        rssMb.push_back(fields.value(2).toDouble() / 1024.0);
    }
    std::printf("menu painted, from process start: median %.1f ms, worst %.1f ms (target < 300 ms)\n",
                median(fromStart), *std::max_element(fromStart.begin(), fromStart.end()));
    std::printf("menu painted, from main():        median %.1f ms, worst %.1f ms\n",
                median(fromMain), *std::max_element(fromMain.begin(), fromMain.end()));
    std::printf("peak resident memory:             median %.1f MB, worst %.1f MB (target < 80 MB)\n",
                median(rssMb), *std::max_element(rssMb.begin(), rssMb.end()));
    return 0;
}
