#!/usr/bin/env bash
# Re-takes every picture of the README from the real programs, each in its own
# private Xvfb server: the examples hello, shapes, entry (with a name, a
# character and a number typed in) and wireframe, and the Paint Program after
# a short painting session.
#
# Usage: scripts/gallery.sh [BUILD_DIR]
#   BUILD_DIR  the build to take them from (default build/release); the
#              programs are built there first if needed
#
# A picture is written to docs/images/ only when its pixels differ from the
# one there, so that an unchanged program leaves the committed file as it is.
# Needs: scripts/deps.sh build session (installed here when missing).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build="${1:-build/release}"
images="docs/images"

workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT
trap 'exit 1' HUP INT TERM

scripts/deps.sh build session
if ! { cmake -S . -B "$build" &&
       cmake --build "$build" -j2 --target paint example_hello example_shapes example_entry \
           example_wireframe; } >"$workdir/build.log" 2>&1; then
    cat "$workdir/build.log" >&2
    echo "gallery.sh: building the programs in $build failed" >&2
    exit 1
fi

# What the entry example is given, key by key, and what it must print back.
entry_keys=(shift+a d a space shift+l o v e l a c e Return shift+e Return minus 2 7 3 period 1 5 Return)
entry_answers=$'name: Ada Lovelace\nchar: E\nnumber: -273.15'

# Size and a digest of the pixels alone (not of the PNG's time stamps).
pixels() { identify -format '%wx%h %#' "$1"; }

# Moves the new picture into place unless the old one has the same pixels.
keep_or_replace() {
    local new="$1" old="$2"
    if [ -f "$old" ] && [ "$(pixels "$new")" = "$(pixels "$old")" ]; then
        echo "gallery.sh: $old unchanged"
    else
        mv "$new" "$old"
        echo "gallery.sh: $old updated"
    fi
}

# Takes one example's picture, trying again when it fails (an X server can
# vanish under a busy machine, a key can be missed).
shoot() {
    local name="$1" shot="$workdir/$1.png" out="$workdir/$1.out"
    shift
    for attempt in 1 2 3; do
        if scripts/shot-example.sh "$name" "$build" "$shot" "$@" >"$out" 2>&1; then
            if [ "$name" != entry ] || [ "$(grep -E '^(name|char|number): ' "$out")" = "$entry_answers" ]; then
                keep_or_replace "$shot" "$images/$name.png"
                return 0
            fi
            echo "gallery.sh: entry did not read back what was typed" >&2
        fi
        sed 's/^/  /' "$out" >&2
        echo "gallery.sh: $name, attempt $attempt failed" >&2
    done
    echo "gallery.sh: giving up on $name" >&2
    return 1
}

status=0
shoot hello || status=1
shoot shapes || status=1
shoot entry "${entry_keys[@]}" || status=1
shoot wireframe || status=1

# The painting session is long and scripted step by step; one retry.
for attempt in 1 2; do
    if python3 scripts/screenshots.py --paint "$build/paint" --output "$workdir/paint.png" >/dev/null; then
        keep_or_replace "$workdir/paint.png" "$images/paint.png"
        break
    fi
    echo "gallery.sh: Paint Program, attempt $attempt failed" >&2
    [ "$attempt" -eq 2 ] && status=1
done
exit "$status"
