// The print preview of a 100-question sheet with its answer page: time from
// creating Qt's print preview dialog to its pages painted on screen.
//   build/bench/worksheets/bench_sheet_preview             (offscreen, 10 openings)
//   DISPLAY=:58 build/bench/worksheets/bench_sheet_preview --show [--dialog|--print] [--shot FILE]
// --show leaves the preview open (--dialog: the "打印练习卷" dialog instead,
// --print: Qt's print dialog), translated as in the program; with --shot it
// saves the screen to FILE and ends.
#include "bench/window_timing.h"
#include "records_window/print_sheet_dialog.h"
#include "records_window/records_services.h"
#include "shell/startup.h"
#include "worksheets/sheet_painter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsView>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace zorvel;
using zorvel::bench::PaintWatch;
using zorvel::bench::cpuMs;

namespace {

sheets::Worksheet hundredQuestions()
{
    sheets::SheetRequest request;
    request.count = 100;
    request.seed = 47;
    sheets::Worksheet sheet = sheets::drawnWorksheet(request);
    sheet.answerKey = true;
    return sheet;
}

std::pair<double, double> openOnce(const sheets::Worksheet& sheet)
{
    // The first paint of a graphics view's viewport: the preview's pages.
    PaintWatch watch([](QObject* watched) { return qobject_cast<QGraphicsView*>(watched->parent()) != nullptr; });
    qApp->installEventFilter(&watch);
    QElapsedTimer wall;
    wall.start();
    const double cpuStart = cpuMs();
    QPrinter printer(QPrinter::HighResolution);
    sheets::prepareDevice(printer);
    QPrintPreviewDialog dialog(&printer);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&sheet](QPrinter* target) { sheets::paintSheet(sheet, *target); });
    dialog.show();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const std::pair<double, double> times{wall.nsecsElapsed() / 1e6, cpuMs() - cpuStart};
    qApp->removeEventFilter(&watch);
    return times;
}

void shoot(const QString& file)
{
    QTimer::singleShot(1500, qApp, [file] {
        QGuiApplication::primaryScreen()->grabWindow(0).save(file);
        QCoreApplication::quit();
    });
}

} // namespace

int main(int argc, char** argv)
{
    const QStringList args = [&] { QStringList a; for (int i = 1; i < argc; ++i) a << QString::fromLocal8Bit(argv[i]); return a; }();
    if (!args.contains(QStringLiteral("--show")) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const sheets::Worksheet sheet = hundredQuestions();
    if (args.contains(QStringLiteral("--show"))) {
        const int shot = int(args.indexOf(QStringLiteral("--shot")));
        if (shot >= 0 && shot + 1 < args.size())
            shoot(args[shot + 1]);
        zorvel::installQtTranslations();
        if (args.contains(QStringLiteral("--print"))) {
            QPrinter printer(QPrinter::HighResolution);
            sheets::prepareDevice(printer);
            QPrintDialog dialog(&printer);
            dialog.show();
            return app.exec();
        }
        if (args.contains(QStringLiteral("--dialog"))) {
            records::RecordsServices services = records::defaultRecordsServices({});
            records::PrintSheetDialog dialog(services);
            dialog.show();
            return app.exec();
        }
        QPrinter printer(QPrinter::HighResolution);
        sheets::prepareDevice(printer);
        QPrintPreviewDialog dialog(&printer);
        dialog.resize(1100, 720);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&sheet](QPrinter* target) { sheets::paintSheet(sheet, *target); });
        dialog.show();
        return app.exec();
    }
    openOnce(sheet);  // fonts and plugins loaded once, as in the running program
    std::vector<double> wall, cpu;
    for (int i = 0; i < 10; ++i) {
        const auto [w, c] = openOnce(sheet);
        wall.push_back(w);
        cpu.push_back(c);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("print preview of 100 questions + answer page: median %.1f ms (max %.1f), cpu median %.1f ms\n",
                wall[wall.size() / 2], wall.back(), cpu[cpu.size() / 2]);
    return 0;
}
