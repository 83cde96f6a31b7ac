#!/bin/sh
# The installer under Wine (installer_test.sh SETUP_EXE; run by
# tests/windows/run.sh): a silent install puts the program and its data in
# Program Files\Amorquant and registers the uninstaller; the Start-menu
# shortcut starts the program in the install folder; the silent uninstall
# removes the files and leaves the user's settings.
#
# An installer's exit status says little (one that cannot start at all may
# still end with 0), so the files it leaves are what is checked.
set -eu
setup=$1
. "$(dirname "$0")/wine.sh"

folder="$WINEPREFIX/drive_c/Program Files/Amorquant"
shortcut='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Amorquant.lnk'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Amorquant'
installed="amorquant.exe amorquant-check.exe uninstall.exe rules/rules_gf_normal-zh_CN.xml
  rules/rules_bf_crazy-zh_CN.xml img/Quorvel_01.ico img/larkvale_stat_01.jpg
  locales/zh_CN/LC_MESSAGES/Pairavel.mo"

wine "$setup" /S || true
for file in $installed; do
    [ -f "$folder/$file" ] || fail "not installed: $file"
done
[ -f "$(winepath -u "$shortcut")" ] || fail "no Start-menu shortcut"
wine reg query "$uninstall_key" /v UninstallString | grep -q 'uninstall.exe' ||
    fail "the uninstaller is not registered"

# A Chinese window title shows that the program found its catalogs, which it
# looks for in its working folder: started from elsewhere, the shortcut must
# set that folder.
wine reg add "$settings_key" /v ui_language /d zh_CN /f >/dev/null
# A program left running on failure would hold the test's output open.
trap 'wine taskkill /f /im amorquant.exe >/dev/null 2>&1 || true' EXIT
cd "$WINEPREFIX"
wine start "$shortcut"
window=$(wait_window "$chinese_title")
[ -n "$window" ] || fail "the shortcut did not start the program in its folder"
program=$(pgrep -n -f 'amorquant\.exe') || fail "no program process"
close_program "$program"

# The uninstaller copies itself away and returns at once: wait for the files.
wine "$folder/uninstall.exe" /S || true
for _ in $(seq 300); do
    [ -e "$folder" ] || break
    sleep 0.2
done
[ ! -e "$folder" ] || fail "left behind: $(find "$folder" | head -n 5)"
[ ! -e "$(winepath -u "$shortcut")" ] || fail "the shortcut was left behind"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "still registered for removal"
wine reg query "$settings_key" /v ui_language >/dev/null 2>&1 ||
    fail "the uninstaller removed the user's settings"
echo "installed, started from the shortcut and uninstalled"
