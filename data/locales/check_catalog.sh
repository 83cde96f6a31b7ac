#!/bin/sh
# Fails, listing the texts, when the code passes a text through translation
# that the catalog does not translate. Texts already written in Chinese (the
# result page) need no entry. Extra catalog entries are fine: texts may be
# translated before the code that shows them lands.
# Usage: check_catalog.sh SOURCE_DIR CATALOG.po
set -eu
src=$1
po=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

find "$src" -name '*.cpp' -o -name '*.h' | sort >"$tmp/files"
xgettext --force-po --from-code=UTF-8 --language=C++ --keyword=_ --keyword=wxGetTranslation \
    --keyword=wxTRANSLATE --files-from="$tmp/files" --output="$tmp/code.pot"
# An all-ASCII template names no charset, which msggrep refuses.
sed -i 's/charset=CHARSET/charset=UTF-8/' "$tmp/code.pot"
LC_ALL=C.UTF-8 msggrep --invert-match --msgid --extended-regexp --regexp='[一-鿿]' \
    "$tmp/code.pot" --output-file="$tmp/needed.pot"
# Without --use-untranslated and --use-fuzzy, empty and fuzzy entries count
# as missing.
if ! msgcmp "$po" "$tmp/needed.pot" 2>"$tmp/report"; then
    echo "Translated in the code but not in $po:" >&2
    # msgcmp names the line of each missing text; show it with its sources.
    sed -n 's/^.*needed\.pot:\([0-9]*\): .*/\1/p' "$tmp/report" | while read -r line; do
        sed -n "$((line - 2)),${line}p" "$tmp/needed.pot"
    done >&2
    exit 1
fi
