#!/bin/sh
# Refreshes the README's pictures of the Windows program,
# docs/screenshot-windows.png (100 %) and docs/screenshot-windows-150.png and
# -200.png (screens at 150 % and 200 %): builds it (scripts/windows.sh),
# starts it under Wine in Chinese on a private Xvfb display of a laptop's
# size at that scale, in a Wine prefix of its own told the screen's DPI,
# opens the About box with F1 and captures the main window with the box
# over it.
set -eu
cd "$(dirname "$0")/.."
scripts/windows.sh >/dev/null

. scripts/display.sh
. tests/windows/wine.sh
root=$(mktemp -d)
program=""
xvfb=""
stop() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    program="" xvfb=""
}
trap 'stop; rm -rf "$root"' EXIT INT TERM

# shot DPI SCREEN FILE
shot() {
    start_private_display "$2"
    new_wine_prefix "$root/prefix"
    wine reg add "$settings_key" /v ui_language /d zh_CN /f >/dev/null
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
    # Wine reads the DPI when its server starts.
    wineserver -k
    (cd build-win/run && exec wine amorquant.exe) &
    program=$!
    window=$(wait_window "$chinese_title")
    [ -n "$window" ] || fail "the program did not start"
    sleep 2
    xdotool windowfocus --sync "$window" key F1
    about=$(wait_window "关于恋人估价器")
    [ -n "$about" ] || fail "the About box did not open"
    sleep 2
    # The main window's rectangle, taken from the whole screen so that the
    # box above it shows.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$3"
    echo "wrote $3"
    stop
}

shot 96 1280x1024 docs/screenshot-windows.png
shot 144 1920x1080 docs/screenshot-windows-150.png
shot 192 2560x1600 docs/screenshot-windows-200.png
