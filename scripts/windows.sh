#!/bin/sh
# Builds the 64-bit Windows program with MinGW-w64 into build-win/ and makes
# build-win/amorquant-<version>-win64.zip (the run folder) and
# build-win/amorquant-<version>-win64-setup.exe (the installer). With --test
# it then runs the Windows tests under Wine on a private Xvfb display, in a
# Wine prefix of their own that is made for the run and removed after it.
# With --bench it builds only the program and the performance bench's frames
# (scripts/bench.sh times them under Wine).
#
# The libraries it links are cross-built once per machine by
# scripts/windows-deps.sh and kept in ~/.cache/amorquant.
set -eu
cd "$(dirname "$0")/.."

test=0
tests=ON
bench=OFF
case "${1:-}" in
--test) test=1 ;;
--packages) tests=OFF ;; # the zip and installer only (scripts/reproducible.sh)
--bench) tests=OFF bench=ON ;;
"") ;;
*) echo "usage: $0 [--test | --packages | --bench]" >&2; exit 2 ;;
esac

scripts/deps.sh windows

# The images are drawn by the native build's tool.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target drawimages

deps=$(scripts/windows-deps.sh)
cmake -S . -B build-win -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$(pwd)/cmake/mingw-w64.cmake" -DAMORQUANT_WIN_DEPS="$deps" \
    -DAMORQUANT_DRAWIMAGES="$(pwd)/build/tools/drawimages" -DBUILD_TESTING=$tests \
    -DAMORQUANT_BENCH=$bench >/dev/null
if [ "$bench" = ON ]; then
    cmake --build build-win -j "$(nproc)" --target amorquant minimal_frame library_frame window_frame
    exit 0
fi
[ "$tests" = OFF ] || cmake --build build-win -j "$(nproc)"
cmake --build build-win -j "$(nproc)" --target windows_packages
ls build-win/amorquant-*-win64.zip build-win/amorquant-*-win64-setup.exe

[ "$test" = 1 ] || exit 0
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" tests/windows/run.sh build-win
