#!/bin/sh
# What Explorer shows of the program file and what Windows reads before it
# starts (resources_test.sh WINDRES OBJDUMP PROGRAM VERSION): the program's
# own icon first, so that it stands for the file; the version (the one the
# build sets, four numbers); the manifest asking
# for the current common controls and per-monitor DPI awareness; and no DLL
# beyond those every Windows has.
set -eu
windres=$1 objdump=$2 program=$3 version=$4
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
resources=$("$windres" -i "$program" -O rc)
first_icon=$(echo "$resources" | grep -a 'RT_GROUP_ICON' | head -n 1)
echo "$first_icon" | grep -aq '^"AAAA_PROGRAM_ICON"' || fail "first icon is $first_icon"
for value in '"CompanyName", "Larkvale"' '"ProductName", "Amorquant"' \
    "\"FileVersion\", \"$version\"" "\"ProductVersion\", \"$version\""; do
    echo "$resources" | grep -aqF "VALUE $value" || fail "no version value $value"
done
echo "$resources" | grep -aq 'Microsoft.Windows.Common-Controls"" *version=""6' ||
    fail "the manifest does not ask for common controls 6"
echo "$resources" | grep -aq 'PerMonitorV2' || fail "the manifest is not per-monitor DPI aware"

# Linked statically: only the system's own libraries are imported.
system="advapi32 comctl32 comdlg32 gdi32 kernel32 msvcrt oleacc oleaut32 ole32 shell32
  shlwapi user32 uxtheme version winspool.drv rpcrt4 ws2_32 winmm imm32 uuid"
for dll in $("$objdump" -p "$program" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z'); do
    echo " $system " | tr '\n' ' ' | grep -q " ${dll%.dll} " || fail "imports $dll"
done
echo "icon, version, manifest and imports as expected"
