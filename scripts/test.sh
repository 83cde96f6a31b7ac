#!/bin/sh
# Installs, builds and runs every test; the window tests run under Xvfb, and
# the in-process ones a second time under weston (Wayland). Besides one ctest
# test per case, each test program runs once whole (core_tests_whole,
# gui_tests_whole), so a test that depends on the ones before it fails. Then
# builds the Debian package twice and checks it (scripts/reproducible.sh).
# Then builds the Windows program, its zip and installer with
# scripts/windows.sh and runs its tests under Wine (AMORQUANT_WINDOWS=0
# skips this). Then builds the program and its tests once more into
# build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# the same tests there (packaging aside): any memory error, leak or undefined
# behaviour in the program's code fails them. AMORQUANT_SANITIZE=0 skips
# that run.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh test package
scripts/build.sh -DBUILD_TESTING=ON
run_tests() {
    dir=$1
    shift
    screen="-screen 0 1280x1024x24 -noreset"
    xvfb-run -a -s "$screen" \
        ctest --test-dir "$dir" --output-on-failure --timeout 300 -j "$(nproc)" "$@"
    # The in-process window tests once more as a Wayland client, in weston on
    # the X display; the tests that drive the program with xdotool are X only.
    xvfb-run -a -s "$screen" tests/support/with_weston.sh \
        ctest --test-dir "$dir" --output-on-failure --timeout 300 -j "$(nproc)" -L window -LE x11 "$@"
}
run_tests build
# The Debian package, built twice as Debian builds it: the same bytes both
# times, lintian-clean, and complete once unpacked.
scripts/reproducible.sh
xvfb-run -a -s "-screen 0 1280x1024x24" sh tests/install/deb_test.sh build-repro
[ "${AMORQUANT_WINDOWS:-1}" = 0 ] || scripts/windows.sh --test
[ "${AMORQUANT_SANITIZE:-1}" = 0 ] && exit 0

# vptr is left out: the headless tests use wxTheApp, whose type information
# lives in the window library they do not link.
sanitizers="-fsanitize=address,undefined -fno-sanitize=vptr -fno-omit-frame-pointer \
    -fno-sanitize-recover=undefined"
# -O1 and line tables only: half the build time of the usual flags. NDEBUG as
# in the usual build: the program then leaves the library's assertions off
# (the tests turn them into failures all the same).
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Sanitize -DCMAKE_CXX_FLAGS_SANITIZE="-O1 -g1 -DNDEBUG" \
    -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" >/dev/null
cmake --build build-asan -j "$(nproc)"
# Leaks inside the desktop libraries are theirs; the file names only those.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS="suppressions=$(pwd)/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_tests build-asan -E '^install_layout$'
