#!/bin/sh
# Runs accessibility_test.py against the real program on a private session
# bus with its own accessibility bus, as a desktop with a screen reader has.
# Usage: accessibility_test.sh RUN_FOLDER (needs a display, dbus-run-session,
# at-spi2-core and python3-pyatspi).
set -eu
run=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config"
printf 'ui_language=zh_CN\n' >"$home/.config/Pairavel.conf"
# The accessibility bus belongs to this session alone (the session bus
# starts it when the program asks for it); it goes when the test ends.
exec dbus-run-session -- /usr/bin/python3 "$here/accessibility_test.py" "$run" "$home"
