#!/bin/sh
# The installer under Wine (installer_test.sh SETUP_EXE; run by
# tests/windows/run.sh):
# - on an English system its pages are English, on a Chinese one Chinese:
#   a welcome page before the folder page (nothing is installed after the
#   first Enter), then the progress and the finish page, whose Enter starts
#   the program in its folder (the window's title is in the stored language,
#   so the program found its catalogs there);
# - it registers the uninstaller with size and web address, makes a
#   Start-menu shortcut with a description that starts the program in its
#   folder, ships the library's Chinese catalog, and gives installer and
#   uninstaller the program's icon;
# - the silent uninstall (/S) removes what was installed, leaves a rule file
#   the user added, and keeps the user's settings;
# - while the program runs, a silent install or uninstall stops, writing and
#   removing nothing, and the uninstaller by hand asks for the program to be
#   closed and finishes with Retry once it is.
#
# An installer's exit status says little (one that cannot start at all may
# still end with 0), so the files and windows it leaves are what is checked.
set -eu
setup=$1
. "$(dirname "$0")/wine.sh"

folder="$WINEPREFIX/drive_c/Program Files/Amorquant"
# The shortcut and the list of programs carry the name in the installer's
# language.
programs='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
shortcut="$programs\\Amorquant.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Amorquant'
installed="amorquant.exe amorquant-check.exe uninstall.exe README.txt LICENSE.txt
  rules/rules_gf_normal-zh_CN.xml rules/rules_bf_crazy-zh_CN.xml img/Quorvel_01.ico
  img/larkvale_stat_01_1_5x.jpg locales/zh_CN/LC_MESSAGES/Pairavel.mo
  locales/zh_CN/LC_MESSAGES/wxstd-3.2.mo doc/rule-format.md doc/rule-format.zh_CN.md"
# A program, installer or uninstaller (run as Au_.exe from a copy) left
# running on failure would hold the test's output open.
trap 'wine taskkill /f /im amorquant.exe >/dev/null 2>&1 || true
      wine taskkill /f /im "$(basename "$setup")" >/dev/null 2>&1 || true
      wine taskkill /f /im Au_.exe >/dev/null 2>&1 || true' EXIT

# Whether a program file holds the program's icon: the 48-pixel image of
# the icon file (the fourth), byte for byte.
hex() {
    od -An -v -tx1 "$@" | tr -d ' \n'
}
has_program_icon() {
    icon="$folder/img/Quorvel_01.ico"
    size=$(od -An -tu4 -j $((6 + 16 * 3 + 8)) -N4 "$icon" | tr -d ' ')
    offset=$(od -An -tu4 -j $((6 + 16 * 3 + 12)) -N4 "$icon" | tr -d ' ')
    hex "$1" | grep -qF "$(hex -j "$offset" -N "$size" "$icon")"
}

# Enter in the installer's window, while it is there.
press() {
    xdotool getwindowname "$window" >/dev/null 2>&1 || return 0
    xdotool windowfocus --sync "$window" key --clearmodifiers Return 2>/dev/null || true
}

# Presses Enter until the condition holds, waiting 15 s after each press;
# gives up after six presses.
press_until() {
    for _ in 1 2 3 4 5 6; do
        press
        for _ in $(seq 75); do
            "$@" && return 0
            sleep 0.2
        done
    done
    return 1
}

installed() {
    [ -f "$folder/uninstall.exe" ]
}

program_shown() {
    has_window "$program_title"
}

# Walks the installer's pages with Enter in the given system language
# (LANG) and stored interface language, expecting its window title and the
# program's.
install_by_hand() {
    lang=$1 ui=$2 setup_title=$3 program_title=$4
    wine reg add "$settings_key" /v ui_language /d "$ui" /f >/dev/null
    LANG=$lang LC_ALL=$lang wine "$setup" &
    window=$(wait_window "$setup_title")
    [ -n "$window" ] || fail "no installer window \"$setup_title\" on a $lang system"
    sleep 1
    press
    sleep 2
    [ ! -e "$folder/amorquant.exe" ] || fail "no welcome page: the first Enter installed"
    # The folder page's Enter installs; then the finish page's starts the
    # program (pressed again while the installer is still there, since a page
    # comes late on a busy machine and an Enter before it is lost).
    press_until installed || fail "Enter on the folder page installed nothing"
    press_until program_shown || fail "the finish page did not start the program in its folder"
    program=$(pgrep -n -f 'amorquant\.exe') || fail "no program process"
    close_program "$program"
}

# The silent uninstaller copies itself away and returns at once: wait until
# the program file has gone.
uninstall() {
    wine "$folder/uninstall.exe" /S || true
    for _ in $(seq 300); do
        [ -e "$folder/amorquant.exe" ] || [ -e "$folder/uninstall.exe" ] || break
        sleep 0.2
    done
    sleep 1
}

install_by_hand en_US.UTF-8 en "Amorquant Setup" "Amorquant"
for file in $installed; do
    [ -f "$folder/$file" ] || fail "not installed: $file"
