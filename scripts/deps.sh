#!/bin/sh
# Installs what Amorquant needs to build, run and be tested on Debian 12.
# Quick when everything is already there.
set -eu

packages="cmake g++ make pkg-config libwxgtk3.2-dev libexpat1-dev libgtest-dev gettext locales
  fonts-wqy-microhei xdg-utils xvfb xauth xdotool x11-utils libxml2-utils
  desktop-file-utils appstream dpkg-dev file imagemagick
  clang libclang-rt-14-dev libxml2-dev libx11-dev
  wx3.2-i18n"

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

# The tests run each interface language with its system locale (and without).
for loc in zh_CN en_US; do
    if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8$"; then
        sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
    fi
done
