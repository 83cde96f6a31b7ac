#!/bin/sh
# Builds the Debian package twice from the same sources, in two folders of
# different names, at different times, with a different umask, locale and
# time zone, and fails unless the .deb files are byte for byte the same;
# diffoscope (where installed) then says what differs.
# Usage: scripts/reproducible.sh [OUT]   (OUT defaults to build-repro/)
# The sources are the checkout's files as they stand (tracked and new ones,
# not the ignored build folders). The first build's packages stay in OUT/a.
set -eu
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build-repro}")
rm -rf "$out"
mkdir -p "$out"

# build DIR UMASK LOCALE TZ: the source package's build, as Debian builds it
# (its tests included), in DIR/amorquant.
build() {
    mkdir -p "$1/amorquant"
    git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$1/amorquant"
    echo "building in $1 (umask $2, $3, TZ=$4)"
    (cd "$1/amorquant" && umask "$2" && LC_ALL=$3 LANG=$3 TZ=$4 \
        dpkg-buildpackage -us -uc >"$1/build.log" 2>&1) ||
        { tail -40 "$1/build.log"; echo "reproducible.sh: the build in $1 failed" >&2; exit 1; }
}
build "$out/a" 022 C.UTF-8 UTC
build "$out/build-b-in-a-longer-folder" 002 zh_CN.UTF-8 Asia/Shanghai

status=0
for deb in "$out"/a/*.deb; do
    other="$out/build-b-in-a-longer-folder/$(basename "$deb")"
    if cmp -s "$deb" "$other"; then
        echo "identical: $(basename "$deb") $(sha256sum <"$deb" | cut -c1-16)"
    else
        status=1
        echo "DIFFERENT: $(basename "$deb")" >&2
        if command -v diffoscope >/dev/null; then
            diffoscope --text "$out/$(basename "$deb").diff.txt" "$deb" "$other" >/dev/null 2>&1 || true
            head -100 "$out/$(basename "$deb").diff.txt" >&2
        fi
    fi
done
exit $status
