#!/bin/sh
# Fails, listing the texts, when the code passes a text through translation
# that the catalog does not translate. Texts already written in Chinese (the
# result page) need no entry. Extra catalog entries are fine: texts may be
# translated before the code that shows them lands.
# Also fails on a translation that drops an access key (&X) or a shortcut
# after a tab, or writes an ASCII colon or bracket in Chinese text.
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

# One line per entry, so that awk sees each msgid beside its msgstr.
msgcat --no-wrap --no-location "$po" | awk '
    /^msgid "/ { id = substr($0, 8, length($0) - 8) }
    /^msgstr "/ {
        str = substr($0, 9, length($0) - 9)
        if (str == "")
            next
        why = ""
        if (match(id, /&[[:alnum:]]/) && index(toupper(str), toupper(substr(id, RSTART, 2))) == 0)
            why = "drops the access key " substr(id, RSTART, 2)
        tab = index(id, "\\t")
        if (tab && substr(str, length(str) - length(id) + tab) != substr(id, tab))
            why = "drops the shortcut " substr(id, tab + 2)
        # Chinese text (any byte beyond ASCII) takes full-width punctuation;
        # access keys "(&X)" and "(C)" keep their ASCII brackets.
        plain = str
        gsub(/\(&[[:alnum:]]\)|\(C\)/, "", plain)
        if (plain ~ /[^\001-\177]/ && plain ~ /[:()]/)
            why = "writes an ASCII colon or bracket in Chinese text"
        if (why != "") {
            print "msgid \"" id "\": msgstr \"" str "\" " why > "/dev/stderr"
            bad = 1
        }
    }
    END { exit bad }
'
