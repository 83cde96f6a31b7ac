#!/bin/sh
# What a screen reader finds in the real program under Wine (access_test.sh
# RUN_DIR PROBE; run by tests/windows/run.sh): the probe walks the main
# window's accessible objects from its window handles and checks the
# checklist's questions against the shipped rule file, a box ticked through
# its action, focus following Down, the toolbar's names, the total that
# Calculate then shows and the rows read afresh after another friend type
# is chosen.
set -eu
run=$(cd "$1" && pwd)
probe=$2
. "$(dirname "$0")/wine.sh"
make_scratch

# The list the program opens with, read here with another XML reader.
rules=$run/rules/rules_gf_normal-zh_CN.xml
count=$(xmllint --xpath 'count(/rules/rule)' "$rules")
for i in $(seq "$count"); do
    xmllint --xpath "string(/rules/rule[$i]/content)" "$rules"
    echo
done >"$work/questions.txt"
price=$(xmllint --xpath 'string((/rules/rule[pg_type="bool"])[1]/lower_price)' "$rules")

wine reg add "$settings_key" /v ui_language /d zh_CN /f >/dev/null
(cd "$run" && exec wine amorquant.exe) &
program=$!
[ -n "$(wait_window "$chinese_title")" ] || fail "the program did not start"
wine "$probe" "$chinese_title" "$(winepath -w "$work/questions.txt")" "$price"
close_program "$program"
program=""
