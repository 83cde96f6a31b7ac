#!/bin/sh
# Checks the Debian package that scripts/reproducible.sh built into OUT: its
# fields and dependencies, lintian on its .changes, then the tree it installs,
# unpacked into a scratch root.
# Usage: deb_test.sh OUT
set -eu
out=$(cd "$1" && pwd)/a
scratch=$out/deb-test
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$scratch"
mkdir -p "$scratch"
deb=$(ls "$out"/amorquant_*_*.deb)
build=$(ls -d "$out"/amorquant/obj-*)

[ "$(dpkg-deb -f "$deb" Package)" = amorquant ] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libwxgtk3.2-1 libwxbase3.2-1 libc6 libstdc++6; do
    echo "$depends" | grep -q "$lib" || fail "$lib missing from Depends"
done
# A font with Chinese glyphs, for the checklists and the result page.
echo "$depends" | grep -q "fonts-wqy-microhei |" || fail "no Chinese font in Depends"

dpkg-deb -c "$deb" | grep ' root/root .* ./usr/bin/amorquant$' >/dev/null || fail "owner or path of the program"
dpkg-deb -x "$deb" "$scratch/root"
sh "$(dirname "$0")/check_tree.sh" "$scratch/root" /usr "$build"

# One version throughout: the package, its changelog and the program's own.
version=$(dpkg-deb -f "$deb" Version)
doc=$scratch/root/usr/share/doc/amorquant
gzip -dc "$doc/changelog.gz" >"$scratch/changelog"
[ "$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)" = "$version" ] ||
    fail "changelog.gz does not list $version"
[ "$("$scratch/root/usr/bin/amorquant-check" --version)" = "amorquant-check $version" ] ||
    fail "amorquant-check --version is not $version"
# The copyright holder and year are those the About box shows.
holder=$(sed -n 's/.*"Copyright (C) \(.*\)".*/\1/p' "$(dirname "$0")/../../src/common/maker.h")
grep -qx "Copyright: $holder" "$doc/copyright" || fail "copyright does not name $holder"

# Debian's own checks of the source and binary packages: no error and no
# warning.
lintian --fail-on error,warning --tag-display-limit 0 "$out"/amorquant_*.changes \
    >"$scratch/lintian.log" 2>&1 || { cat "$scratch/lintian.log"; fail "lintian reports errors or warnings"; }
cat "$scratch/lintian.log"

# What apt would install for it on a machine with nothing installed yet,
# when this one has the Debian package lists to tell.
if apt-cache show libwxgtk3.2-1 >/dev/null 2>&1; then
    : >"$scratch/empty-status"
    apt-get install --simulate -o Dir::State::status="$scratch/empty-status" "$deb" \
        >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log"; fail "apt cannot install $deb"; }
    for p in amorquant libwxgtk3.2-1 fonts-wqy-microhei; do
        grep -q "^Inst $p " "$scratch/apt.log" || fail "apt would not install $p"
    done
else
    echo "no package lists: skipped the apt dependency check"
fi
echo "the package $(basename "$deb") is complete"
