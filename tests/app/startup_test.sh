#!/bin/bash
# Starts the real program from a copy of its run folder, as a user would,
# and closes it with Alt+F4. It must open its window also when a data folder
# is missing, exit cleanly and record the window geometry in its settings.
# Usage: startup_test.sh RUN_FOLDER (needs a display and xdotool).
set -u
run_dir=$(cd "$1" && pwd)
failures=0

fail() {
    echo "FAIL [$case_name]: $*"
    failures=$((failures + 1))
}

# Waits until the program shows a window named exactly "Amorquant".
main_window() {
    for _ in $(seq 100); do
        local w
        w=$(xdotool search --onlyvisible --pid "$1" --name '^Amorquant$' 2>/dev/null | head -n1)
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.1
    done
    return 1
}

# Answers any other window of the program (such as the library's error
# reports about a missing file) with Return.
dismiss_others() {
    local pid=$1 main=$2 w
    sleep 0.5
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [ "$w" = "$main" ] && continue
        xdotool windowfocus --sync "$w" key Return 2>/dev/null
        sleep 0.3
    done
}

run_case() {
    case_name=$1
    local missing=$2
    local work home pid win rc
    work=$(mktemp -d)
    home=$(mktemp -d)
    cp -r "$run_dir"/amorquant "$run_dir"/rules "$run_dir"/img "$run_dir"/locales "$work"/
    [ -n "$missing" ] && rm -rf "${work:?}/$missing"
    mkdir -p "$home/.config"
    printf 'ui_language=en\n' >"$home/.config/Pairavel.conf"

    (cd "$work" && HOME=$home XDG_CONFIG_HOME=$home/.config exec ./amorquant) &
    pid=$!
    if ! win=$(main_window "$pid"); then
        fail "no main window"
        kill "$pid" 2>/dev/null
        return
    fi
    dismiss_others "$pid" "$win"
    xdotool windowfocus --sync "$win" key alt+F4
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        fail "still running after Alt+F4"
        kill -9 "$pid"
    fi
    wait "$pid"
    rc=$?
    [ "$rc" -eq 0 ] || fail "exit status $rc"
    for key in nRemSizePos=1 'x=' 'y=' 'w=' 'h='; do
        grep -q "^$key" "$home/.config/Pairavel.conf" || fail "settings lack $key"
    done
    grep -q '^ui_language=en$' "$home/.config/Pairavel.conf" || fail "settings lost ui_language"
    rm -rf "$work" "$home"
    echo "done [$case_name]"
}

run_case "complete run folder" ""
run_case "no img folder" img
run_case "no locales folder" locales
run_case "no rules folder" rules
[ "$failures" -eq 0 ]
