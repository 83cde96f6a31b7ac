#!/bin/sh
# Cross-builds the libraries of the Windows program from Debian's source
# packages (wxWidgets for MSW, expat, libpng, libjpeg-turbo; zlib comes from
# libz-mingw-w64-dev) as static archives, once per machine, and prints the
# prefix they are installed in.
#
# The prefix lives in ~/.cache/amorquant (or $XDG_CACHE_HOME/amorquant), named
# after a hash of the source versions Debian offers, the cross-compiler, this
# script and the toolchain file, so a change to any of them builds anew and an
# unchanged machine reuses what it has. wx's installed CMake files hold
# absolute paths to the other archives: the prefix is used where it was built.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$repo/cmake/mingw-w64.cmake
triple=x86_64-w64-mingw32
jobs=$(nproc)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

log() { echo "windows-deps: $*" >&2; }

# apt-get source needs deb-src entries. They are made from the machine's own
# 'deb' entries for this release (same URIs, suites and components), so the
# sources come from wherever its binary packages come from.
deb_src_entries() {
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        awk -v codename="$codename" '$1 == "deb" {
            for (i = 2; i <= NF; i++) if ($i == codename || index($i, codename "-") == 1) {
                sub(/^deb/, "deb-src"); print; next
            }
        }' "$f"
    done
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        # One paragraph per entry; Types becomes deb-src, the rest is kept.
        awk -v codename="$codename" 'BEGIN { RS = ""; FS = "\n" }
        {
            deb = 0; suite = 0; off = 0; out = ""
            for (i = 1; i <= NF; i++) {
                line = $i
                if (line ~ /^#/) continue
                n = split(line, w, /[ \t]+/)
                if (w[1] == "Types:") {
                    for (j = 2; j <= n; j++) if (w[j] == "deb") deb = 1
                    line = "Types: deb-src"
                } else if (w[1] == "Suites:") {
                    for (j = 2; j <= n; j++) if (w[j] == codename || index(w[j], codename "-") == 1) suite = 1
                } else if (w[1] == "Enabled:" && tolower(w[2]) == "no") off = 1
                out = out line "\n"
            }
            if (deb && suite && !off) printf "# Made by amorquant scripts/windows-deps.sh\n%s\n", out
        }' "$f"
    done
}

ensure_deb_src() {
    apt-cache showsrc --only-source wxwidgets3.2 2>/dev/null | grep -q '^Package:' && return
    list=/etc/apt/sources.list.d/amorquant-deb-src.sources
    tmp=$(mktemp)
    deb_src_entries >"$tmp"
    if grep -q '^deb-src ' "$tmp"; then
        list=/etc/apt/sources.list.d/amorquant-deb-src.list
    fi
    [ -s "$tmp" ] || { log "no apt source of this release to derive deb-src entries from"; exit 1; }
    $sudo install -m 644 "$tmp" "$list"
    rm -f "$tmp"
    log "added $list"
    $sudo apt-get update >&2
}

# Every version of a source package that apt offers, newest first.
source_versions() {
    apt-cache showsrc --only-source "$1" | awk '/^Version:/ { print $2 }' | sort -u -r -V
}

