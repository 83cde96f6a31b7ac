#!/bin/sh
# Builds and runs the performance bench on a private Xvfb display and prints
# its table. Pass --quick for fewer runs, --only=start|checklist|writer for
# one section. The start-up section also times the Windows build under Wine
# (built into build-win/ by scripts/windows.sh --bench, started in a Wine
# prefix made for the run and removed after it); --no-wine leaves that out.
# Timings are medians or best runs, but run it when the machine is otherwise
# quiet.
set -eu
cd "$(dirname "$0")/.."

wine=1
for arg; do
    shift
    case $arg in
    --no-wine) wine=0; continue ;;
    --only=checklist | --only=writer) wine=0 ;;
    esac
    set -- "$@" "$arg"
done

scripts/deps.sh bench
scripts/build.sh -DAMORQUANT_BENCH=ON >/dev/null
[ "$wine" = 0 ] || scripts/windows.sh --bench >/dev/null

. scripts/display.sh
start_private_display
root=""
cleanup() {
    if [ -n "$root" ]; then
        # Only this prefix's server and the programs in it.
        WINEPREFIX="$root/prefix" wineserver -k 2>/dev/null || true
        rm -rf "$root"
    fi
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 1' INT TERM

if [ "$wine" = 1 ]; then
    . tests/windows/wine.sh
    root=$(mktemp -d "${TMPDIR:-/tmp}/amorquant-bench-wine-XXXXXX")
    export WINEPREFIX="$root/prefix"
    # Its server stays up for the run, so no start pays for starting it. It
    # and its services run on CPU 0, where the bench starts the Windows
    # programs too (bench/winestart.cpp says why).
    taskset -c 0 sh -c '. tests/windows/wine.sh && new_wine_prefix "$1"' sh "$WINEPREFIX"
    set -- "$@" --wine=build-win
fi

build/bench/amorquant-bench "$@"
