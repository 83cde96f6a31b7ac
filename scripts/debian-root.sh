#!/bin/sh
# Builds and tests the Debian package as Debian's own machines do, in a bare
# Debian 12 root made with debootstrap (as root; a few minutes and about a
# gigabyte in OUT): apt-get build-dep ./, dpkg-buildpackage -us -uc, lintian
# on the .changes, apt-get install of the .deb, then the package's
# autopkgtest tests (autopkgtest ./ -- null) on it.
# Usage: scripts/debian-root.sh [OUT]   (OUT defaults to build-root/)
# The sources are the checkout's files as they stand. The root is kept in
# OUT/root for the next run, the log in OUT/log.
set -eu
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build-root}")
root=$out/root
mkdir -p "$out"
command -v debootstrap >/dev/null || apt-get install -y --no-install-recommends debootstrap
if [ ! -f "$root/.ready" ]; then
    rm -rf "$root"
    mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
    debootstrap --variant=minbase bookworm "$root" ${mirror:+"$mirror"} >"$out/debootstrap.log"
    # This machine's sources, where it has them, instead of debootstrap's.
    if cp /etc/apt/sources.list.d/*.sources "$root/etc/apt/sources.list.d/" 2>/dev/null; then
        rm -f "$root/etc/apt/sources.list"
    fi
    touch "$root/.ready"
fi

rm -rf "$root/build"
mkdir -p "$root/build/amorquant"
git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$root/build/amorquant"
mount --bind /proc "$root/proc"
mount --bind /sys "$root/sys"
mount --rbind /dev "$root/dev"
trap 'umount -R "$root/dev" "$root/sys" "$root/proc" 2>/dev/null || true' EXIT
chroot "$root" sh -euc '
    export DEBIAN_FRONTEND=noninteractive
    cd /build/amorquant
    apt-get update -qq
    apt-get build-dep -y -qq ./ >/dev/null
    dpkg-buildpackage -us -uc
    apt-get install -y -qq --no-install-recommends lintian autopkgtest >/dev/null
    lintian --fail-on error,warning ../amorquant_*.changes
    apt-get install -y -qq ../amorquant_*_amd64.deb >/dev/null
    debian/rules clean
    autopkgtest ./ -- null
' >"$out/log" 2>&1 || { tail -60 "$out/log"; echo "debian-root.sh: failed (log: $out/log)" >&2; exit 1; }
tail -n 12 "$out/log"
echo "built, lintian-clean, installed and tested in a bare Debian 12 root"
