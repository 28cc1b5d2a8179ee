// A listening test written as one recording: the questions drawn from the
// seed exactly as the other formats draw them, read by the speech engine
// with the chosen pace, repeats and gaps, the answers after them if asked.
#pragma once

#include "speech/audio_export.h"
#include "tools/zorvel-questions/options.h"

#include <QString>

#include <cstdint>

namespace zorvel {

// The recording's job: the test the seed gives, announced, read with the
// options' pace, repeats and gaps, tagged with the seed.
AudioExport audioJob(const SheetOptions& options, std::uint64_t seed);

// Writes options.output; an empty text when it is in place, else why not.
QString writeAudioSheet(const SheetOptions& options, std::uint64_t seed);

} // namespace zorvel
