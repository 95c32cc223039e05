#!/usr/bin/env bash
# Configures and builds the project. PELMORA_SANITIZE=1 builds into build-asan
# with AddressSanitizer and UndefinedBehaviorSanitizer, and with clang
# (CXX=clang++) the fuzz targets too.
set -euo pipefail
cd "$(dirname "$0")/.."

# The first configure of a build folder takes CMake's own choices from the
# environment (CC, CXX, CMAKE_GENERATOR); PELMORA_SANITIZE_CMAKE_ARGS adds
# settings to the sanitizer build's first configure, for example
# -DPELMORA_FUZZ=ON. An existing build folder keeps what it was configured with.
if [ "${PELMORA_SANITIZE:-0}" = 1 ]; then
  build=${PELMORA_BUILD_DIR:-build-asan}
  extra=(-DPELMORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DPELMORA_BUILD_BENCHMARKS=OFF)
  # clang compiles the sanitizer build faster than gcc, and with clang the
  # sanitizer build also holds the fuzz targets.
  if [ ! -f "$build/CMakeCache.txt" ] && [ -z "${CXX:-}" ] && command -v clang++ >/dev/null; then
    export CC=clang CXX=clang++
  fi
  if "${CXX:-c++}" --version 2>/dev/null | grep -q clang; then
    extra+=(-DPELMORA_FUZZ=ON)
  fi
  # shellcheck disable=SC2206 # split into separate arguments on purpose
  extra+=(${PELMORA_SANITIZE_CMAKE_ARGS:-})
else
  build=${PELMORA_BUILD_DIR:-build}
  extra=()
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" "${extra[@]}" >/dev/null
fi
cmake --build "$build" -j "$(nproc)"
