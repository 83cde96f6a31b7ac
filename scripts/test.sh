#!/bin/sh
# Installs, builds and runs every test; the window tests run under Xvfb.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir build --output-on-failure --timeout 300 -j "$(nproc)"
