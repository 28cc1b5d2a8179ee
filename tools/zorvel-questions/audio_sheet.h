// A listening test written as one recording: the questions drawn from the
// seed exactly as the other formats draw them, read by the speech engine
// with the chosen pace, repeats and gaps, the answers after them if asked.
#pragma once

#include "tools/zorvel-questions/options.h"

#include <QString>

#include <cstdint>

namespace zorvel {

// Writes options.output; an empty text when it is in place, else why not.
QString writeAudioSheet(const SheetOptions& options, std::uint64_t seed);

} // namespace zorvel
