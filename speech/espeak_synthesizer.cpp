// libespeak-ng: initialised once per process and never terminated (a second
// initialisation after espeak_Terminate hangs); the voice list is copied once.
#include "speech/espeak_synthesizer.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cstring>

namespace zorvel {
namespace {

const Synthesizer::SampleSink* currentSink = nullptr;
bool currentStopped = false;

int onSynthesised(short* samples, int count, espeak_EVENT*)
{
    if (currentStopped || currentSink == nullptr)
        return 1;
    if (samples != nullptr && count > 0 && !(*currentSink)(samples, static_cast<std::size_t>(count))) {
        currentStopped = true;
        return 1;
    }
    return 0;
}

// espeak_VOICE::languages: a priority byte, a name and its terminating zero,
// repeated, ended by a zero priority byte.
std::vector<std::string> languagesOf(const espeak_VOICE& voice)
{
    std::vector<std::string> languages;
    const char* entry = voice.languages;
    while (entry != nullptr && *entry != 0) {
        const char* name = entry + 1;
        languages.emplace_back(name);
        entry = name + std::strlen(name) + 1;
    }
    return languages;
}

} // namespace

bool EspeakSynthesizer::initialise()
{
    // The espeak_ng_ calls report a missing data directory instead of printing
    // it and ending the process as espeak_Initialize does.
    espeak_ng_InitializePath(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    const espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    espeak_ng_ClearErrorContext(&context);
    if (status != ENS_OK || espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr) != ENS_OK)
        return false;
    rate_ = espeak_ng_GetSampleRate();
    if (rate_ <= 0)
        return false;
    espeak_SetSynthCallback(onSynthesised);
    usualWordsPerMinute_ = espeak_GetParameter(espeakRATE, 0);
    if (const espeak_VOICE** list = espeak_ListVoices(nullptr)) {
        for (; *list != nullptr; ++list) {
            const espeak_VOICE& voice = **list;
            voices_.push_back({voice.name ? voice.name : "", voice.identifier ? voice.identifier : "",
                               languagesOf(voice)});
        }
    }
    return true;
}

bool EspeakSynthesizer::selectVoice(const InstalledVoice& voice)
{
    if (selected_ == voice.name)
        return true;
    if (espeak_SetVoiceByName(voice.name.c_str()) != EE_OK)
        return false;
    selected_ = voice.name;
    return true;
}

void EspeakSynthesizer::setRatePercent(int percent)
{
    if (percent == percent_ || usualWordsPerMinute_ <= 0)
        return;
    // espeak-ng takes 80 to 450 words a minute.
    const int wordsPerMinute = std::clamp(usualWordsPerMinute_ * percent / 100, 80, 450);
    if (espeak_SetParameter(espeakRATE, wordsPerMinute, 0) == EE_OK)
        percent_ = percent;
}

bool EspeakSynthesizer::synthesise(const std::string& text, const SampleSink& sink)
{
    currentSink = &sink;
    currentStopped = false;
    const espeak_ERROR result = espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8, nullptr, nullptr);
    currentSink = nullptr;
    return result == EE_OK && !currentStopped;
}

} // namespace zorvel
