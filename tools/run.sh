#!/bin/sh
# Installs what is missing, builds into build/ and starts the program.
set -eu
cd "$(dirname "$0")/.."
sh tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
exec build/shell/zorvel
