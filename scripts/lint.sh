#!/usr/bin/env bash
# Static checks: formatting of every C++ file, clang-tidy on the program.
# Usage: lint.sh BUILD_FOLDER (with compile_commands.json)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

mapfile -t sources < <(git ls-files '*.cpp' '*.hpp')
clang-format --dry-run --Werror "${sources[@]}"
echo "clang-format: ${#sources[@]} files clean"

mapfile -t program < <(git ls-files frq_ratio.cpp 'text_formats/*.cpp' 'division/*.cpp' 'platform/*_posix.cpp' \
  'platform/key_sequence.cpp')
clang-tidy -p "$build" --quiet "${program[@]}"
echo "clang-tidy: ${#program[@]} files clean"
