// Ending a program that may have played sound. Kept out of the engine so that
// a program which loads the engine only when it needs it can still end this
// way without linking it.
#include "speech/speech.h"

#include "platform/process_exit.h"

namespace zorvel {

void exitAfterAudio(int status)
{
    endProcessNow(status);
}

} // namespace zorvel
