#!/usr/bin/env bash
# Installs the Debian packages that a part of the work needs, and only those
# that are missing. Usage: scripts/deps.sh GROUP...
#   build    compiler, CMake, SDL 1.2          test   GoogleTest, Xvfb, xdotool, ImageMagick
#   bench    Google Benchmark and the peers   fuzz   clang with its sanitizer runtimes
#   docs     Doxygen, Python                   memcheck  Valgrind
#   font     the console font the glyph table is generated from
#   session  Xvfb, xdotool, python3-xlib and ImageMagick for the screenshots
set -euo pipefail

packages_for() {
    case "$1" in
        build) echo "cmake g++ make pkg-config libsdl1.2-dev" ;;
        test) echo "googletest libgtest-dev xvfb xdotool imagemagick x11-apps python3 python3-xlib desktop-file-utils" ;;
        bench) echo "libbenchmark-dev libsdl-gfx1.2-dev libopencv-imgproc-dev libglm-dev xvfb xdotool python3 python3-xlib" ;;
        fuzz) echo "clang libclang-rt-14-dev" ;;
        docs) echo "doxygen python3" ;;
        memcheck) echo "valgrind" ;;
        font) echo "console-setup-linux python3" ;;
        session) echo "xvfb xdotool imagemagick python3 python3-xlib" ;;
        *) echo "deps.sh: unknown group '$1'" >&2; exit 2 ;;
    esac
}

missing=()
for group in "$@"; do
    for pkg in $(packages_for "$group"); do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            [[ " ${missing[*]-} " == *" $pkg "* ]] || missing+=("$pkg")
        fi
    done
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "deps.sh: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "deps.sh: need root or sudo to install ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
