// "导出音频…": a new test of twenty questions of the level and type on
// screen, read with the window's reading settings and followed by its
// answers, written to the file the teacher chooses without holding up the
// window.
#include "listening_drill/listening_window.h"

#include "listening_pace/listening_script.h"
#include "questions/generators.h"

#include <QCoreApplication>
#include <QPushButton>

namespace zorvel {

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
    QuestionSource source(row().operation, Mode::Listening);
    std::vector<Question> questions;
    for (int n = 1; n <= row().questionsPerTest(); ++n)
        questions.push_back(source.next(controls().selectedLevel(), controls().selectedNumberType(), *random));

    AudioExport job;
    job.path = path;
    job.format = *format;
    job.script = listeningTestScript(row().operation, questions, settings_, true);
    job.ratePercent = pacePercent(settings_.pace);
    exportButton_->setEnabled(false);
    QPointer<ListeningDrillWindow> window(this);
    given.exportAudio(std::move(job), [window, path](const QString& problem) {
        QMetaObject::invokeMethod(qApp, [window, path, problem] {
            if (window)
                window->exportFinished(path, problem);
        }, Qt::QueuedConnection);
    });
}

void ListeningDrillWindow::exportFinished(const QString& path, const QString& problem)
{
    exportButton_->setEnabled(true);
    if (!services().showMessage)
        return;
    if (problem.isEmpty())
        services().showMessage(this, QStringLiteral("导出音频"), QStringLiteral("已导出听算音频：%1").arg(path));
    else
        services().showMessage(this, QStringLiteral("导出音频"), QStringLiteral("未能导出音频：%1").arg(problem));
}

} // namespace zorvel
