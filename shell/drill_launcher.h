// The real drill-window factory: normal-mode forms Form81..Form85 and
// listening-mode forms Form91..Form95.
#pragma once

#include "shell/main_menu.h"

namespace zorvel {

DrillWindowFactory drillWindowFactory();

} // namespace zorvel
