#!/bin/sh
# Builds and runs the performance bench on a private Xvfb display and prints
# its table. Pass --quick for fewer runs. Timings are medians or best runs,
# but run it when the machine is otherwise quiet.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh bench
scripts/build.sh -DAMORQUANT_BENCH=ON >/dev/null

. scripts/display.sh
start_private_display
trap 'kill "$xvfb" 2>/dev/null || true' EXIT INT TERM

build/bench/amorquant-bench "$@"
