#!/bin/sh
# Configures and builds into build/; the program and its data land in build/run.
# Arguments go to the configure step (say -DBUILD_TESTING=OFF).
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build -j "$(nproc)"
