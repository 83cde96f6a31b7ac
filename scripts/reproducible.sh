#!/bin/sh
# Builds the packages twice from the same sources, in two folders of
# different names, at different times, with a different umask, locale and
# time zone, and fails unless they are byte for byte the same; diffoscope
# (where installed) then says what differs.
# Usage: scripts/reproducible.sh [windows] [OUT]
#   without "windows": the Debian source package's .deb files, built as
#   Debian builds them; with it: the Windows zip and installer.
# OUT defaults to build-repro/ (build-repro-win/); the first build's
# packages stay in OUT/a. The sources are the checkout's files as they stand
# (tracked and new ones, not the ignored build folders).
set -eu
cd "$(dirname "$0")/.."
kind=deb
[ "${1:-}" = windows ] && { kind=windows; shift; }
out=$(realpath -m "${1:-build-repro$([ $kind = deb ] || echo -win)}")
second=$out/build-b-in-a-longer-folder
rm -rf "$out"
mkdir -p "$out"

# build DIR UMASK LOCALE TZ [DEB_BUILD_OPTIONS]: one build in DIR/amorquant.
# The second Debian build skips its tests: that must make the same package.
build() {
    mkdir -p "$1/amorquant"
    git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$1/amorquant"
    echo "building in $1 (umask $2, $3, TZ=$4)"
    if [ $kind = deb ]; then
        command="dpkg-buildpackage -us -uc"
    else
        command="scripts/windows.sh --packages"
    fi
    (cd "$1/amorquant" && umask "$2" && LC_ALL=$3 LANG=$3 TZ=$4 DEB_BUILD_OPTIONS=${5:-} \
        $command >"$1/build.log" 2>&1) ||
        { tail -40 "$1/build.log"; echo "reproducible.sh: the build in $1 failed" >&2; exit 1; }
}
build "$out/a" 022 C.UTF-8 UTC
build "$second" 002 zh_CN.UTF-8 Asia/Shanghai nocheck

# The packages of a build, relative to its folder.
products() {
    if [ $kind = deb ]; then
        (cd "$1" && ls ./*.deb)
    else
        (cd "$1" && ls amorquant/build-win/*.zip amorquant/build-win/*-setup.exe)
    fi
}

status=0
for product in $(products "$out/a"); do
    name=$(basename "$product")
    if cmp -s "$out/a/$product" "$second/$product"; then
        echo "identical: $name $(sha256sum <"$out/a/$product" | cut -d' ' -f1)"
    else
        status=1
        echo "DIFFERENT: $name" >&2
        if command -v diffoscope >/dev/null; then
            diffoscope --text "$out/$name.diff.txt" "$out/a/$product" "$second/$product" \
                >/dev/null 2>&1 || true
            head -100 "$out/$name.diff.txt" >&2
            echo "(all of it in $out/$name.diff.txt)" >&2
        fi
    fi
done
exit $status
