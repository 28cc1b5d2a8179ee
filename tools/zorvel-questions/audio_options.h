// The options of a listening test written as an audio file (--format
// wav|mp3|ogg): the voice's pace, each question read twice, the gap after
// each question, and the file.
#pragma once

#include "tools/zorvel-questions/options.h"

#include <functional>
#include <string>

namespace zorvel {

// An option's value as given, or nullptr when it was not given.
using OptionValue = std::function<const std::string*(const char*)>;

bool isAudioFormat(SheetFormat format);
// Checks --rate, --gap, --twice, --output and what an audio test allows of the
// other options; an empty text when they are good. For any other format it
// refuses the audio options only.
std::string checkAudioValues(const OptionValue& value, bool twice, SheetOptions& options);

} // namespace zorvel
