#!/usr/bin/env bash
# Runs the three fuzz targets for a fixed time each: scripts/fuzz.sh [seconds per target, default 600]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-600}"
. "$root/scripts/prelude.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$BUILD_DIR/fuzz" -DKIVO_FUZZ=ON >/dev/null
cmake --build "$BUILD_DIR/fuzz" -j "$(nproc)" >/dev/null
status=0
for target in fuzz_message_table fuzz_error_text fuzz_resource_directory; do
    corpus="$BUILD_DIR/fuzz/corpus-$target"
    log="$BUILD_DIR/fuzz/$target.log"
    mkdir -p "$corpus"
    echo "== $target for $seconds s"
    if ! "$BUILD_DIR/fuzz/fuzz/$target" -max_total_time="$seconds" -max_len=4096 \
            -print_final_stats=1 -artifact_prefix="$BUILD_DIR/fuzz/$target-" "$corpus" >"$log" 2>&1; then
        status=1
        grep -E '==ERROR|SUMMARY|Test unit written' "$log" || tail -20 "$log"
    fi
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
done
exit $status
