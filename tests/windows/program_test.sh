#!/bin/sh
# The real program under Wine, started from its run folder as a user would
# (program_test.sh RUN_DIR; run by tests/windows/run.sh):
# - a first start asks for the language before any other window; choosing
#   Chinese gives a Chinese main window;
# - closing it leaves the language and the five window keys in the registry;
# - the checklist holds the shipped rows: the window differs from one
#   started on a rule file without rules, but not its result page, since
#   nothing is charged before it is answered;
# - Chinese is drawn as glyphs: the result page differs from the same page
#   drawn without the Chinese font, and is not blank.
set -eu
run=$(cd "$1" && pwd)
. "$(dirname "$0")/wine.sh"
make_scratch

start_program() {
    (cd "$1" && exec wine amorquant.exe) &
    program=$!
}

# Screenshot of the main window once it has drawn everything: two shots
# half a second apart are the same.
capture() {
    window=$(wait_window "$chinese_title")
    [ -n "$window" ] || fail "no Chinese main window"
    import -window "$window" "$work/$1.png"
    for _ in $(seq 120); do
        sleep 0.5
        import -window "$window" "$work/next.png"
        [ "$(compare -metric AE "$work/$1.png" "$work/next.png" null: 2>&1 || true)" = 0 ] && return
        mv "$work/next.png" "$work/$1.png"
    done
    fail "the window did not settle"
}

wine reg delete "$settings_key" /f >/dev/null 2>&1 || true

# First start: the language question comes first.
start_program "$run"
dialog=$(wait_window "Language selection")
[ -n "$dialog" ] || fail "no language dialog on the first start"
! has_window "Amorquant" && ! has_window "$chinese_title" ||
    fail "the main window came before the language dialog"
# Rows: (Use default language), Chinese (Simplified), English. The list
# takes the keys once the dialog has settled and has the focus.
sleep 1
xdotool windowfocus --sync "$dialog"
sleep 0.5
xdotool key --clearmodifiers Down Return
capture chinese
close_program "$program"

settings=$(wine reg query "$settings_key" /s)
echo "$settings"
echo "$settings" | grep -q "ui_language *REG_SZ *zh_CN" || fail "ui_language not stored"
for name in nRemSizePos x y w h; do
    echo "$settings" | grep -q "^ *$name *REG_DWORD" || fail "Frame/$name not stored"
done

# The same start on a copy of the run folder whose rule file has no rules.
mkdir "$work/norules"
cp -r "$run/amorquant.exe" "$run/img" "$run/locales" "$work/norules/"
mkdir "$work/norules/rules"
printf '<?xml version="1.0" encoding="UTF-8"?>\n<rules/>\n' >"$work/norules/rules/rules_gf_normal-zh_CN.xml"
start_program "$work/norules"
capture norules
close_program "$program"

# And on the run folder once more, without the font links.
unlink_cjk_font
start_program "$run"
capture boxes
close_program "$program"
link_cjk_font

# Where the checklist rows and the result page's text are in the window
# (its client area is 512 by 640 pixels, the frame Wine's own).
checklist_region=480x240+15+160
page_region=490x120+15+505

# Differing pixels of two screenshots in a region (WxH+X+Y), and the spread
# of grey levels of one (0 for a blank region).
differing() {
    compare -metric AE -fuzz 5% "$work/$1.png[$3]" "$work/$2.png[$3]" null: 2>&1 || true
}
spread() {
    convert "$work/$1.png[$2]" -colorspace gray -format '%[fx:int(standard_deviation*1000)]' info:
}

checklist=$(differing chinese norules "$checklist_region")
echo "checklist region: $checklist pixels differ from an empty checklist"
[ "$checklist" -gt 500 ] || fail "the checklist looks empty"
total=$(differing chinese norules "$page_region")
echo "result page: $total pixels differ from the page of an empty checklist"
[ "$total" -lt 20 ] || fail "the unanswered checklist does not total the base value"

page=$(differing chinese boxes "$page_region")
echo "result page: $page pixels differ from the page drawn without the Chinese font"
[ "$page" -gt 200 ] || fail "Chinese on the result page is drawn the same without the font"
[ "$(spread chinese "$page_region")" -gt 50 ] || fail "the result page is blank"
