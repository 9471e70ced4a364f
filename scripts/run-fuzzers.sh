#!/usr/bin/env bash
# Runs every fuzzer for SECONDS (default 60) over a working copy of its seed corpus in
# build-fuzz/fuzz-work/, where the inputs it finds accumulate from run to run. Fails when a
# fuzzer finds a crash, naming the input that causes it.
# Usage: scripts/run-fuzzers.sh [SECONDS]
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz

failed=0
for seeds in "$root"/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  work=$build/fuzz-work/$name
  rm -rf "$work/artifacts"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp "$seeds"* "$work/corpus/"
  echo "== $name: $seconds s"
  if "$build/fuzz/${name}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/log" 2>&1; then
    grep -E '^Done|^#[0-9]+.*DONE' "$work/log" || true
  else
    failed=1
    echo "$name FAILED, log: $work/log"
    for input in "$work/artifacts"/*; do
      [ -e "$input" ] && echo "  crashing input: $input"
    done
  fi
done
exit "$failed"
