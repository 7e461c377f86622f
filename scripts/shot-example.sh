#!/usr/bin/env bash
# Takes the README screenshot of one example program: runs it in a private
# Xvfb server, types the given keys into it, captures its window once it has
# drawn, then presses a key to end it.
#
# Usage: scripts/shot-example.sh NAME [BUILD_DIR] [OUTPUT] [KEY...]
#   NAME       the example folder, examples/NAME (program example_NAME)
#   BUILD_DIR  where it was built (default build/release)
#   OUTPUT     the picture to write (default docs/images/NAME.png)
#   KEY        xdotool key names typed in order before the capture, such as
#              a, 5, period, space, Return; shift+a is typed with Shift held
# Environment:
#   SHOT_ARGS    arguments for the program, split at spaces (default none)
#   SHOT_SETTLE  seconds to let it draw before typing or capturing (default 0.5)
# Needs: scripts/deps.sh test (Xvfb, xdotool, xwd, ImageMagick).
set -euo pipefail

name="${1:?usage: scripts/shot-example.sh NAME [BUILD_DIR] [OUTPUT]}"
build="${2:-build/release}"
output="${3:-docs/images/$name.png}"
keys=("${@:4}")
read -r -a program_args <<<"${SHOT_ARGS:-}"
settle="${SHOT_SETTLE:-0.5}"
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
trap 'exit 1' HUP INT TERM  # through the EXIT trap: nothing is left running

# Starts a private Xvfb and the program in it; true once the program's
# window is mapped. Xvfb picks a free display and writes its number, then a
# newline, to the fd given once it is ready (the two come separately).
start() {
    : >"$workdir/display"
    Xvfb -displayfd 3 -screen 0 640x560x24 -nolisten tcp -noreset 3>"$workdir/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ "$(wc -l <"$workdir/display")" -ge 1 ] && break
        sleep 0.05
    done
    local display
    display="$(tr -d '[:space:]' <"$workdir/display")"
    [ -n "$display" ] || return 1
    export DISPLAY=":$display"

    SDL_VIDEODRIVER=x11 "$program" ${program_args[@]+"${program_args[@]}"} &
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
sleep "$settle"  # time to draw

eval "$(xdotool getwindowgeometry --shell "$window")"  # sets X, Y, WIDTH, HEIGHT

# With no window manager the keyboard goes to the window under the pointer.
# SDL reads the key state when it pumps events, so each key is held for a
# moment and released for a moment: some pass sees it down, some pass up.
xdotool mousemove "$((X + WIDTH / 2))" "$((Y + HEIGHT / 2))"
step() { sleep 0.15; }
for key in ${keys[@]+"${keys[@]}"}; do
    kill -0 "$program_pid" 2>/dev/null || { echo "shot-example.sh: $program ended while typing" >&2; exit 1; }
    shift_held=""
    if [[ "$key" == shift+* ]]; then
        shift_held=1
        key="${key#shift+}"
        xdotool keydown Shift_L
        step
    fi
    xdotool keydown "$key"
    step
    xdotool keyup "$key"
    step
    if [ -n "$shift_held" ]; then
        xdotool keyup Shift_L
        step
    fi
done
[ "${#keys[@]}" -eq 0 ] || sleep 0.5  # time to draw the answers
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
xdotool key space
if ! ended; then
    xdotool keydown Escape
    ended || kill "$program_pid" 2>/dev/null || true
    xdotool keyup Escape
fi
wait "$program_pid" 2>/dev/null || true
program_pid=""
echo "shot-example.sh: wrote $output (${WIDTH}x${HEIGHT})"
