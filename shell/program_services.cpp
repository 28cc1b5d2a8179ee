// Chooses the concrete speech engine for the drill windows: the speech
// module, loaded when the first listening window asks for a voice. Without
// it the window has no voice and says so.
#include "shell/program_services.h"

#include "shell/module_loader.h"
#include "speech/speech_module.h"
#include "worksheets/pdf_output.h"

namespace zorvel {
namespace {

std::unique_ptr<Voice> moduleVoice()
{
    const auto create = reinterpret_cast<CreateVoiceFunction>(
        moduleFunction(QString::fromLatin1(kSpeechModule), kCreateVoiceFunction));
    return std::unique_ptr<Voice>(create ? create(nullptr) : nullptr);
}

std::unique_ptr<PromptSound> modulePromptSound()
{
    const auto create = reinterpret_cast<CreatePromptSoundFunction>(
        moduleFunction(QString::fromLatin1(kSpeechModule), kCreatePromptSoundFunction));
    return std::unique_ptr<PromptSound>(create ? create() : nullptr);
}

void moduleAudioExporter(AudioExport job, std::function<void(const QString&)> done)
{
    const auto exportAudio = reinterpret_cast<ExportAudioFunction>(
        moduleFunction(QString::fromLatin1(kSpeechModule), kExportAudioFunction));
    if (!exportAudio) {
        done(QStringLiteral("未能载入语音模块"));
        return;
    }
    exportAudio(std::move(job), std::move(done));
}

} // namespace

DrillServices programDrillServices(records::RecordStore* store)
{
    DrillServices services = defaultDrillServices();
    services.voice = moduleVoice;
    services.promptSound = modulePromptSound;
    services.exportAudio = moduleAudioExporter;
    services.saveSheet = sheets::saveSheetPdf;
    services.recorder = store;
    if (store) {
        services.loadReadingSettings = [store] { return store->readingSettings(store->currentPupil().id); };
        services.saveReadingSettings = [store](const ReadingSettings& settings) {
            store->keepReadingSettings(store->currentPupil().id, settings);
        };
    }
    return services;
}

} // namespace zorvel
