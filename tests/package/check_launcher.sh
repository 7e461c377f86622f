#!/bin/sh
# Checks that the installed launcher starts the Paint Program in its data
# folder when started from somewhere else, telling it that other folder. The program runs until it is told
# to quit, and on SDL's dummy video driver nothing tells it, so this watches
# the started process through /proc, then stops it by its process id.
# Usage: check_launcher.sh LAUNCHER PAINT DATA_DIR
set -eu
launcher=$1
paint=$(readlink -f -- "$2")
data=$(readlink -f -- "$3")

elsewhere=$(mktemp -d)
cd "$elsewhere"
SDL_VIDEODRIVER=dummy "$launcher" >/dev/null 2>&1 </dev/null &
pid=$!
# Stops the program: SDL turns SIGTERM into a quit request, which ends it at
# its next pass; SIGKILL follows if it has not ended within two seconds.
stop() {
    kill "$pid" 2>/dev/null || true
    n=0
    while kill -0 "$pid" 2>/dev/null && [ $n -lt 20 ]; do
        sleep 0.1
        n=$((n + 1))
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    rm -rf "$elsewhere"
}
trap stop EXIT

# The launcher execs the program, which keeps the launcher's process id.
started=no
i=0
while [ $i -lt 100 ]; do
    if [ "$(readlink "/proc/$pid/exe" 2>/dev/null || true)" = "$paint" ]; then
        started=yes
        break
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
    i=$((i + 1))
done
if [ $started != yes ]; then
    echo "the launcher did not start $paint"
    exit 1
fi
cwd=$(readlink "/proc/$pid/cwd")
if [ "$cwd" != "$data" ]; then
    echo "the program runs in $cwd, not in its data folder $data"
    exit 1
fi
# It was told the folder it was started from, for FILE and new pictures.
if ! tr '\0' '\n' <"/proc/$pid/cmdline" | grep -qx -- "$elsewhere"; then
    echo "the launcher did not pass on the folder it was started from ($elsewhere)"
    exit 1
fi
# Still running a moment later: it opened its window and entered its loop.
sleep 1
if ! kill -0 "$pid" 2>/dev/null; then
    echo "the program ended at once"
    exit 1
fi
echo "easel-paint started $paint in $data"
