#!/bin/bash
# Starts the real program from a copy of its run folder, as a user would,
# and closes it with Alt+F4. It must open its window also when a data folder
# is missing, exit cleanly and record the window geometry in its settings.
# Usage: startup_test.sh RUN_FOLDER (needs a display and xdotool).
set -u
. "$(dirname "$0")/program.sh"
run_dir=$(cd "$1" && pwd)

run_case() {
    case_name=$1
    copy_run_folder "$run_dir"
    [ -n "$2" ] && rm -rf "${work:?}/$2"
    home=$(mktemp -d)
    mkdir -p "$home/.config"
    printf 'ui_language=en\n' >"$home/.config/Pairavel.conf"
    run_program
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
