// zorvel-questions: prints questions made by the drill windows' generators,
// as a worksheet for teachers and parents (text or an A4 PDF sheet), as a
// listening test recorded in an audio file, or as TSV for other programs.
#include "tools/zorvel-questions/audio_options.h"
#include "tools/zorvel-questions/audio_sheet.h"
#include "tools/zorvel-questions/options.h"
#include "tools/zorvel-questions/sheet.h"
#include "common/command_line.h"
#include "common/qt_messages.h"
#include "worksheets/pdf_output.h"

#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <random>

namespace {

static_assert(zorvel::kMaxColumns == zorvel::sheets::kMaxColumns, "--columns accepts what a sheet can lay out");

// The one line for a sheet or recording that could not be written; the exit status.
int cannotWrite(const QString& path, const QString& problem)
{
    std::fprintf(stderr, "zorvel-questions：没能写入 %s（%s）\n", zorvel::quotedArgument(path).toUtf8().constData(),
                 zorvel::quotedArgument(problem).toUtf8().constData());
    return 1;
}

// The PDF sheet needs the fonts, and so an application; a command-line tool
// never needs a display, so it runs on the offscreen platform unless told.
int writePdf(int argc, char** argv, const zorvel::SheetOptions& options, std::uint64_t seed)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const zorvel::sheets::Worksheet sheet = zorvel::pdfWorksheet(options, seed);
    if (const QString problem = zorvel::sheets::saveSheetPdf(sheet, options.output); !problem.isEmpty())
        return cannotWrite(options.output, problem);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    zorvel::keepQtRemarksOffStandardError();
    const zorvel::ParsedOptions parsed = zorvel::parseOptions(zorvel::argumentList(argc, argv));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "zorvel-questions：%s\n", parsed.error.c_str());
        return 2;
    }
    if (parsed.options.help) {
        std::fputs(zorvel::usageText().c_str(), stdout);
        return 0;
    }
    if (parsed.options.version) {
        std::printf("%s\n", qPrintable(zorvel::versionLine(QStringLiteral("zorvel-questions"))));
        return 0;
    }
    std::uint64_t seed = 0;
    if (parsed.options.seed) {
        seed = *parsed.options.seed;
    } else {
        std::random_device device;
        seed = static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) ^
               (static_cast<std::uint64_t>(device()) << 32);
    }
    if (parsed.options.format == zorvel::SheetFormat::Pdf)
        return writePdf(argc, argv, parsed.options, seed);
    if (zorvel::isAudioFormat(parsed.options.format)) {
        if (const QString problem = zorvel::writeAudioSheet(parsed.options, seed); !problem.isEmpty())
            return cannotWrite(parsed.options.output, problem);
        return 0;
    }
    if (!zorvel::writeSheet(parsed.options, seed, stdout)) {
        std::fprintf(stderr, "zorvel-questions：没能写出题目\n");
        return 1;
    }
    return 0;
}
