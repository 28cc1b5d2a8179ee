// The entry points of the speech engine's module.
#include "speech/speech_module.h"

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

}
