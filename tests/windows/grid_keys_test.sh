#!/bin/sh
# Keys typed on the checklist under Wine, as real key presses sent to the
# program's window (grid_keys_test.sh RUN_DIR; run by tests/windows/run.sh),
# on a list of a number row followed by a checkbox row:
# - a digit typed on the selected number row opens it with that digit;
# - a letter, Home, End, Page Down and a held key leave the selection where
#   it is, so the next digit still opens the number row.
# What the opened row holds is read through the clipboard (Shift+Home,
# Ctrl+C in its editor); Escape then leaves the editor for the list.
set -eu
run=$(cd "$1" && pwd)
. "$(dirname "$0")/wine.sh"
make_scratch

cp -r "$run/amorquant.exe" "$run/img" "$run/locales" "$work/"
mkdir "$work/rules"
cat >"$work/rules/rules_gf_normal-zh_CN.xml" <<'RULES'
<?xml version="1.0" encoding="UTF-8"?>
<rules>
  <rule><id>books</id><pg_type>int</pg_type><content>Books a month</content>
    <upper_limit>0</upper_limit><lower_limit>0</lower_limit><upper_price>0</upper_price><lower_price>10</lower_price></rule>
  <rule><id>cooks</id><pg_type>bool</pg_type><content>Cooks</content>
    <upper_limit>0</upper_limit><lower_limit>0</lower_limit><upper_price>0</upper_price><lower_price>200</lower_price></rule>
</rules>
RULES

wine reg add "$settings_key" /v ui_language /d en /f >/dev/null
(cd "$work" && exec wine amorquant.exe) &
program=$!
window=$(wait_window "Amorquant")
[ -n "$window" ] || fail "no main window"
sleep 1
xdotool windowfocus --sync "$window"

keys() {
    xdotool key --clearmodifiers --delay 150 "$@"
    sleep 0.5
}

# What the editor of the selected row holds once the digit is typed, or
# "nothing" when no editor took it.
opened_with() {
    # Served once at most, and kept from the output, which would otherwise
    # wait for it.
    printf nothing | xclip -loops 1 -selection clipboard -i >/dev/null 2>&1
    keys "$1" shift+Home ctrl+c
    xclip -selection clipboard -o 2>/dev/null || true
    keys Escape
}

# From the friend-type choice to the list, whose first row is the category,
# and down to the number row.
keys Tab Tab Down Down
held=$(opened_with 7)
[ "$held" = 7 ] || fail "a digit typed on the number row opened it with '$held'"
keys a Home End Next
held=$(opened_with 8)
[ "$held" = 8 ] || fail "after a letter, Home, End and Page Down the digit opened '$held'"
xdotool keydown b
sleep 1.5
xdotool keyup b
sleep 0.5
held=$(opened_with 9)
[ "$held" = 9 ] || fail "after a held key the digit opened '$held'"
close_program "$program"
program=""
echo "digits typed on the number row open it; other keys leave the selection in place"
