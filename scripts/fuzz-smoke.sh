#!/usr/bin/env bash
# Runs every fuzz target of a build briefly (FUZZ_SMOKE_SECONDS each, 8 by
# default: about two minutes in all) and fails on any finding.
# scripts/fuzz-smoke.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: $0 BUILD_DIR}
seconds=${FUZZ_SMOKE_SECONDS:-8}
source scripts/fuzz-options.sh

targets=("$build"/bin/fuzz_*)
if [ ! -x "${targets[0]}" ]; then
  echo "no fuzz targets in $build/bin" >&2
  exit 1
fi
mkdir -p "$build/fuzz-findings"
failed=()
for binary in "${targets[@]}"; do
  target=$(basename "$binary")
  log=$build/fuzz-findings/$target.log
  if run_fuzz_target "$build" "$target" -max_total_time="$seconds" -print_final_stats=1 \
       >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$target: ${runs:-?} runs, no finding"
  else
    echo "$target: FINDING, see $log" >&2
    failed+=("$target")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz findings: ${failed[*]}" >&2
  exit 1
fi
