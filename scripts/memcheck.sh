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
# Valgrind computes x87 long double arithmetic at double precision only, so the
# tests that check the float conversions' exact 64-bit-significand results
# cannot pass under it; they are pure arithmetic on locals, with nothing for
# memcheck to find, and two of them try all 16.7 million colours (half a
# minute each under Valgrind). Every other test runs.
extended_precision_tests="RgbToHsv.*:RgbToHsl.*:HslToRgb.*"
echo "== memcheck easel_tests (all but $extended_precision_tests)"
valgrind "${valgrind_args[@]}" "$build/tests/easel_tests" --gtest_brief=1 \
    --gtest_filter="-$extended_precision_tests" || status=1
for source in "$root"/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    replay="$build/tests/replay_$name"
    echo "== memcheck replay_$name"
    valgrind "${valgrind_args[@]}" "$replay" "$root/fuzz/corpus/$name" "$root/fuzz/regressions/$name" \
        || status=1
done
[ $status -eq 0 ] && echo "memcheck: no errors" || echo "memcheck: FAILED"
exit $status
