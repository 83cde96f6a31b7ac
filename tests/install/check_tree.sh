#!/bin/sh
# Checks an installed Amorquant below ROOT (a DESTDIR or an unpacked .deb)
# whose install prefix was PREFIX, against the run folder of BUILD.
# Usage: check_tree.sh ROOT PREFIX BUILD
set -eu
root=$1 prefix=$2 build=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

for exe in amorquant amorquant-check; do
    [ -x "$root$prefix/bin/$exe" ] || fail "no $prefix/bin/$exe"
done

entry=$root$prefix/share/applications/amorquant.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate $entry"
value() { sed -n "s/^$1=//p" "$entry"; }
# No Path=: the program finds its data from wherever it is started.
[ -z "$(value Path)" ] || fail "Path=$(value Path)"
[ "$(value Exec)" = amorquant ] || fail "Exec=$(value Exec)"
[ "$(value Icon)" = amorquant ] || fail "Icon=$(value Icon)"

metainfo=$root$prefix/share/metainfo/net.larkvale.amorquant.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"

# The data folder holds what the run folder holds beside the program.
data=$root$prefix/share/amorquant
expected=$(cd "$build/run" && find rules img locales | sort)
actual=$(cd "$data" && find rules img locales | sort)
[ "$expected" = "$actual" ] || fail "data differs from the run folder:
$(printf '%s\n' "$expected" >"$root/expected.lst"; printf '%s\n' "$actual" | diff "$root/expected.lst" - || true)"
"$root$prefix/bin/amorquant-check" "$data"/rules/*.xml || fail "installed rules do not check clean"
# The rule-format references, English and Chinese, where --help says.
for doc in rule-format.md rule-format.zh_CN.md; do
    cmp -s "$build/run/doc/$doc" "$root$prefix/share/doc/amorquant/$doc" ||
        fail "share/doc/amorquant/$doc is not the run folder's doc/$doc"
done

# man finds the manual pages by name and renders them without a complaint
# from groff; the program's names the data folder it was installed with, and
# the checker's lists the options and exit statuses that its --help lists.
for page in amorquant amorquant-check; do
    MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -E UTF-8 -M "$root$prefix/share/man" 1 "$page" \
        2>"$root/man.err" | col -b >"$root/$page.txt"
    [ ! -s "$root/man.err" ] || fail "man $page: $(cat "$root/man.err")"
done
grep -q "$prefix/share/amorquant" "$root/amorquant.txt" || fail "amorquant(1) does not name $prefix/share/amorquant"
options() { grep -oE '(^|[][ |,])--?[a-z]+' | tr -d '][ |,' | sort -u; }
statuses() { grep -oE '(^| )[0-9]( |$)' | tr -d ' ' | sort -u; }
"$root$prefix/bin/amorquant-check" --help >"$root/help.txt" || fail "amorquant-check --help"
[ "$(options <"$root/help.txt")" = "$(options <"$root/amorquant-check.txt")" ] ||
    fail "amorquant-check --help and its manual page list different options: $(options <"$root/help.txt" | tr '\n' ' ')/ $(options <"$root/amorquant-check.txt" | tr '\n' ' ')"
[ "$(sed -n '/^Exit status:/,$p' "$root/help.txt" | statuses)" = \
  "$(sed -n '/^EXIT STATUS/,/^[A-Z]/p' "$root/amorquant-check.txt" | awk '$1 ~ /^[0-9]$/ { print $1 }')" ] ||
    fail "amorquant-check --help and its manual page list different exit statuses"

icons=$root$prefix/share/icons/hicolor
for size in 16 22 24 32 48 64 128 256; do
    file "$icons/${size}x$size/apps/amorquant.png" | grep -q "PNG image data, $size x $size" ||
        fail "no ${size}x$size icon"
done
grep -q '<svg' "$icons/scalable/apps/amorquant.svg" || fail "no scalable icon"

# Start it as the launcher does, from an empty folder, with a private
# configuration: its main window must open in Chinese (the catalogs found)
# without any other window (a missing image or rule file shows a box).
if [ -n "${DISPLAY:-}" ]; then
    sh "$(dirname "$0")/../../debian/tests/smoke" "$root$prefix/bin/$(value Exec)" ||
        fail "the installed program did not start and close cleanly"
fi
echo "installed tree under $root$prefix is complete"
