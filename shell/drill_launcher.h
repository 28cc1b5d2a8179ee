// The real drill-window factory: normal-mode forms Form81..Form85 and
// listening-mode forms Form91..Form95.
#pragma once

#include "facts/fact_store.h"
#include "records/record_store.h"
#include "shell/main_menu.h"

#include <functional>

namespace zorvel {

// The record the windows report to and keep the pupil's reading settings in,
// asked each time a window is made (the record is opened after the menu);
// none or nullptr: nothing recorded or kept.
// The record store also gives 达标测试 its personal bests and last choice.
using RecorderSource = std::function<records::RecordStore*()>;

// The pupil's facts for the daily practice window ("frmDaily"); none or
// nullptr: no daily practice.
using FactStoreSource = std::function<facts::FactStore*()>;

DrillWindowFactory drillWindowFactory(RecorderSource recorder = {}, FactStoreSource facts = {});

} // namespace zorvel
