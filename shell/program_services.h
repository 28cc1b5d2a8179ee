// The drill services of the program itself: the default clock, random
// sources and message box, with the speech engine's voice and prompt sound.
#pragma once

#include "normal_drill/drill_services.h"

namespace zorvel {

DrillServices programDrillServices();

} // namespace zorvel
