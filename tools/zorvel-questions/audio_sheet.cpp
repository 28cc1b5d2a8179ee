// The recording is made on the speech engine's worker; this thread waits.
#include "tools/zorvel-questions/audio_sheet.h"

#include "speech/script_audio.h"
#include "tools/zorvel-questions/sheet.h"

#include <future>

namespace zorvel {
namespace {

AudioFormat audioFormat(SheetFormat format)
{
    return format == SheetFormat::Mp3 ? AudioFormat::Mp3 : format == SheetFormat::Ogg ? AudioFormat::Ogg
                                                                                       : AudioFormat::Wav;
}

} // namespace

AudioExport audioJob(const SheetOptions& options, std::uint64_t seed)
{
    std::vector<Question> questions;
    for (const DrawnQuestion& drawn : drawTest(testRequest(options, seed)))
        questions.push_back(drawn.question);
    AudioExport job;
    job.path = options.output;
    job.format = audioFormat(options.format);
    job.script = listeningTestScript(options.operation, questions, options.reading, options.answers);
    job.ratePercent = pacePercent(options.reading.pace);
    job.title = QStringLiteral("听算练习 ") + sheets::exerciseTitle(options.operation, options.level, options.type);
    job.seed = seed;
    return job;
}

QString writeAudioSheet(const SheetOptions& options, std::uint64_t seed)
{
    AudioExport job = audioJob(options, seed);
    std::promise<QString> written;
    exportOnWorker(SynthesisWorker::espeak(), std::move(job),
                   [&written](const QString& problem) { written.set_value(problem); });
    return written.get_future().get();
}

} // namespace zorvel
