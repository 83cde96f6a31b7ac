#!/bin/sh
# Refreshes docs/screenshot-windows.png, the README's picture of the Windows
# program: builds it (scripts/windows.sh), starts it under Wine in Chinese on
# a private Xvfb display, in a Wine prefix of its own, opens the About box
# with F1 and captures the main window with the box over it.
set -eu
cd "$(dirname "$0")/.."
scripts/windows.sh >/dev/null

. scripts/display.sh
. tests/windows/wine.sh
start_private_display
root=$(mktemp -d)
program=""
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$root"
}
trap cleanup EXIT INT TERM

new_wine_prefix "$root/prefix"
wine reg add "$settings_key" /v ui_language /d zh_CN /f >/dev/null
(cd build-win/run && exec wine amorquant.exe) &
program=$!
window=$(wait_window "$chinese_title")
[ -n "$window" ] || fail "the program did not start"
sleep 2
xdotool windowfocus --sync "$window" key F1
about=$(wait_window "关于恋人估价器")
[ -n "$about" ] || fail "the About box did not open"
sleep 2
# The main window's rectangle, taken from the whole screen so that the box
# above it shows.
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage docs/screenshot-windows.png
echo "wrote docs/screenshot-windows.png"
