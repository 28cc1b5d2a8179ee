// The entry points of the speech engine's module.
#include "speech/speech_module.h"

#include "speech/script_audio.h"
#include "speech/speech.h"

extern "C" {

Q_DECL_EXPORT zorvel::Voice* zorvelCreateVoice(QObject* parent)
{
    return zorvel::createDefaultVoice(parent).release();
}

Q_DECL_EXPORT zorvel::PromptSound* zorvelCreatePromptSound()
{
    return zorvel::createDefaultPromptSound().release();
}

Q_DECL_EXPORT void zorvelExportAudio(zorvel::AudioExport job, std::function<void(const QString&)> done)
{
    zorvel::engineAudioExporter()(std::move(job), std::move(done));
}

}
