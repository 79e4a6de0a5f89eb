#!/usr/bin/env bash
# The Windows program under Wine: the end-to-end dialogue tests with piped
# answers, and the same result file bytes as the Linux program.
# Usage: run_wine_tests.sh LINUX_BUILD WINDOWS_BUILD
set -euo pipefail
cd "$(dirname "$0")/../.."
linux=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)
work=$(mktemp -d)
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

echo "== dialogue tests, Windows program under Wine"
wineboot --init >/dev/null 2>&1 || true
FRQ_RATIO_WINDOWS_EXE="$windows/frq_ratio.exe" "$linux/tests/dialogue_test" --gtest_brief=1

same_result() {  # FOLDER: both programs on the same inputs, same result bytes
  local folder=$1
  (cd "$folder" && printf 'response.txt excitation.txt linux.txt\n' | setsid "$linux/frq_ratio" >/dev/null)
  (cd "$folder" && printf 'response.txt excitation.txt windows.txt\n' | setsid wine "$windows/frq_ratio.exe" >/dev/null)
  if cmp "$folder/linux.txt" "$folder/windows.txt"; then
    echo "same result bytes: $(basename "$folder") ($(wc -c < "$folder/linux.txt") bytes)"
  else
    echo "result files differ: $(basename "$folder")" >&2
    return 1
  fi
}

echo "== result bytes, Linux and Windows programs"
mkdir -p "$work/million" "$work/odd"
"$linux/benchmarks/make_spectrum_files" typical "$work/million"
# Ratios beyond range, invalid operations, coincidences and ties.
printf '10 1e300\r\n20 -1e300\n20.00005 3\n30 inf\n40 -inf\n50 0\n' > "$work/odd/response.txt"
printf '10 1e-40\n15 2\n20 1\n20.00005 -2\n25 1\n35 1\n45 1\n9007199254740995 1\n' > "$work/odd/excitation.txt"
same_result "$work/million"
same_result "$work/odd"
