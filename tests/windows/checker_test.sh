#!/bin/sh
# The rule checker under Wine as a Chinese user runs it from cmd
# (checker_test.sh RUN_DIR; run by tests/windows/run.sh):
# - Chinese file names and ids arrive as typed, on a system whose ANSI code
#   page (1252) has no Chinese;
# - * and ? in the last part of a name are expanded, in order; a pattern that
#   matches nothing stays as typed; /? is help;
# - a file or pipe gets the console's code page (936 on a Chinese system,
#   also when cmd's chcp sets it), the ANSI code page without a console, a
#   character the code page lacks as its code point; UTF-8 with --utf8 and
#   in the file of --output; a console on code page 936 shows the Chinese as
#   written.
set -eu
checker="$(cd "$1" && pwd)/amorquant-check.exe"
rules="$(cd "$(dirname "$0")/../scoring" && pwd)/chinese_id_rules.xml" # one checkbox worth 200
. "$(dirname "$0")/wine.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

mkdir 规则
cp "$rules" 规则/测试.xml
cp "$rules" 规则/另一个.xml

# Runs the checker on an English system with its output in a file, in UTF-8,
# and compares its lines and its status.
expect() {
    status=$1 output=$2
    shift 2
    LC_ALL=en_US.UTF-8 wine "$checker" --utf8 "$@" >out.txt 2>&1 && code=0 || code=$?
    [ "$(tr -d '\r' <out.txt)" = "$output" ] && [ "$code" = "$status" ] ||
        fail "amorquant-check $*: status $code, printed
$(cat out.txt)
expected status $status and
$output"
}

expect 0 '规则\测试.xml: total 1200' --answer 会做饭=1 '规则\测试.xml'
expect 0 '规则\另一个.xml: total 1000
规则\测试.xml: total 1000' --total '规则\*.xml'
expect 0 '规则\测试.xml: total 1000' --total '规则\测?.xml'
LC_ALL=en_US.UTF-8 wine "$checker" --utf8 '规则\*.none' >out.txt 2>&1 && fail "a pattern that matches nothing passed"
grep -qF '规则\*.none' out.txt || fail "a pattern that matches nothing is not named as typed: $(cat out.txt)"
LC_ALL=en_US.UTF-8 wine "$checker" '/?' >out.txt || fail "/? failed: $(cat out.txt)"
grep -q '^usage: amorquant-check' out.txt || fail "/? prints no help: $(cat out.txt)"

# A pipe on a Chinese system gets code page 936, in lines that end in CR LF;
# --utf8 gives UTF-8. A character that 936 lacks is named by its code point.
cp "$rules" 规则/测试😀.xml
piped=$(LC_ALL=zh_CN.UTF-8 wine "$checker" --total '规则\测试.xml' '规则\测试😀.xml' | iconv -f GBK -t UTF-8)
[ "$piped" = "$(printf '规则\\测试.xml: total 1000\r\n规则\\测试U+1F600.xml: total 1000\r')" ] ||
    fail "through a pipe on a Chinese system: $piped"
piped=$(LC_ALL=zh_CN.UTF-8 wine "$checker" --utf8 --answer 会做饭=1 '规则\测试.xml' | cat)
[ "$piped" = "$(printf '规则\\测试.xml: total 1200\r')" ] || fail "through a pipe with --utf8: $piped"

# An English system's code pages (437, 1252) have no Chinese.
piped=$(LC_ALL=en_US.UTF-8 wine "$checker" --total '规则\测试.xml' | cat)
[ "$piped" = "$(printf 'U+89C4U+5219\\U+6D4BU+8BD5.xml: total 1000\r')" ] ||
    fail "through a pipe on an English system: $piped"

# In a console (the terminal gives one) on an English system, after chcp 936:
# a file and the pipes into find and more get code page 936, not the ANSI
# code page (1252); the file of --output gets UTF-8. Wine's findstr reads
# no pipe, so find stands in for it.
printf '@echo off\r\nchcp 936 >nul\r\n"%%~1" --total %%2 > file.txt\r\n"%%~1" --total %%2 | find "total" > find.txt\r\n"%%~1" --total %%2 | more > more.txt\r\n"%%~1" --output utf8.txt --total %%2\r\n' >cp936.bat
LC_ALL=en_US.UTF-8 script -qec "wine cmd /c cp936.bat '$(winepath -w "$checker")' '规则\\测试.xml'" /dev/null >/dev/null
for file in file.txt find.txt more.txt; do
    [ "$(iconv -f GBK -t UTF-8 "$file" 2>&1)" = "$(printf '规则\\测试.xml: total 1000\r')" ] ||
        fail "after chcp 936, $file holds: $(od -c "$file" | head -n 3)"
done
[ "$(cat utf8.txt)" = "$(printf '规则\\测试.xml: total 1000\r')" ] || fail "--output wrote: $(cat utf8.txt)"

# A terminal gives the program a console (code page 936 for Chinese), whose
# Unicode text Wine shows in the terminal's UTF-8, between cursor controls.
# Bytes written to it as they are would be read as code page 936: garbled.
shown=$(LC_ALL=zh_CN.UTF-8 script -qec "wine '$checker' --total '规则\\测试.xml'" /dev/null |
    sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' | tr -d '\r')
printf "%s\n" "$shown" | grep -qxF '规则\测试.xml: total 1000' || fail "in a console: $shown"
