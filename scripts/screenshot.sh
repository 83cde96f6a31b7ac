#!/bin/sh
# Refreshes docs/screenshot.png, the README's picture of the main window:
# builds, starts the program from its run folder on a private Xvfb display
# with a private configuration, and captures its window.
# Usage: screenshot.sh [SCALE]; screenshot.sh 2 takes docs/screenshot-200.png
# as a screen at 200 % shows the window (GDK_SCALE=2).
set -eu
scale=${1:-1}
case $scale in
1) picture=docs/screenshot.png ;;
[2-4]) picture=docs/screenshot-${scale}00.png ;;
*) echo "usage: $0 [SCALE from 1 to 4]" >&2; exit 2 ;;
esac
cd "$(dirname "$0")/.."
scripts/deps.sh screenshot
scripts/build.sh >/dev/null

. scripts/display.sh
start_private_display "$((1280 * scale))x$((1024 * scale))"
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
    LC_ALL=en_US.UTF-8 GDK_SCALE="$scale" ./amorquant) &
program=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Amorquant$' | head -n 1)
# Wide enough for the status bar's text (in screen pixels, so times the
# scale); then let it lay out and draw.
xdotool windowsize "$window" $((760 * scale)) $((700 * scale))
sleep 2
import -window "$window" "$picture"
echo "wrote $picture"
