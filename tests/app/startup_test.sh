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

# Only the C library's built-in C.UTF-8, as on a fresh install or in a
# container (LOCPATH at an empty folder): the window comes up in the stored
# language all the same, with no other window, and the missing locale is
# told once on standard error.
run_without_locales() {
    case_name="no system locales, $1"
    copy_run_folder "$run_dir"
    home=$(mktemp -d)
    mkdir -p "$home/.config"
    printf 'ui_language=%s\n' "$1" >"$home/.config/Pairavel.conf"
    locales=$(mktemp -d)
    LOCPATH=$locales title=$2 alone=1 run_program
    [ "$(grep -c "$3" "$work/stderr")" -eq 1 ] || fail "stderr: $(cat "$work/stderr")"
    rm -rf "$work" "$home" "$locales"
    echo "done [$case_name]"
}

# Started from another folder (a file manager, a terminal elsewhere): the
# data come from the program's own folder, so the window is Chinese, the
# checklist and images load (a missing file would show a box) and no box
# shows. Where no folder holds the data, one box says so.
run_elsewhere() {
    case_name="started elsewhere, $1"
    copy_run_folder "$run_dir"
    [ -n "$2" ] && rm -rf "${work:?}/$2"
    home=$(mktemp -d)
    mkdir -p "$home/.config"
    printf 'ui_language=zh_CN\n' >"$home/.config/Pairavel.conf"
    elsewhere=$(mktemp -d)
    mkdir "$elsewhere/img" # a folder of that name is not the program's data
    if [ -z "$2" ]; then
        title=恋人估价器 alone=1 from=$elsewhere run_program
    else
        from=$elsewhere box=Error run_program
        [ "$answered" -eq 1 ] || fail "$answered other windows, not one"
    fi
    rm -rf "$work" "$home" "$elsewhere"
    echo "done [$case_name]"
}

# The language chosen at the first start is kept when the session ends by
# SIGTERM (a logout), not only at a clean quit.
case_name="language kept after SIGTERM"
copy_run_folder "$run_dir"
home=$(mktemp -d)
(cd "$work" && HOME=$home XDG_CONFIG_HOME=$home/.config exec ./amorquant 2>stderr) &
pid=$!
title="Amorquant" main_window "$pid" >/dev/null || fail "no main window"
kill -TERM "$pid"
wait "$pid"
grep -qx 'ui_language=default' "$home/.config/Pairavel.conf" 2>/dev/null || fail "language lost"
rm -rf "$work" "$home"
echo "done [$case_name]"

# An author's folder holding only rules/ (the README's way to try one's own
# lists): the rules are read there, the pictures and the translations from
# the program's folder, so the window is Chinese and no box shows.
case_name="author's folder with rules only"
copy_run_folder "$run_dir"
home=$(mktemp -d)
mkdir -p "$home/.config"
printf 'ui_language=zh_CN\n' >"$home/.config/Pairavel.conf"
author=$(mktemp -d)
cp -r "$work/rules" "$author/"
title=恋人估价器 alone=1 from=$author run_program
rm -rf "$work" "$home" "$author"
echo "done [$case_name]"

run_elsewhere "run folder" ""
run_elsewhere "no data anywhere" rules
run_without_locales zh_CN 恋人估价器 '系统未安装 zh_CN 的区域设置'
run_without_locales en Amorquant 'locale for en_GB is not installed'
run_case "complete run folder" ""
run_case "no img folder" img
run_case "no locales folder" locales
run_case "no rules folder" rules
[ "$failures" -eq 0 ]
