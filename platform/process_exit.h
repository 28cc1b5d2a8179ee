// Ending the process at once, without running the destructors of global
// objects: for programs whose libraries tear themselves down badly at exit.
#pragma once

namespace zorvel {

// Flushes the standard streams (and, in a sanitizer build, runs the leak
// check the skipped exit handlers would have run), then ends the process
// with `status`.
[[noreturn]] void endProcessNow(int status);

} // namespace zorvel
