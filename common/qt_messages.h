// Keeping Qt's own remarks about the surroundings ("QStandardPaths:
// XDG_RUNTIME_DIR not set", "PulseAudioService: pa_context_connect()
// failed") off a tool's standard error, where scripts expect only the tool's
// own words. Critical and fatal messages still go through; with
// QT_LOGGING_RULES set, a developer who asked for Qt's logging gets all of it.
#pragma once

namespace zorvel {

// Installs the filter for the rest of the process; call it first in main().
void keepQtRemarksOffStandardError();

} // namespace zorvel
