#!/usr/bin/env bash
# Starts the Paint Program from the icon folder, since it opens its button
# images by bare name. Usage: scripts/run-paint.sh PATH/TO/paint [FILE]
# A relative FILE, and the pictures Ctrl+S names, are in the folder the
# script was started from.
#
# Without a display (DISPLAY unset) the window cannot open; the script says
# so and instead runs a short scripted painting session on a private virtual
# display, saving a screenshot next to the program.
set -euo pipefail
paint=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${DISPLAY:-}" ]; then
    echo "run-paint.sh: no display (DISPLAY is not set), so the Paint Program cannot open a window here."
    echo "run-paint.sh: running a short scripted painting session on a virtual display instead."
    "$here/deps.sh" session
    shot="$(dirname "$paint")/paint-session.png"
    # The system's python3, the one scripts/deps.sh installs python3-xlib for.
    python=/usr/bin/python3
    [ -x "$python" ] || python=python3
    "$python" "$here/screenshots.py" --paint "$paint" --output "$shot" >/dev/null
    echo "run-paint.sh: screenshot of the session written to $shot"
    exit 0
fi

start=$(pwd)
cd "$here/../assets"
status=0
"$paint" --start-dir "$start" "${@:2}" || status=$?
# The program always ends with status 1 (Escape or closing the window).
[ "$status" -eq 1 ] || exit "$status"
