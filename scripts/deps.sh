#!/bin/sh
# Installs what Amorquant needs on Debian 12; quick when everything is there.
# With no argument: what building and running the program need, which is
# what debian/control names (the build dependencies and the package's own).
# Each argument adds a set: "test" (the tests, the install checks and the
# fuzz build), "package" (the Debian package's build, its checks and the
# reproducibility check), "bench" (the performance bench), "screenshot" (the
# README picture), "windows" (the Windows build, its packages and its tests
# under Wine).
set -eu
control_file="$(dirname "$0")/../debian/control"

# The packages a field of debian/control names: the first of each choice,
# without versions, architectures or substitution variables. With "nocheck",
# the build dependencies that only the tests need; without, the others.
control() {
    sed -n "/^$1:/,/^[^ ]/{s/^$1://;/^[^ ]/d;p}" "$control_file" | tr ',' '\n' |
        awk -v want="${2:-}" '/\$\{/ || !NF { next }
            { tests = /<!nocheck>/; sub(/\|.*/, ""); gsub(/\([^)]*\)|<[^>]*>|\[[^]]*\]|:any/, "")
              if ((want == "nocheck") == tests) print $1 }'
}

# debhelper-compat is for the package build; g++ and make are what Debian
# builds assume without naming them.
packages="g++ make $(control Build-Depends | grep -vx debhelper-compat) $(control Depends)
  $(control Recommends)"
for set in "$@"; do
    case $set in
    test) packages="$packages $(control Build-Depends nocheck) xvfb xauth xdotool x11-utils
            weston desktop-file-utils appstream dpkg-dev file imagemagick man-db
            clang libclang-rt-14-dev libglib2.0-dev at-spi2-core python3-pyatspi dbus-bin" ;;
    # debhelper provides the debhelper-compat that debian/control names;
    # dpkg-buildpackage wants build-essential, which no package names.
    package) packages="$packages $(control Build-Depends nocheck) build-essential debhelper dpkg-dev lintian
            autopkgtest diffoscope-minimal git xvfb xauth xdotool desktop-file-utils appstream
            man-db file" ;;
    bench) packages="$packages libgtest-dev python3 xvfb x11-utils libxml2-dev libx11-dev valgrind xdotool" ;;
    screenshot) packages="$packages xvfb x11-utils xdotool imagemagick" ;;
    windows) packages="$packages g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
            binutils-mingw-w64-x86-64 libz-mingw-w64-dev dpkg-dev xz-utils nsis zip libgtest-dev
            wine wine64 xvfb xauth xdotool xclip x11-utils imagemagick libxml2-utils" ;;
    *) echo "deps.sh: unknown set '$set' (test, package, bench, screenshot, windows)" >&2; exit 2 ;;
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
