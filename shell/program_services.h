// The drill services of the program itself: the default clock, random
// sources and message box, with the speech engine's voice, prompt sound and
// audio export, and the record the windows report to and keep the current
// pupil's reading settings in.
#pragma once

#include "normal_drill/drill_services.h"
#include "records/record_store.h"

namespace zorvel {

DrillServices programDrillServices(records::RecordStore* store = nullptr);

} // namespace zorvel
