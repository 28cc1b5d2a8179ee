// The recording is made on the speech engine's worker; this thread waits.
#include "tools/zorvel-questions/audio_sheet.h"

#include "questions/generators.h"
#include "questions/random_source.h"
#include "speech/script_audio.h"

#include <future>

namespace zorvel {
namespace {

AudioFormat audioFormat(SheetFormat format)
{
    return format == SheetFormat::Mp3 ? AudioFormat::Mp3 : format == SheetFormat::Ogg ? AudioFormat::Ogg
                                                                                       : AudioFormat::Wav;
}

} // namespace

QString writeAudioSheet(const SheetOptions& options, std::uint64_t seed)
{
    SeededRandom rng(seed);
    QuestionSource source(options.operation, options.mode);
    std::vector<Question> questions;
    for (int n = 1; n <= options.count; ++n)
        questions.push_back(source.next(options.level, options.type, rng));

    AudioExport job;
    job.path = options.output;
    job.format = audioFormat(options.format);
    job.script = listeningTestScript(options.operation, questions, options.reading, options.answers);
    job.ratePercent = pacePercent(options.reading.pace);
    std::promise<QString> written;
    exportOnWorker(SynthesisWorker::espeak(), std::move(job),
                   [&written](const QString& problem) { written.set_value(problem); });
    return written.get_future().get();
}

} // namespace zorvel
