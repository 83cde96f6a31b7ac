#!/bin/sh
# Window tests at a screen scale under Wine (dpi_test.sh DPI SCREEN GUI_TESTS
# RUN_DIR FILTER; run by tests/windows/run.sh): Wine told the screen has DPI
# dots per inch (144 is 150 %, 192 is 200 %), on a display of the size a
# laptop at that scale has (WIDTHxHEIGHT), runs the window tests in FILTER.
# They check that the window is laid out for the scale and that the
# pictures are the large ones. The prefix is given back at 96 DPI, with its
# server on the test display again.
set -eu
dpi=$1 screen=$2 gui_tests=$3 run=$4 filter=$5
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine.sh"
. "$here/../../scripts/display.sh"

dpi_key='HKCU\Control Panel\Desktop'
test_display=$DISPLAY
# Wine reads the scale and the screen when its server starts. The server and
# the programs it starts with it (wineboot starts them) stay up, and must
# not hold the test's output open, which the test runner waits on.
restart_wine() {
    wineserver -k 2>/dev/null || true
    wineserver -p >/dev/null 2>&1
    wineboot >/dev/null 2>&1 </dev/null
}
restore() {
    wine reg delete "$dpi_key" /v LogPixels /f >/dev/null 2>&1 || true
    kill "$xvfb" 2>/dev/null || true
    export DISPLAY="$test_display"
    restart_wine
}
trap restore EXIT
wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
start_private_display "$screen"
restart_wine
cd "$run"
# The tests compare the scale they find with the one asked for.
GDK_SCALE=$(awk "BEGIN { print $dpi / 96 }") wine "$gui_tests" --gtest_filter="$filter"
