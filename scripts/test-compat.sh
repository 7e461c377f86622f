#!/usr/bin/env bash
# Runs the unit, end-to-end and example tests of a build on sdl12-compat: its
# libSDL-1.2.so.0 (in COMPAT_DIR/lib, put there by `scripts/deps.sh compat`)
# goes first on the library path, which the programs started by the tests
# inherit. Fails unless the programs really take that library.
# Usage: scripts/test-compat.sh BUILD_DIR COMPAT_DIR [JOBS]
set -euo pipefail
build=$(realpath "$1")
compat=$(realpath "$2")
jobs=${3:-2}
export LD_LIBRARY_PATH="$compat/lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
for program in paint tests/easel_tests; do
    taken=$(ldd "$build/$program" | awk '$1 == "libSDL-1.2.so.0" { print $3 }')
    if [ -z "$taken" ] || [ "$(realpath "$taken")" != "$(realpath "$compat/lib/libSDL-1.2.so.0")" ]; then
        echo "test-compat: $program takes '$taken', not $compat/lib/libSDL-1.2.so.0" >&2
        exit 1
    fi
done
echo "test-compat: $(tr '\n' ' ' <"$compat/VERSION")over libsdl2-2.0-0 $(dpkg-query -W -f='${Version}' libsdl2-2.0-0)"
cd "$build"
ctest -j"$jobs" -L 'unit|e2e|examples' --output-on-failure
