#!/usr/bin/env bash
# Re-takes every picture of the README from the real programs, each in its own
# private Xvfb server: the examples hello, shapes, entry (with a name, a
# character and a number typed in), wireframe, viewer (its own colour
# wheel), bounce (held still after 90 frames, its rate measured), sprites
# (held still after 30 frames) and plot, and the Paint Program after a short
# painting session.
#
# Usage: scripts/gallery.sh [BUILD_DIR]
#   BUILD_DIR  the build to take them from (default build/release); the
#              programs are built there first if needed
#
# A picture is written to docs/images/ only when its pixels differ from the
# one there (and two takes agree on the new ones), so that an unchanged
# program leaves the committed file as it is. Ends with status 1 when a
# picture could not be taken.
# Needs: scripts/deps.sh build session (installed here when missing).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build="${1:-build/release}"
images="docs/images"
# The system's python3, the one scripts/deps.sh installs python3-xlib for.
python=/usr/bin/python3
[ -x "$python" ] || python=python3

workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT
trap 'exit 1' HUP INT TERM

scripts/deps.sh build session
if ! { cmake -S . -B "$build" &&
       cmake --build "$build" -j2 --target paint example_hello example_shapes example_entry \
           example_wireframe example_viewer example_bounce example_sprites example_plot; } >"$workdir/build.log" 2>&1; then
    cat "$workdir/build.log" >&2
    echo "gallery.sh: building the programs in $build failed" >&2
    exit 1
fi

# What the entry example is given, key by key, and what it must print back.
entry_keys=(shift+a d a space shift+l o v e l a c e Return shift+e Return minus 2 7 3 period 1 5 Return)
entry_answers=$'name: Ada Lovelace\nchar: E\nnumber: -273.15'

# Size and a digest of the pixels alone (not of the PNG's time stamps).
pixels() { identify -format '%wx%h %#' "$1"; }

# Takes one example's picture into FILE, trying again when it fails (an X
# server can vanish under a busy machine, a key can be missed).
shoot_example() {
    local name="$1" shot="$2" out="$workdir/$1.out" keys=()
    local args="" settle=0.5
    [ "$name" = entry ] && keys=("${entry_keys[@]}")
    # The ball stops after 90 frames (1.5 s), so that every take is alike.
    [ "$name" = bounce ] && args="--still 90" && settle=2.5
    # The walker stands still from frame 30 on; plot saves its PNG aside.
    [ "$name" = sprites ] && args="--still 30" && settle=1.5
    [ "$name" = plot ] && args="$workdir/plot-saved.png"
    for attempt in 1 2 3; do
        if "$python" scripts/screenshots.py --example "$name" --build "$build" --output "$shot" \
                "--args=$args" --settle "$settle" ${keys[@]+"${keys[@]}"} >"$out" 2>&1; then
            [ "$name" != entry ] && return 0
            [ "$(grep -E '^(name|char|number): ' "$out")" = "$entry_answers" ] && return 0
            echo "gallery.sh: entry did not read back what was typed" >&2
        fi
        sed 's/^/  /' "$out" >&2
        echo "gallery.sh: $name, attempt $attempt failed" >&2
    done
    return 1
}

# The Paint Program after its scripted session, into FILE; one retry.
shoot_paint() {
    for attempt in 1 2; do
        "$python" scripts/screenshots.py --paint "$build/paint" --output "$2" >/dev/null && return 0
        echo "gallery.sh: Paint Program, attempt $attempt failed" >&2
    done
    return 1
}

# Re-takes docs/images/NAME.png with SHOOTER. The file is kept when a take
# has its pixels. On a busy machine a pass of a program can miss an input
# step (the Brush then cuts a corner), so a new picture replaces it only when
# two takes agree.
update() {
    local name="$1" shooter="$2" old="$images/$1.png" takes=() take="" digest=""
    for n in 1 2 3; do
        take="$workdir/$name-$n.png"
        "$shooter" "$name" "$take" || { echo "gallery.sh: giving up on $name" >&2; return 1; }
        digest="$(pixels "$take")"
        if [ -f "$old" ] && [ "$digest" = "$(pixels "$old")" ]; then
            echo "gallery.sh: $old unchanged"
            return 0
        fi
        for earlier in ${takes[@]+"${takes[@]}"}; do
            if [ "$digest" = "$earlier" ]; then
                mv "$take" "$old"
                echo "gallery.sh: $old updated"
                return 0
            fi
        done
        takes+=("$digest")
    done
    echo "gallery.sh: $old kept: three takes of $name disagree (a busy machine?)" >&2
    return 1
}

status=0
for name in hello shapes entry wireframe viewer bounce sprites plot; do
    update "$name" shoot_example || status=1
done
update paint shoot_paint || status=1
exit "$status"
