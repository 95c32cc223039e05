#!/usr/bin/env bash
# A long fuzz run of one target: scripts/fuzz.sh TARGET SECONDS [BUILD_DIR [OPTION...]]
# (TARGET e.g. fuzz_csv; OPTIONs go to libFuzzer, e.g. -max_len=1024). Builds
# the target with clang into build-fuzz when there is no build directory yet;
# findings land in BUILD_DIR/fuzz-findings/TARGET.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 2 ]; then
  echo "usage: $0 TARGET SECONDS [BUILD_DIR [LIBFUZZER_OPTION...]]" >&2
  exit 2
fi
target=$1
seconds=$2
build=${3:-build-fuzz}

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -DPELMORA_FUZZ=ON -DPELMORA_SANITIZE=ON \
    -DPELMORA_BUILD_BENCHMARKS=OFF -DPELMORA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j 2 --target "$target"
source scripts/fuzz-options.sh
run_fuzz_target "$build" "$target" -max_total_time="$seconds" -print_final_stats=1 "${@:4}"
