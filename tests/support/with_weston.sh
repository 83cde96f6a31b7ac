#!/bin/sh
# Runs a command as a Wayland client, the way GNOME on Debian runs the
# program: starts weston with its X11 back end on the current X display, in
# a private runtime folder, runs the command with GTK on Wayland, stops
# weston and exits with the command's status.
# Usage: with_weston.sh COMMAND [ARG...]   (needs DISPLAY)
set -eu
runtime=$(mktemp -d) # mode 0700, as Wayland asks of its runtime folder
socket=amorquant-test
export XDG_RUNTIME_DIR=$runtime
weston --backend=x11-backend.so --use-pixman --socket="$socket" --idle-time=0 \
    --width=1280 --height=1024 --log="$runtime/weston.log" &
weston=$!
stop() {
    kill "$weston" 2>/dev/null || true
    wait "$weston" 2>/dev/null || true
    rm -rf "$runtime"
}
trap stop EXIT
# The compositor takes clients once its socket exists.
for _ in $(seq 300); do
    [ -S "$runtime/$socket" ] && break
    kill -0 "$weston" 2>/dev/null || break
    sleep 0.1
done
if [ ! -S "$runtime/$socket" ]; then
    cat "$runtime/weston.log" >&2
    echo "weston did not start" >&2
    exit 1
fi
status=0
GDK_BACKEND=wayland WAYLAND_DISPLAY=$socket "$@" || status=$?
exit "$status"
