#!/bin/sh
# Runs the Windows tests of a cross build (tests/windows/run.sh BUILD_DIR
# [CTEST ARGUMENTS], say -R windows_program to run one) under Wine, on the X display in DISPLAY, in a fresh Wine prefix that is
# removed afterwards: nothing touches the user's own prefix.
set -eu
build=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine.sh"

root=$(mktemp -d "${TMPDIR:-/tmp}/amorquant-wine-XXXXXX")
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$root"
}
trap cleanup EXIT INT TERM
start=$(date +%s)
new_wine_prefix "$root/prefix"
echo "Wine prefix made in $(($(date +%s) - start)) s"
# One program at a time: they share the prefix's registry.
ctest --test-dir "$build" --output-on-failure --timeout 600 -j 1 "$@"
