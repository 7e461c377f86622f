#!/usr/bin/env bash
# Runs every fuzz target built in BUILD_DIR for SECONDS each, starting from
# its committed seed corpus. Usage: scripts/run-fuzzers.sh BUILD_DIR SECONDS
set -euo pipefail
build=$(realpath "$1")
seconds=$2
root=$(realpath "$(dirname "$0")/..")
export SDL_VIDEODRIVER=dummy
status=0
for target in "$build"/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=${target##*/fuzz_}
    corpus="$build/corpus/$name"
    crashes="$build/crashes/$name"
    mkdir -p "$corpus" "$crashes"
    echo "== fuzz_$name for ${seconds}s"
    if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$crashes/" "$corpus" "$root/fuzz/corpus/$name" 2>"$build/fuzz_$name.log"; then
        echo "fuzz_$name FAILED; see $build/fuzz_$name.log and $crashes"
        tail -40 "$build/fuzz_$name.log"
        status=1
    fi
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/fuzz_$name.log" || true
done
exit $status