# Fetches and unpacks (with Debian's patches) the newest version that can be
# downloaded: a mirror can list a security update before it serves it.
fetch_source() {
    pkg=$1
    for v in $(source_versions "$pkg"); do
        dir=$work/fetch-$pkg
        rm -rf "$dir" && mkdir -p "$dir"
        if (cd "$dir" && apt-get source -q --download-only --only-source "$pkg=$v") >/dev/null 2>&1; then
            dpkg-source -q -x "$dir"/*.dsc "$work/$pkg" >/dev/null 2>&1 ||
                { log "cannot unpack $pkg $v"; exit 1; }
            echo "$pkg $v" >>"$work/versions"
            log "$pkg $v"
            return
        fi
    done
    log "cannot download any version of the source package $pkg"
    exit 1
}

cmake_build() {
    src=$1
    shift
    cmake -S "$src" -B "$src/_build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DAMORQUANT_WIN_DEPS="$prefix" \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" "$@" >"$src/_build.log" 2>&1 ||
        { tail -n 40 "$src/_build.log" >&2; exit 1; }
    cmake --build "$src/_build" -j "$jobs" >>"$src/_build.log" 2>&1 ||
        { tail -n 40 "$src/_build.log" >&2; exit 1; }
    cmake --install "$src/_build" >>"$src/_build.log" 2>&1
}

zlib="-DZLIB_LIBRARY=/usr/$triple/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/$triple/include"

build_expat() {
    fetch_source expat
    # A backported fix tests '#if XML_DTD == 1', but expat's CMake build
    # defines XML_DTD empty: the test then does not compile.
    sed -i 's/^\(# *\)if XML_DTD == 1$/\1ifdef XML_DTD/' "$work/expat/expat/lib/xmlparse.c"
    cmake_build "$work/expat/expat" -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF \
        -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF \
        -DEXPAT_BUILD_PKGCONFIG=OFF
}

build_png() {
    fetch_source libpng1.6
    cmake_build "$work/libpng1.6" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
        -DPNG_EXECUTABLES=OFF $zlib
}

build_jpeg() {
    fetch_source libjpeg-turbo
    # Without nasm there are no SIMD routines; plain C decodes the few
    # images the program has quickly enough.
    cmake_build "$work/libjpeg-turbo" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
        -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
}

build_wx() {
    fetch_source wxwidgets3.2
    wx=$work/wxwidgets3.2
    # The XML library is only built together with XRC.
    cmake -S "$wx" -B "$wx/_build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DAMORQUANT_WIN_DEPS="$prefix" \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" $zlib \
        -DwxBUILD_TOOLKIT=msw -DwxBUILD_SHARED=OFF -DwxBUILD_SAMPLES=OFF \
        -DwxBUILD_TESTS=OFF -DwxBUILD_DEMOS=OFF -DwxBUILD_BENCHMARKS=OFF \
        -DwxUSE_ZLIB=sys -DwxUSE_EXPAT=sys -DwxUSE_LIBPNG=sys -DwxUSE_LIBJPEG=sys \
        -DwxUSE_LIBTIFF=OFF -DwxUSE_XRC=ON \
        -DwxUSE_WEBVIEW=OFF -DwxUSE_MEDIACTRL=OFF -DwxUSE_STC=OFF -DwxUSE_RICHTEXT=OFF \
        -DwxUSE_RIBBON=OFF -DwxUSE_OPENGL=OFF -DwxUSE_GLCANVAS=OFF -DwxUSE_SOUND=OFF \
        -DwxUSE_WEBREQUEST=OFF >"$wx/_build.log" 2>&1 ||
        { tail -n 40 "$wx/_build.log" >&2; exit 1; }
    # Where a system library is not found wx quietly takes its own copy,
    # whose sources Debian's tarball leaves out: stop here rather than later.
    for lib in ZLIB EXPAT LIBPNG LIBJPEG; do
        if ! grep -q "^wxUSE_$lib:STRING=sys$" "$wx/_build/CMakeCache.txt"; then
            grep "^wxUSE_$lib:" "$wx/_build/CMakeCache.txt" >&2 || true
            log "wxWidgets did not find the cross-built $lib"
            exit 1
        fi
    done
    cmake --build "$wx/_build" -j "$jobs" >>"$wx/_build.log" 2>&1 ||
        { tail -n 40 "$wx/_build.log" >&2; exit 1; }
    cmake --install "$wx/_build" >>"$wx/_build.log" 2>&1
}

"$repo/scripts/deps.sh" windows >&2
ensure_deb_src

cache=${XDG_CACHE_HOME:-$HOME/.cache}/amorquant
key=$({
    for pkg in wxwidgets3.2 expat libpng1.6 libjpeg-turbo; do echo "$pkg $(source_versions "$pkg" | tr '\n' ' ')"; done
    $triple-g++-posix --version | head -n 1
    dpkg-query -W mingw-w64-x86-64-dev libz-mingw-w64-dev
    cmake --version | head -n 1
    cat "$0" "$toolchain"
} | sha256sum | cut -c1-16)
prefix=$cache/win64-$key

mkdir -p "$cache"
# One build at a time; a second caller waits and then finds it done.
exec 9>"$prefix.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

log "building the Windows libraries into $prefix (takes a while, once per machine)"
start=$(date +%s)
rm -rf "$prefix"
work=$(mktemp -d "$cache/build.XXXXXX")
# An interrupted build leaves nothing behind, so the next run starts afresh.
trap 'rm -rf "$work"; [ -f "$prefix/.complete" ] || rm -rf "$prefix"' EXIT
trap 'exit 1' INT TERM
build_expat
build_png
build_jpeg
build_wx
cp "$work/versions" "$prefix/versions.txt"
touch "$prefix/.complete"
log "done in $(($(date +%s) - start)) s"
echo "$prefix"
