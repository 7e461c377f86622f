#!/usr/bin/env bash
# Starts the Paint Program from the icon folder, since it opens its button
# images by bare name. Usage: scripts/run-paint.sh PATH/TO/paint
set -euo pipefail
paint=$(realpath "$1")
cd "$(dirname "$0")/../assets"
status=0
"$paint" || status=$?
# The program always ends with status 1 (Escape or closing the window).
[ "$status" -eq 1 ] || exit "$status"
