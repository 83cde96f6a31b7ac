#!/bin/sh
# Installs what Amorquant needs on Debian 12; quick when everything is there.
# With no argument: what building and running the program need. Each
# argument adds a set: "test" (the tests, the install checks and the fuzz
# build), "bench" (the performance bench), "screenshot" (the README picture),
# "windows" (the Windows build, its packages and its tests under Wine).
set -eu

packages="cmake g++ make pkg-config libwxgtk3.2-dev libgtk-3-dev libexpat1-dev gettext locales
  fonts-wqy-microhei xdg-utils wx3.2-i18n"
for set in "$@"; do
    case $set in
    test) packages="$packages libgtest-dev libglib2.0-dev xvfb xauth xdotool x11-utils weston libxml2-utils
            desktop-file-utils appstream dpkg-dev file imagemagick lintian man-db
            clang libclang-rt-14-dev python3 at-spi2-core python3-pyatspi dbus-bin" ;;
    bench) packages="$packages libgtest-dev python3 xvfb x11-utils libxml2-dev libx11-dev" ;;
    screenshot) packages="$packages xvfb x11-utils xdotool imagemagick" ;;
    windows) packages="$packages g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
            binutils-mingw-w64-x86-64 libz-mingw-w64-dev dpkg-dev xz-utils nsis libgtest-dev
            wine wine64 xvfb xauth xdotool xclip x11-utils imagemagick libxml2-utils" ;;
    *) echo "deps.sh: unknown set '$set' (test, bench, screenshot, windows)" >&2; exit 2 ;;
    esac
done

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
fi

# The program takes number and date formats from the system locale of its
# language; the tests run each interface language with its locale (and without).
for loc in zh_CN en_US; do
    if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8$"; then
        sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
    fi
done
