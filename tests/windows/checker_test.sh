#!/bin/sh
# The rule checker under Wine as a Chinese user runs it from cmd
# (checker_test.sh RUN_DIR; run by tests/windows/run.sh):
# - Chinese file names and ids arrive as typed, on a system whose ANSI code
#   page (1252) has no Chinese;
# - * and ? in the last part of a name are expanded, in order; a pattern that
#   matches nothing stays as typed; /? is help;
# - a file or pipe gets UTF-8, and a console on code page 936 shows the
#   Chinese as written.
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

# Runs the checker on an English system with its output in a file, and
# compares its lines and its status.
expect() {
    status=$1 output=$2
    shift 2
    LC_ALL=en_US.UTF-8 wine "$checker" "$@" >out.txt 2>&1 && code=0 || code=$?
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
LC_ALL=en_US.UTF-8 wine "$checker" '规则\*.none' >out.txt 2>&1 && fail "a pattern that matches nothing passed"
grep -qF '规则\*.none' out.txt || fail "a pattern that matches nothing is not named as typed: $(cat out.txt)"
LC_ALL=en_US.UTF-8 wine "$checker" '/?' >out.txt || fail "/? failed: $(cat out.txt)"
grep -q '^usage: amorquant-check' out.txt || fail "/? prints no help: $(cat out.txt)"

# A pipe gets the same UTF-8 bytes as a file, in lines that end in CR LF.
piped=$(LC_ALL=en_US.UTF-8 wine "$checker" --answer 会做饭=1 '规则\测试.xml' | cat)
[ "$piped" = "$(printf '规则\\测试.xml: total 1200\r')" ] || fail "through a pipe: $piped"

# A terminal gives the program a console (code page 936 for Chinese), whose
# Unicode text Wine shows in the terminal's UTF-8, between cursor controls.
# Bytes written to it as they are would be read as code page 936: garbled.
shown=$(LC_ALL=zh_CN.UTF-8 script -qec "wine '$checker' --total '规则\\测试.xml'" /dev/null |
    sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' | tr -d '\r')
printf "%s\n" "$shown" | grep -qxF '规则\测试.xml: total 1000' || fail "in a console: $shown"
