#!/usr/bin/env bash
# Times the conversions and whole program runs on 1,000,000-point files, as
# a user scripts it (answers piped in). Build first: make all.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=build/benchmarks
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== Rendering one result line (render_e x2 vs snprintf)"
"$bin/rendering_benchmark" --benchmark_min_time=0.5 2>/dev/null | grep BM_
echo "== Reading a 1,000,000-point file (read_spectrum_table vs fscanf)"
"$bin/reading_benchmark" 2>/dev/null | grep BM_

answers=$'response.txt excitation.txt result.txt\n'
for kind in typical below zeros; do
  mkdir -p "$work/$kind"
  "$bin/make_spectrum_files" "$kind" "$work/$kind"
  printf '== Whole run, %-8s frq_ratio:      ' "$kind"
  "$bin/time_program" 5 "$work/$kind" "$answers" "$PWD/build/frq_ratio"
done
printf '== Whole run, typical  plain program:  '
"$bin/time_program" 2 "$work/typical" "$answers" "$PWD/$bin/plain_division"
