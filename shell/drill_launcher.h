// The real drill-window factory: normal-mode forms Form81..Form85 and
// listening-mode forms Form91..Form95.
#pragma once

#include "records/record_store.h"
#include "shell/main_menu.h"

#include <functional>

namespace zorvel {

// The record the windows report to and keep the pupil's reading settings in,
// asked each time a window is made (the record is opened after the menu);
// none or nullptr: nothing recorded or kept.
using RecorderSource = std::function<records::RecordStore*()>;

DrillWindowFactory drillWindowFactory(RecorderSource recorder = {});

} // namespace zorvel
