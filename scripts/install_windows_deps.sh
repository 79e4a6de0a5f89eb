#!/usr/bin/env bash
# Installs the Windows cross-compiler and Wine (to run the Windows tests),
# where they are missing.
set -euo pipefail
need=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || need+=(g++-mingw-w64-x86-64-posix)
command -v wine >/dev/null 2>&1 || need+=(wine64 wine)
if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${need[*]} (run this script as root to install them)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q "${need[@]}"
fi
