# Shared by the tests that start the real program under a display: sourced,
# not run. Callers set $work (a copy of the run folder, see copy_run_folder)
# and $home (the HOME the program runs with), and $case_name for messages;
# $title when the main window is named other than "Amorquant", $alone to
# fail on any other window instead of answering it, and $from to start it in
# another folder than its own; $box to wait for a window of that name first.
# The program's standard error lands in
# $work/stderr; $answered counts the other windows answered. Needs xdotool.

failures=0

copy_run_folder() {
    work=$(mktemp -d)
    cp -r "$1"/amorquant "$1"/rules "$1"/img "$1"/locales "$work"/
}

fail() {
    echo "FAIL [$case_name]: $*"
    failures=$((failures + 1))
}

# Waits for the main window, taking the first row of the language dialog that
# a start without a readable language setting shows first. Names are compared
# here, exactly: xdotool matches without regard to case, and a dialog is
# briefly named after the program before it gets its title.
main_window() {
    local w name
    for _ in $(seq 600); do
        for w in $(xdotool search --onlyvisible --pid "$1" --name . 2>/dev/null); do
            name=$(xdotool getwindowname "$w" 2>/dev/null)
            [ "$name" = "${title:-Amorquant}" ] && { echo "$w"; return 0; }
            # One key only: another would reach the main window.
            [ "$name" = "Language selection" ] &&
                xdotool windowfocus --sync "$w" key Return 2>/dev/null && sleep 1
        done
        sleep 0.1
    done
    return 1
}

# Answers the program's other windows (error reports, the language dialog).
dismiss_others() {
    local pid=$1 main=$2 w
    for _ in $(seq 100); do
        [ -z "${box:-}" ] && break
        xdotool search --onlyvisible --pid "$pid" --name "$box" >/dev/null 2>&1 && break
        sleep 0.1
    done
    sleep 0.5
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [ "$w" = "$main" ] && continue
        [ -n "${alone:-}" ] && fail "another window: $(xdotool getwindowname "$w" 2>/dev/null)"
        answered=$((answered + 1))
        xdotool windowfocus --sync "$w" key Return 2>/dev/null
        sleep 0.3
    done
}

# Runs the program once on $home and closes it; fails the case when it shows
# no window, hangs or exits with an error.
run_program() {
    local pid win rc w
    answered=0
    (cd "${from:-$work}" && HOME=$home XDG_CONFIG_HOME=$home/.config exec "$work/amorquant" \
        2>"$work/stderr") &
    pid=$!
    if ! win=$(main_window "$pid"); then
        fail "no main window"
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        return
    fi
    dismiss_others "$pid" "$win"
    xdotool windowfocus --sync "$win" key alt+F4
    # Waits for the exit, answering the error report of a failed write-out.
    for _ in $(seq 120); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.5
        for w in $(xdotool search --onlyvisible --pid "$pid" --name ' Error$' 2>/dev/null); do
            xdotool windowfocus --sync "$w" key Return 2>/dev/null
        done
    done
    if kill -0 "$pid" 2>/dev/null; then
        fail "still running after Alt+F4"
        kill -9 "$pid"
    fi
    wait "$pid"
    rc=$?
    [ "$rc" -eq 0 ] || fail "exit status $rc"
    # A critical or a warning from the toolkit is a fault of the program's.
    if grep -E -- '-(CRITICAL|WARNING) \*\*' "$work/stderr" >&2; then
        fail "the toolkit reported the lines above"
    fi
}
