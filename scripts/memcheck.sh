#!/usr/bin/env bash
# Runs the unit tests, and every fuzz target's replay over its seeds and kept
# regressions, under Valgrind's memcheck on SDL's dummy video driver. The
# whole gtest binary runs as one process (not one per test, as ctest does),
# which keeps the run to a few tens of seconds. Any memcheck error, or any
# definite or indirect leak, fails the run. Usage: scripts/memcheck.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
root=$(realpath "$(dirname "$0")/..")
export SDL_VIDEODRIVER=dummy
valgrind_args=(--tool=memcheck --error-exitcode=99 --leak-check=full
    --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect
    --child-silent-after-fork=yes --suppressions="$root/scripts/memcheck.supp" --quiet)
status=0
echo "== memcheck easel_tests"
valgrind "${valgrind_args[@]}" "$build/tests/easel_tests" --gtest_brief=1 || status=1
for source in "$root"/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    replay="$build/tests/replay_$name"
    echo "== memcheck replay_$name"
    valgrind "${valgrind_args[@]}" "$replay" "$root/fuzz/corpus/$name" "$root/fuzz/regressions/$name" \
        || status=1
done
[ $status -eq 0 ] && echo "memcheck: no errors" || echo "memcheck: FAILED"
exit $status
