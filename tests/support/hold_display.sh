#!/bin/sh
# Keeps one client connected to the X display while the window tests run.
# An X server started without -noreset (plain xvfb-run) resets whenever its
# last client leaves, and a test program that connects during the reset
# fails before it has run; with this connection held the server never
# reaches zero clients between two tests.
# Usage: hold_display.sh hold|release STATE_FILE
set -eu
state=$2
case $1 in
hold)
    # Its own session, so that nothing ctest does to the test's process group
    # ends it; its output in a file, so that ctest does not wait for it.
    setsid stdbuf -oL xprop -root -spy WM_NAME >"$state.out" 2>&1 </dev/null &
    echo $! >"$state"
    # xprop prints the property's first state once it is connected.
    for _ in $(seq 300); do
        grep -q '^WM_NAME' "$state.out" && exit 0
        kill -0 "$(cat "$state")" 2>/dev/null || break
        sleep 0.1
    done
    cat "$state.out" >&2
    echo "could not connect to the display '${DISPLAY:-}'" >&2
    exit 1
    ;;
release)
    [ ! -f "$state" ] || kill "$(cat "$state")" 2>/dev/null || true
    rm -f "$state" "$state.out"
    ;;
esac
