#!/bin/sh
# Refreshes docs/screenshot.png, the README's picture of the main window:
# builds, starts the program from its run folder on a private Xvfb display
# with a private configuration, and captures its window.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh >/dev/null

display=50
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
    [ "$display" -le 99 ] || { echo "no free display between :50 and :99" >&2; exit 1; }
done
home=$(mktemp -d)
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
program=""
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT INT TERM
export DISPLAY=":$display"
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

# A stored language keeps the first-start language question away.
mkdir -p "$home/.config"
printf 'ui_language=default\n' >"$home/.config/Pairavel.conf"
(cd build/run && exec env HOME="$home" XDG_CONFIG_HOME="$home/.config" LANG=en_US.UTF-8 \
    LC_ALL=en_US.UTF-8 ./amorquant) &
program=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Amorquant$' | head -n 1)
# Wide enough for the status bar's text; then let it lay out and draw.
xdotool windowsize "$window" 760 700
sleep 2
import -window "$window" docs/screenshot.png
echo "wrote docs/screenshot.png"
