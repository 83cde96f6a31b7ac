#!/bin/sh
# The real checker on names in other scripts (checker_cli_test.sh CHECKER):
# a Chinese file in a Chinese folder, priced by a Chinese id, under a Chinese,
# an English, the C.UTF-8 and the plain C locale; a name whose bytes are not
# UTF-8 is still opened; "--" ends the options; --output puts the report in a
# file, and one that cannot be written, or is cut short, fails; the locale
# variables count in POSIX order.
set -eu
checker=$1
rules="$(cd "$(dirname "$0")" && pwd)/chinese_id_rules.xml" # one checkbox worth 200
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Runs the checker under a locale and compares its output and status.
expect() {
    locale=$1 status=$2 output=$3
    shift 3
    actual=$(LC_ALL=$locale "$checker" "$@" 2>&1) && code=0 || code=$?
    [ "$actual" = "$output" ] && [ "$code" = "$status" ] ||
        fail "LC_ALL=$locale amorquant-check $*: status $code, printed
$actual
expected status $status and
$output"
}

mkdir 规则
cp "$rules" 规则/测试.xml
cp "$rules" "$(printf 'caf\351.xml')"
cp "$rules" ./-x.xml
for locale in zh_CN.UTF-8 en_US.UTF-8 C.UTF-8 C; do
    expect "$locale" 0 "规则/测试.xml: total 1200" --answer 会做饭=1 规则/测试.xml
    expect "$locale" 0 "规则/测试.xml: total 1000" --answer=会做饭=false 规则/测试.xml
    # Latin-1 bytes: shown as the checker can, but opened and read.
    LC_ALL=$locale "$checker" --answer 会做饭=1 caf*.xml | grep -q ': total 1200$' ||
        fail "LC_ALL=$locale: the file named in Latin-1 was not read"
done
expect C.UTF-8 0 "-x.xml: total 1000" --total -- -x.xml

# The report in the file and nothing on the screen, even under C.
expect C 0 "" --output 结果.txt --answer 会做饭=1 规则/测试.xml
[ "$(cat 结果.txt)" = "规则/测试.xml: total 1200" ] || fail "--output wrote: $(cat 结果.txt)"
expect C.UTF-8 2 "amorquant-check: 无/结果.txt: cannot be written: No such file or directory" \
    --output=无/结果.txt --total 规则/测试.xml
expect C.UTF-8 2 "amorquant-check: /dev/full: cannot be written: No space left on device" \
    --output /dev/full --total 规则/测试.xml

# The locale variables count in POSIX order, LC_ALL first, and the system's
# reason for a file that cannot be opened comes in the author's language.
missing=$(LANG=zh_CN.UTF-8 LC_ALL=C "$checker" 无.xml 2>&1) || true
[ "$missing" = "无.xml: not read: it cannot be opened (No such file or directory)" ] ||
    fail "LC_ALL=C under a Chinese LANG printed: $missing"
missing=$(env -u LC_ALL LANG=C LC_MESSAGES=zh_CN.UTF-8 "$checker" 无.xml 2>&1) || true
case $missing in
*没有那个文件或目录*) ;;
*) fail "LC_MESSAGES=zh_CN.UTF-8 printed: $missing" ;;
esac
