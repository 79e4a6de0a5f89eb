#!/usr/bin/env bash
# Installs what the build and the checks need, where it is missing.
# Usage: install_deps.sh            the build, tests, fuzzing, static checks
#        install_deps.sh windows    the Windows cross-build and Wine
set -euo pipefail

need=()
if [ "${1:-}" = windows ]; then
  command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || need+=(g++-mingw-w64-x86-64-posix)
  command -v wine >/dev/null 2>&1 || need+=(wine64 wine)
else
  command -v cmake >/dev/null 2>&1 || need+=(cmake)
  command -v g++ >/dev/null 2>&1 || need+=(g++)
  command -v make >/dev/null 2>&1 || need+=(make)
  [ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
  # GoogleTest's CMake package names the GoogleMock libraries too.
  [ -f /usr/include/gmock/gmock.h ] || need+=(libgmock-dev)
  [ -f /usr/include/benchmark/benchmark.h ] || need+=(libbenchmark-dev)
  # Fuzzing and the static checks: clang with its runtimes (libFuzzer, the
  # sanitizers), clang-format and clang-tidy.
  command -v clang++ >/dev/null 2>&1 || need+=(clang)
  [ -d /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux ] || need+=(libclang-rt-14-dev)
  command -v clang-format >/dev/null 2>&1 || need+=(clang-format)
  command -v clang-tidy >/dev/null 2>&1 || need+=(clang-tidy)
fi

if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${need[*]} (run this script as root to install them)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q "${need[@]}"
fi
