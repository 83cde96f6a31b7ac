#!/bin/bash
# Starts the real program on broken or unwritable settings and closes it with
# Alt+F4. Each time it must open its window, exit cleanly and keep every
# setting it does not own; where the folder is writable it records the window
# geometry, where it is not the file stays as it was.
# Usage: config_store_test.sh RUN_FOLDER (needs a display and xdotool).
set -u
. "$(dirname "$0")/program.sh"
copy_run_folder "$(cd "$1" && pwd)"
trap 'chattr -i "$home/.config" 2>/dev/null; rm -rf "$work" "$home"' EXIT

# Settings the program does not own, which every run must keep.
others='[Other]
keep=this line
[Other/Deeper]
also=kept'

conf() { echo "$home/.config/Pairavel.conf"; }

# A fresh home whose settings file holds the given text.
new_home() {
    home=$(mktemp -d)
    mkdir -p "$home/.config"
    printf '%s\n' "$1" >"$(conf)"
}

expect_kept() {
    grep -qxF 'keep=this line' "$(conf)" || fail "lost [Other]"
    grep -qxF 'also=kept' "$(conf)" || fail "lost [Other/Deeper]"
}

expect_geometry() {
    for key in nRemSizePos=1 'x=-\?[0-9]' 'y=-\?[0-9]' 'w=[0-9]' 'h=[0-9]'; do
        grep -q "^$key" "$(conf)" || fail "no $key"
    done
}

# Broken settings files: the program runs, keeps what it does not own and
# records its geometry over whatever the Frame keys held.
broken_case() {
    case_name=$1
    new_home "$2"
    run_program
    expect_kept
    expect_geometry
    echo "done [$case_name]"
    rm -rf "$home"
}

broken_case "garbage lines" "ui_language=en
$others
this is no setting
[unclosed group
=value without a key
[Frame]
x"
broken_case "binary bytes" "ui_language=en
$others
$(LC_ALL=C awk 'BEGIN { for (i = 0; i < 4096; i++) printf "%c", 1 + (i * 7919) % 255 }')
[Frame]
w=$(printf '\377\376\001')"
broken_case "truncated" "ui_language=en
$others
[Fra"
broken_case "huge line" "ui_language=en
$others
[Frame]
x=$(head -c 5000000 /dev/zero | tr '\0' 7)"
broken_case "garbage language" "ui_language=$(printf 'zz\001\377')
$others"
broken_case "long language" "ui_language=$(head -c 100000 /dev/zero | tr '\0' z)
$others"
broken_case "garbage frame keys" "ui_language=en
$others
[Frame]
nRemSizePos=-7
x=nine
y=99999999999999999999
w=
h=1e9
[Frame/x]
inner=1"

# A damaged file is told about once: the first start shows a notice, keeps
# the damaged file beside the settings and writes a clean one holding what
# could be read, so that the second start is quiet.
case_name="damaged file, told once"
damaged="ui_language=en
$others
this is no setting
[Frame]
x"
new_home "$damaged"
box=Warning run_program
[ "$answered" -eq 1 ] || fail "$answered notices at the first start, not one"
[ "$(cat "$(conf).damaged" 2>/dev/null)" = "$damaged" ] || fail "the damaged file was not kept"
expect_kept
grep -q 'this is no setting' "$(conf)" && fail "the garbage was written back"
grep -qx 'ui_language=en' "$(conf)" || fail "the language was lost"
alone=1 run_program
echo "done [$case_name]"
rm -rf "$home"

# A folder in place of the settings file: it cannot be read nor replaced;
# the program runs, leaves the folder alone and no file beside it.
case_name="folder in place of the file"
home=$(mktemp -d)
mkdir -p "$(conf)/inside"
run_program
[ -d "$(conf)/inside" ] || fail "the folder was replaced"
[ "$(ls -A "$home/.config")" = Pairavel.conf ] || fail "stray files: $(ls -A "$home/.config")"
echo "done [$case_name]"
rm -rf "$home"

# A settings folder that cannot be written (as root, only an immutable flag
# stops a write): the write-out at exit fails and the file stays whole.
case_name="read-only settings folder"
new_home "ui_language=en
$others"
before=$(cat "$(conf)")
chmod a-w "$home/.config"
[ "$(id -u)" -ne 0 ] || chattr +i "$home/.config" 2>/dev/null
if touch "$home/.config/probe" 2>/dev/null; then
    echo "skipped [$case_name]: cannot make a folder read-only here"
else
    run_program
    [ "$(cat "$(conf)")" = "$before" ] || fail "the file changed"
    echo "done [$case_name]"
fi
chattr -i "$home/.config" 2>/dev/null
chmod u+w "$home/.config"
rm -rf "$home"

[ "$failures" -eq 0 ]
