#!/bin/sh
# Builds and runs the performance bench on a private Xvfb display and prints
# its table. Pass --quick for fewer runs. Timings are medians, but run it
# when the machine is otherwise quiet.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh >/dev/null

display=50
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
    [ "$display" -le 99 ] || { echo "no free display between :50 and :99" >&2; exit 1; }
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT INT TERM
export DISPLAY=":$display"
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

build/bench/amorquant-bench "$@"
