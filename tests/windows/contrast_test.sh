#!/bin/sh
# The real program under Wine with a high-contrast scheme, white on black
# (contrast_test.sh RUN_DIR PROBE): the panes whose texts the program or the
# library draws (the toolbar, both notebooks' tab rows, the result page and
# the status bar) are dark with light text on them, as the scheme asks, not
# light parts under the scheme's white text. In a Wine prefix of its own: the
# colours hold for the whole prefix.
set -eu
run=$(cd "$1" && pwd)
probe=$2
. "$(dirname "$0")/wine.sh"
make_scratch

new_wine_prefix "$work/prefix"
wine reg add "$settings_key" /v ui_language /d zh_CN /f >/dev/null
use_high_contrast
(cd "$run" && exec wine amorquant.exe) &
program=$!
[ -n "$(wait_window "$chinese_title")" ] || fail "the program did not start"
wine "$probe" --places "$chinese_title" | tr -d '\r' >"$work/places"
cat "$work/places"
sleep 2
import -window root "$work/screen.png"

# Shares of a region's pixels darker than a quarter grey (the background) and
# lighter than three quarters (the text).
share() {
    convert "$work/screen.png" -crop "$1" +repage -colorspace gray $2 -threshold "$3" \
        -format '%[fx:mean]' info:
}
failed=0
while read -r pane place; do
    dark=$(share "$place" -negate 75%)
    light=$(share "$place" "" 75%)
    echo "$pane: dark $dark, light $light"
    awk -v d="$dark" -v l="$light" 'BEGIN { exit !(d > 0.5 && l > 0.005) }' ||
        { echo "FAIL: $pane is not light text on a dark background" >&2; failed=1; }
done <"$work/places"
[ "$failed" = 0 ]
close_program "$program"
program=""
