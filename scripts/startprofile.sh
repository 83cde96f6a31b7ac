#!/bin/sh
# Counts the instructions of one start, from exec until the main window is
# mapped, with callgrind: unlike wall time, the count does not depend on
# the machine's load. Usage:
#   scripts/startprofile.sh en|zh_CN|minimal|library|window|window-zh_CN [output file]
# (the bench's yardsticks: the bare frame, the frame holding the empty
# library widgets and the frame holding the window's widgets, this one in
# English or Chinese; build with -DAMORQUANT_BENCH=ON first). Read the
# result with: callgrind_annotate --inclusive=yes OUTPUT
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
what=${1:?en, zh_CN, minimal, library, window or window-zh_CN}
out=${2:-$root/build/startprofile-$what.callgrind}
args=
case $what in
    minimal) program=$root/build/bench/minimal_frame language=en ;;
    library | window) program=$root/build/bench/${what}_frame language=en args=en_US ;;
    window-zh_CN) program=$root/build/bench/window_frame language=zh_CN args=zh_CN ;;
    *) program=$root/build/run/amorquant language=$what ;;
esac

. scripts/display.sh
start_private_display
home=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$home"' EXIT INT TERM
mkdir -p "$home/.config"
echo "ui_language=$language" >"$home/.config/Pairavel.conf"

cd build/run
# Children the libraries fork get files of their own (out.PID); the main
# process's count at the map is out.PID.1.
HOME=$home XDG_CONFIG_HOME=$home/.config \
    valgrind --tool=callgrind --callgrind-out-file="$out.%p" "$program" $args >/dev/null 2>&1 &
pid=$!
# Under valgrind the program keeps its process id, which the window names.
xdotool search --sync --onlyvisible --pid "$pid" >/dev/null
callgrind_control -d "$pid" >/dev/null 2>&1
kill "$pid"
wait "$pid" || true
ls "$out".*.1
