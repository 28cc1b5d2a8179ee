// A listening test's script synthesised into one audio file: each sentence
// as the engine speaks it, cut to its sound (the engine's own silence before
// and after is trimmed), then exactly the silence the script asks for.
#pragma once

#include "speech/audio_export.h"
#include "speech/chinese_reading.h"
#include "speech/synthesis_worker.h"
#include "speech/synthesizer.h"

namespace zorvel {

// Writes the file on the calling thread; an empty text when it is in place.
QString writeScriptAudio(Synthesizer& synthesizer, ReadingStyle style, const AudioExport& job);

// Runs the export on the worker after the sentences already queued there;
// with ZORVEL_SPEECH_LOG set, every sentence of the script is logged too.
void exportOnWorker(SynthesisWorker& worker, AudioExport job, std::function<void(const QString&)> done);

// Exports through this process's libespeak-ng worker.
AudioExporter engineAudioExporter();

} // namespace zorvel
