// Times each tab of the class window shown for the first time over a class
// file (the benchmark's generated class): created, the tab chosen, its
// table read and the window painted. Offscreen, with the window's real
// class data; prints one line a tab. Given a folder, it then presses every
// tab's "打印" and "打印错题重练卷" and writes what they print there as PDF.
//
//   QT_QPA_PLATFORM=offscreen class_window_bench CLASS_FILE [PDF_FOLDER]
#include "class_record/sqlite_class_data.h"
#include "class_window/class_window.h"

#include "class_window/table_printing.h"
#include "worksheets/pdf_output.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QElapsedTimer>
#include <QTabWidget>

#include <cstdio>
#include <ctime>

using namespace zorvel::classroom;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: class_window_bench CLASS_FILE\n");
        return 2;
    }
    SqliteClassData data(QString::fromLocal8Bit(argv[1]), [](const QString&, const auto&) {});
    ClassServices services;
    services.records.today = [] { return QDate(2026, 6, 30); };
    QElapsedTimer clock;
    clock.start();
    std::clock_t cpu = std::clock();
    const auto cpuMs = [&cpu] { return (std::clock() - cpu) * 1000 / CLOCKS_PER_SEC; };
    ClassWindow window(data, services);
    window.show();
    window.repaint();
    std::printf("window with the 学生 tab: %lld ms (processor %ld ms)\n", clock.elapsed(), long(cpuMs()));
    for (int tab = 1; tab < window.tabs()->count(); ++tab) {
        clock.restart();
        cpu = std::clock();
        window.tabs()->setCurrentIndex(tab);
        window.repaint();
        std::printf("%s: %lld ms (processor %ld ms)\n", qPrintable(window.tabs()->tabText(tab)), clock.elapsed(), long(cpuMs()));
    }
    if (argc > 2 && argv[2][0] != '\0') {  // PDF_FOLDER set: print every tab there
        const QDir folder(QString::fromLocal8Bit(argv[2]));
        services.previewTable = [&folder](QWidget*, const QString& title, const QString& html) {
            saveHtmlPdf(html, folder.filePath(title + QStringLiteral(".pdf")));
        };
        services.records.previewSheet = [&folder](QWidget*, const zorvel::sheets::Worksheet& sheet) {
            zorvel::sheets::saveSheetPdf(sheet, folder.filePath(sheet.title + QStringLiteral(".pdf")));
        };
        ClassWindow printing(data, services);
        printing.show();
        for (QPushButton* button : printing.findChildren<QPushButton*>())
            if (button->objectName() == QLatin1String("cmdPrint") || button->objectName() == QLatin1String("cmdRetrySheet"))
                button->click();
    }
    return data.problem().isEmpty() ? 0 : 1;
}
