// The drill services of the program itself: the default clock, random
// sources and message box, with the speech engine's voice and prompt sound
// and the record the windows report to.
#pragma once

#include "normal_drill/drill_services.h"

namespace zorvel {

DrillServices programDrillServices(records::TestRecorder* recorder = nullptr);

} // namespace zorvel
