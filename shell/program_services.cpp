// Chooses the concrete speech engine for the drill windows.
#include "shell/program_services.h"

#include "speech/speech.h"

namespace zorvel {

DrillServices programDrillServices(records::TestRecorder* recorder)
{
    DrillServices services = defaultDrillServices();
    services.voice = [] { return createDefaultVoice(); };
    services.promptSound = [] { return createDefaultPromptSound(); };
    services.recorder = recorder;
    return services;
}

} // namespace zorvel
