#!/bin/sh
# Refreshes docs/screenshot.png, the README's picture of the main window:
# builds, starts the program from its run folder on a private Xvfb display
# with a private configuration, and captures its window.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh screenshot
scripts/build.sh >/dev/null

. scripts/display.sh
start_private_display
home=$(mktemp -d)
program=""
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT INT TERM

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