done
[ -f "$(winepath -u "$shortcut")" ] || fail "no Start-menu shortcut"
strings -el "$(winepath -u "$shortcut")" | grep -q 'girlfriend or boyfriend' ||
    fail "the shortcut has no description"
entry=$(wine reg query "$uninstall_key")
for value in 'UninstallString.*uninstall.exe' 'URLInfoAbout.*http://' 'EstimatedSize *REG_DWORD' \
    'DisplayName *REG_SZ *Amorquant[[:space:]]*$'; do
    echo "$entry" | grep -q "$value" || fail "the uninstall entry lacks $value"
done
has_program_icon "$setup" || fail "the installer has not the program's icon"
has_program_icon "$folder/uninstall.exe" || fail "the uninstaller has not the program's icon"

# The installed program, started in its folder as the shortcut does.
start_installed() {
    (cd "$folder" && exec wine amorquant.exe) &
    [ -n "$(wait_window "$1")" ] || fail "the installed program did not start"
    program=$(pgrep -n -f 'amorquant\.exe') || fail "no program process"
}

# A running copy stops a silent uninstall (run in place, so that its status
# is seen: the folder's short name, as the uninstaller does not read a quoted
# one) and a silent install before they touch a file.
start_installed "Amorquant"
wine "$folder/uninstall.exe" /S '_?=C:\PROGRA~1\Amorquant' && fail "the uninstall passed while the program ran"
for file in $installed; do
    [ -f "$folder/$file" ] || fail "removed while the program ran: $file"
done
wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "unregistered while the program ran"
rm "$folder/README.txt"
wine "$setup" /S && fail "the install passed while the program ran"
[ ! -e "$folder/README.txt" ] || fail "the install wrote files while the program ran"
close_program "$program"
wine "$setup" /S || fail "the silent install failed once the program was closed"
[ -f "$folder/README.txt" ] || fail "the silent install did not put README.txt back"

# A rule file of the user's own stays when the program goes.
echo '<rules/>' >"$folder/rules/my_rules.xml"
uninstall
[ -f "$folder/rules/my_rules.xml" ] || fail "the uninstaller removed the user's rule file"
left=$(cd "$folder" && find . -type f)
[ "$left" = "./rules/my_rules.xml" ] || fail "left behind: $(echo "$left" | head -n 5)"
rm -rf "$folder"

install_by_hand zh_CN.UTF-8 zh_CN "恋人估价器 安装" "$chinese_title"
# Wine takes Chinese paths in the locale's encoding; reg prints to a pipe in
# the Chinese console code page.
export LC_ALL=zh_CN.UTF-8
shortcut="$programs\\恋人估价器.lnk"
[ -f "$(winepath -u "$shortcut")" ] || fail "no Start-menu shortcut with the Chinese name"
wine reg query "$uninstall_key" /v DisplayName | iconv -f GBK -t UTF-8 | grep -q '恋人估价器' ||
    fail "the list of programs does not show the Chinese name"

# The shortcut, started from elsewhere, must set the program's folder.
cd "$WINEPREFIX"
wine start "$shortcut"
window=$(wait_window "$chinese_title")
[ -n "$window" ] || fail "the shortcut did not start the program in its folder"
program=$(pgrep -n -f 'amorquant\.exe') || fail "no program process"
close_program "$program"

# By hand while the program runs: after the confirmation page a box (a
# second window of the uninstaller's title) asks to close the program;
# Retry once it is closed removes everything.
start_installed "$chinese_title"
# (Its page's title ends in a space, the box's does not.)
uninstaller_title="恋人估价器 卸载 ?"
LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 wine "$folder/uninstall.exe" &
window=$(wait_window "$uninstaller_title")
[ -n "$window" ] || fail "no uninstaller window"
sleep 1
press
box=""
for _ in $(seq 150); do
    box=$(xdotool search --onlyvisible --name "^$uninstaller_title\$" 2>/dev/null | grep -vx "$window" | head -n 1) || true
    [ -z "$box" ] || break
    sleep 0.2
done
[ -n "$box" ] || fail "the uninstaller did not ask to close the running program"
[ -f "$folder/amorquant.exe" ] || fail "the uninstaller removed files while the program ran"
close_program "$program"
window=$box
press
for _ in $(seq 150); do
    [ -e "$folder" ] || break
    sleep 0.2
done
[ ! -e "$folder" ] || fail "left behind: $(find "$folder" | head -n 5)"
# The finish page's Enter closes the uninstaller.
uninstaller_closed() {
    ! has_window "$uninstaller_title"
}
window=$(xdotool search --onlyvisible --name "^$uninstaller_title\$" 2>/dev/null | head -n 1) || true
[ -z "$window" ] || press_until uninstaller_closed || fail "the uninstaller did not close"
[ ! -e "$(winepath -u "$shortcut")" ] || fail "the shortcut was left behind"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "still registered for removal"
wine reg query "$settings_key" /v ui_language >/dev/null 2>&1 ||
    fail "the uninstaller removed the user's settings"
echo "installed by hand in English and Chinese, started from the finish page and the" \
    "shortcut, uninstalled keeping the user's rule file, stopped by a running copy"
