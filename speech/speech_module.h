// The speech engine's module: the two functions shell/ looks up in it when
// the first listening window needs a voice or a prompt sound. The engine is
// built into this module alone, so that the program starts without Qt
// Multimedia, PulseAudio and libespeak-ng; tools and tests link it directly.
#pragma once

#include "speech/audio_export.h"
#include "speech/voice.h"

namespace zorvel {

// The module's file name without its directory, prefix or suffix.
inline constexpr char kSpeechModule[] = "zorvel-speech";
inline constexpr char kCreateVoiceFunction[] = "zorvelCreateVoice";
inline constexpr char kCreatePromptSoundFunction[] = "zorvelCreatePromptSound";
inline constexpr char kExportAudioFunction[] = "zorvelExportAudio";

// Each returns a new object the caller owns, as createDefaultVoice() and
// createDefaultPromptSound() make them.
using CreateVoiceFunction = Voice* (*)(QObject* parent);
using CreatePromptSoundFunction = PromptSound* (*)();
// Writes a listening test to an audio file as the engine's AudioExporter does.
using ExportAudioFunction = void (*)(AudioExport job, std::function<void(const QString&)> done);

} // namespace zorvel
