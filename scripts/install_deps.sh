#!/usr/bin/env bash
# Installs what the build and the tests need, where it is missing.
set -euo pipefail

need=()
command -v cmake >/dev/null 2>&1 || need+=(cmake)
command -v g++ >/dev/null 2>&1 || need+=(g++)
command -v make >/dev/null 2>&1 || need+=(make)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
[ -f /usr/include/gmock/gmock.h ] || need+=(libgmock-dev)
[ -f /usr/include/benchmark/benchmark.h ] || need+=(libbenchmark-dev)
# Fuzzing and the static checks: clang with its runtimes (libFuzzer, the
# sanitizers), clang-format and clang-tidy.
command -v clang++ >/dev/null 2>&1 || need+=(clang)
[ -d /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux ] || need+=(libclang-rt-14-dev)
command -v clang-format >/dev/null 2>&1 || need+=(clang-format)
command -v clang-tidy >/dev/null 2>&1 || need+=(clang-tidy)

if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${need[*]} (run this script as root to install them)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q "${need[@]}"
fi
