#!/usr/bin/env bash
# Takes a screenshot of a program's window for the README, in a private Xvfb
# server: starts the program, waits for it to draw, saves the window's top-left
# WIDTHxHEIGHT pixels as PNG, then stops the program and the server.
# Usage: scripts/screenshot.sh OUTPUT.png WIDTHxHEIGHT PROGRAM [ARGS...]
# Example: scripts/screenshot.sh docs/images/hello.png 320x240 build/release/example_hello
set -euo pipefail
[ $# -ge 3 ] || { sed -n '2,6p' "$0" >&2; exit 2; }
out=$1 size=$2
shift 2
"$(dirname "$0")/deps.sh" test

exec 3< <(Xvfb -displayfd 1 -screen 0 800x600x24 2>/dev/null)
xvfb_pid=$!
read -r display <&3
export DISPLAY=":$display"
DISPLAY=":$display" "$@" >/dev/null 2>&1 &
program=$!
cleanup() {
    kill "$program" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

sleep "${EASEL_SCREENSHOT_DELAY:-1}"
# Without a window manager the window sits at the root's origin.
xwd -root -silent | convert xwd:- -crop "${size}+0+0" +repage "$out"
echo "saved $out"
