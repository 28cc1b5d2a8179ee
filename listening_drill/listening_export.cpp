// "导出音频…": a new test of twenty questions of the level and type on
// screen, drawn from a seed of its own, read with the window's reading
// settings and followed by its answers, written to the file the teacher
// chooses without holding up the window. Once it is written, the listening
// sheet and the teacher's page with the answers are saved beside it under
// the same name (".pdf"), and the message names the seed, with which
// "打印练习卷" prints the same test again.
#include "listening_drill/listening_window.h"

#include "listening_pace/listening_script.h"
#include "questions/test_draw.h"
#include "worksheets/worksheet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>

namespace zorvel {

// Seeds of six digits at most: short enough to copy onto paper.
constexpr int kExportSeeds = 999999;

struct ListeningDrillWindow::ExportedTest {
    QString audioPath;
    QString sheetPath;
    std::uint64_t seed = 0;
    sheets::Worksheet sheet;
};

void ListeningDrillWindow::exportAudio()
{
    const DrillServices& given = services();
    if (!given.exportAudio || !given.chooseAudioFile)
        return;
    QString path = given.chooseAudioFile(this);
    if (path.isEmpty())
        return;
    std::optional<AudioFormat> format = audioFormatFromPath(path);
    if (!format) {
        path += QStringLiteral(".wav");
        format = AudioFormat::Wav;
    }
    std::unique_ptr<RandomSource> random =
        given.randomSource ? given.randomSource() : std::make_unique<SeededRandom>();
    random->reseedFromClock();
    sheets::SheetRequest request;
    request.parts = {{row().operation, controls().selectedLevel(), controls().selectedNumberType()}};
    request.mode = Mode::Listening;
    request.count = row().questionsPerTest();
    request.seed = std::uint64_t(random->draw(kExportSeeds, 1));

    auto test = std::make_shared<ExportedTest>();
    test->audioPath = path;
    const QFileInfo audio(path);
    test->sheetPath = audio.dir().filePath(audio.completeBaseName() + QStringLiteral(".pdf"));
    test->seed = request.seed;
    test->sheet = sheets::drawnWorksheet(request);
    test->sheet.answerKey = true;
    std::vector<Question> questions;
    for (const DrawnQuestion& drawn : drawTest({request.parts, request.mode, request.count, request.seed}))
        questions.push_back(drawn.question);

    AudioExport job;
    job.path = path;
    job.format = *format;
    job.script = listeningTestScript(row().operation, questions, settings_, true);
    job.ratePercent = pacePercent(settings_.pace);
    job.title = test->sheet.title;
    job.seed = request.seed;
    exportButton_->setEnabled(false);
    QPointer<ListeningDrillWindow> window(this);
    given.exportAudio(std::move(job), [window, test](const QString& problem) {
        QMetaObject::invokeMethod(qApp, [window, test, problem] {
            if (window)
                window->exportFinished(*test, problem);
        }, Qt::QueuedConnection);
    });
}

void ListeningDrillWindow::exportFinished(const ExportedTest& test, const QString& problem)
{
    exportButton_->setEnabled(true);
    if (!problem.isEmpty()) {
        if (services().showMessage)
            services().showMessage(this, QStringLiteral("导出音频"), QStringLiteral("未能导出音频：%1").arg(problem));
        return;
    }
    QString message = QStringLiteral("已导出听算音频：%1").arg(QDir::toNativeSeparators(test.audioPath));
    if (services().saveSheet) {
        const QString sheetProblem = services().saveSheet(test.sheet, test.sheetPath);
        message += sheetProblem.isEmpty()
                       ? QStringLiteral("\n听算卷和答案：%1").arg(QDir::toNativeSeparators(test.sheetPath))
                       : QStringLiteral("\n未能保存听算卷（%1）").arg(sheetProblem);
    }
    message += QStringLiteral("\n种子：%1（“打印练习卷…”里选听算、填这个种子，可以再印这套题）").arg(test.seed);
    if (services().showMessage)
        services().showMessage(this, QStringLiteral("导出音频"), message);
}

} // namespace zorvel
