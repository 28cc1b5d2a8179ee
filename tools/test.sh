#!/bin/sh
# Installs what is missing, builds into build/ and runs every test.
#   --sanitize  builds into build-asan/ with AddressSanitizer and
#               UndefinedBehaviorSanitizer instead; the first report fails
#               the test that made it.
set -eu
cd "$(dirname "$0")/.."
sh tools/install-deps.sh
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  # -O1 keeps the instrumented suite quick without the optimiser's false
  # -Warray-bounds reports on Qt's headers.
  set -- -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g" -DZORVEL_SANITIZE=ON
  export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
  export LSAN_OPTIONS="suppressions=$PWD/tools/sanitizer-leaks.supp:print_suppressions=0"
else
  dir=build
  set -- -DCMAKE_BUILD_TYPE=Release
fi
cmake -S . -B "$dir" "$@"
cmake --build "$dir" -j"$(nproc)"
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
