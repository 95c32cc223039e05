#!/usr/bin/env bash
# Start-up of the editor window against a bare Qt main window (a menu bar and
# a tree), both started RUNS times under Xvfb with the demo card in the
# virtual reader; prints the medians and their ratio, then the big-book
# figures. Usage: benchmarks/window_start.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
bench=${PELMORA_BUILD_DIR:-build}/bin/bench_window_start
export PELMORA_PCSC_LIBRARY="$PWD/${PELMORA_BUILD_DIR:-build}/bin/libvirtualsim.so"
export VIRTUALSIM_CARDS="$PWD/data/cards/demo.simcard"

xvfb-run -a bash -c '
  median() { sort -n | awk "{a[NR]=\$1} END {print a[int((NR+1)/2)]}"; }
  measure() {
    for _ in $(seq "$2"); do
      start=$(date +%s%N); "$1" "$3" >/dev/null 2>&1; end=$(date +%s%N)
      echo $(( (end - start) / 1000000 ))
    done | median
  }
  bare=$(measure "$0" "$1" bare)
  window=$(measure "$0" "$1" window)
  echo "start-up to first paint, median of $1: bare Qt window ${bare} ms, editor ${window} ms, ratio $(awk "BEGIN {printf \"%.2f\", $window / $bare}")"
  "$0" big 2>/dev/null
' "$bench" "$runs"
