#!/usr/bin/env bash
# Configures and builds the project. PELMORA_SANITIZE=1 builds into build-asan
# with AddressSanitizer and UndefinedBehaviorSanitizer, and with clang
# (CXX=clang++) the fuzz targets too.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${PELMORA_SANITIZE:-0}" = 1 ]; then
  build=${PELMORA_BUILD_DIR:-build-asan}
  extra=(-DPELMORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DPELMORA_BUILD_BENCHMARKS=OFF)
  # Built with clang, the sanitizer build also holds the fuzz targets.
  if "${CXX:-c++}" --version 2>/dev/null | grep -q clang; then
    extra+=(-DPELMORA_FUZZ=ON)
  fi
else
  build=${PELMORA_BUILD_DIR:-build}
  extra=()
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" "${extra[@]}" >/dev/null
fi
cmake --build "$build" -j "$(nproc)"
