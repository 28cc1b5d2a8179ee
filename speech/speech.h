// Speech and the prompt sound for the listening windows.
//
// A window creates its voice and prompt sound here at every load; both return
// at once. speak() turns the sentence into a reading the chosen voice
// pronounces (chinese_reading.h, voice_choice.h) and queues it on the one
// synthesis thread of the process (synthesis_worker.h), which owns
// libespeak-ng (espeak_synthesizer.h). The audio goes to the voice's output
// (pcm_output.h), played by Qt Multimedia on the audio thread
// (speaker_output.h). Without an engine, a voice or a sound device everything
// returns at once and does nothing, and isAvailable() says so.
//
// When the environment variable ZORVEL_SPEECH_LOG names a file, every
// sentence queued and every prompt sound played is also appended to it as a
// line (speech_log.h).
#pragma once

#include "speech/voice.h"

#include <memory>

class QObject;

namespace zorvel {

std::unique_ptr<Voice> createDefaultVoice(QObject* parent = nullptr);
std::unique_ptr<PromptSound> createDefaultPromptSound();

// Ends the process with status. Call it once the program's own objects, the
// application object included, are gone: Qt Multimedia would otherwise close
// its PulseAudio connection from a destructor at exit while libpulse's thread
// still polls it, which now and then aborts the process after all sound has
// been played.
[[noreturn]] void exitAfterAudio(int status);

} // namespace zorvel
