#!/usr/bin/env bash
# Runs each fuzz target for a fixed time on the seed corpus kept here.
# Usage: run_fuzzers.sh BUILD_FOLDER SECONDS
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
for name in reader rendering division; do
  work=$(mktemp -d)
  echo "== fuzz_$name for ${seconds}s"
  # New inputs go to the scratch folder; the kept corpus is only read.
  if ! "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
      -print_final_stats=1 -artifact_prefix="$work/" "$work" "$here/corpus/$name" > "$work/log" 2>&1; then
    tail -n 40 "$work/log"
    echo "fuzz_$name failed; the input that failed is kept in $work" >&2
    exit 1
  fi
  tail -n 12 "$work/log"
  rm -rf "$work"
done
