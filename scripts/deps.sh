#!/usr/bin/env bash
# Installs the Debian packages that a part of the work needs, and only those
# that are missing. Usage: scripts/deps.sh GROUP...
#   build    compiler, CMake, SDL 1.2, libpng, libjpeg-turbo, giflib
#   test     GoogleTest, Xvfb, xdotool, ImageMagick
#   bench    Google Benchmark and the peers   fuzz   clang with its sanitizer runtimes
#   docs     Doxygen, Python                   memcheck  Valgrind
#   font     the console font the glyph table is generated from
#   session  Xvfb, xdotool, python3-xlib and ImageMagick for the screenshots
#   compat   SDL2, and sdl12-compat (SDL 1.2 over SDL2) unpacked into the build
#            folder ($EASEL_SDL12_COMPAT_DIR, default build/sdl12-compat), not installed
set -euo pipefail

packages_for() {
    case "$1" in
        build) echo "cmake g++ make pkg-config libsdl1.2-dev libpng-dev libjpeg62-turbo-dev libgif-dev" ;;
        test) echo "googletest libgtest-dev xvfb xdotool imagemagick x11-apps python3 python3-xlib desktop-file-utils" ;;
        bench) echo "libbenchmark-dev libsdl-gfx1.2-dev libopencv-imgproc-dev libglm-dev xvfb xdotool python3 python3-xlib" ;;
        fuzz) echo "clang libclang-rt-14-dev" ;;
        docs) echo "doxygen python3" ;;
        memcheck) echo "valgrind" ;;
        font) echo "console-setup-linux python3" ;;
        session) echo "xvfb xdotool imagemagick python3 python3-xlib" ;;
        compat) echo "libsdl2-2.0-0" ;;
        *) echo "deps.sh: unknown group '$1'" >&2; exit 2 ;;
    esac
}

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

# sdl12-compat is fetched, not installed: installing it would replace the
# system's SDL 1.2.15, which the other runs test. Its libSDL-1.2.so.0 goes into
# DEST/lib, to be put first on LD_LIBRARY_PATH; DEST/VERSION names the package.
fetch_sdl12_compat() {
    local dest=$1
    [ -e "$dest/lib/libSDL-1.2.so.0" ] && return 0
    local work
    work=$(mktemp -d)
    # apt-get download keeps the package in the current folder; a machine that
    # has never read the package lists needs them read first.
    if ! (cd "$work" && apt-get download -qq libsdl1.2-compat 2>/dev/null); then
        $sudo apt-get update -qq
        (cd "$work" && apt-get download -qq libsdl1.2-compat 2>/dev/null)
    fi
    local deb
    deb=$(echo "$work"/libsdl1.2-compat_*.deb)
    dpkg-deb -x "$deb" "$work/root"
    mkdir -p "$dest/lib"
    cp -P "$work"/root/usr/lib/*/sdl12-compat/libSDL-1.2.so* "$dest/lib/"
    dpkg-deb -f "$deb" Package Version >"$dest/VERSION"
    rm -rf "$work"
    echo "deps.sh: sdl12-compat unpacked into $dest:" $(cat "$dest/VERSION")
}

missing=()
for group in "$@"; do
    for pkg in $(packages_for "$group"); do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            [[ " ${missing[*]-} " == *" $pkg "* ]] || missing+=("$pkg")
        fi
    done
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "deps.sh: installing ${missing[*]}"
    if [ -n "$sudo" ]; then
        command -v sudo >/dev/null || { echo "deps.sh: need root or sudo to install ${missing[*]}" >&2; exit 1; }
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

for group in "$@"; do
    if [ "$group" = compat ]; then
        fetch_sdl12_compat "${EASEL_SDL12_COMPAT_DIR:-$(cd "$(dirname "$0")/.." && pwd)/build/sdl12-compat}"
    fi
done
