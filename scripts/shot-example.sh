#!/usr/bin/env bash
# Takes the README screenshot of one example program: runs it in a private
# Xvfb server, captures its window once it has drawn, then presses a key to
# end it.
#
# Usage: scripts/shot-example.sh NAME [BUILD_DIR] [OUTPUT]
#   NAME       the example folder, examples/NAME (program example_NAME)
#   BUILD_DIR  where it was built (default build/release)
#   OUTPUT     the picture to write (default docs/images/NAME.png)
# Needs: scripts/deps.sh test (Xvfb, xdotool, xwd, ImageMagick).
set -euo pipefail

name="${1:?usage: scripts/shot-example.sh NAME [BUILD_DIR] [OUTPUT]}"
build="${2:-build/release}"
output="${3:-docs/images/$name.png}"
program="$build/examples/example_$name"
[ -x "$program" ] || { echo "shot-example.sh: $program not built (cmake --build $build)" >&2; exit 1; }
mkdir -p "$(dirname "$output")"

workdir="$(mktemp -d)"
xvfb_pid=""
program_pid=""
window=""
cleanup_servers() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    [ -n "$program_pid" ] && wait "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null || true
    program_pid=""
    xvfb_pid=""
}
cleanup() {
    cleanup_servers
    rm -rf "$workdir"
}
trap cleanup EXIT

# Starts a private Xvfb and the program in it; true once the program's
# window is mapped. Xvfb picks a free display and writes its number, then a
# newline, to the fd given once it is ready (the two come separately).
start() {
    : >"$workdir/display"
    Xvfb -displayfd 3 -screen 0 640x560x24 -nolisten tcp 3>"$workdir/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ "$(wc -l <"$workdir/display")" -ge 1 ] && break
        sleep 0.05
    done
    local display
    display="$(tr -d '[:space:]' <"$workdir/display")"
    [ -n "$display" ] || return 1
    export DISPLAY=":$display"

    SDL_VIDEODRIVER=x11 "$program" &
    program_pid=$!
    # No window manager runs; SDL marks its window with the process id.
    window=""
    for _ in $(seq 100); do
        window="$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | head -n 1 || true)"
        [ -n "$window" ] && return 0
        kill -0 "$program_pid" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

# Displays are shared with whatever else runs on the machine, so a server
# can vanish under us; try a few times.
for attempt in 1 2 3 4 5; do
    start && break
    echo "shot-example.sh: attempt $attempt failed, retrying" >&2
    cleanup_servers
    window=""
done
[ -n "$window" ] || { echo "shot-example.sh: $program never showed a window" >&2; exit 1; }
sleep 0.5  # time to draw

eval "$(xdotool getwindowgeometry --shell "$window")"  # sets X, Y, WIDTH, HEIGHT
xwd -root -silent | convert xwd:- -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "png:$output"

# End the program the way a user would: a key press in its window. An
# animated example ends only on Escape, which it reads from the key state, so
# that is held until the program has gone; as a last resort it is killed.
ended() {
    for _ in $(seq 40); do
        kill -0 "$program_pid" 2>/dev/null || return 0
        sleep 0.05
    done
    return 1
}
xdotool mousemove "$((X + WIDTH / 2))" "$((Y + HEIGHT / 2))" key space
if ! ended; then
    xdotool keydown Escape
    ended || kill "$program_pid" 2>/dev/null || true
    xdotool keyup Escape
fi
wait "$program_pid" 2>/dev/null || true
program_pid=""
echo "shot-example.sh: wrote $output (${WIDTH}x${HEIGHT})"
