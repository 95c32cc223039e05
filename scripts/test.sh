#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh
if [ "${PELMORA_SANITIZE:-0}" = 1 ]; then
  build=${PELMORA_BUILD_DIR:-build-asan}
  # The runtime's record of dynamic TLS guesses block sizes from the bytes
  # before a block whose address happens to end in 0x010, and the leak check
  # then scans wherever that garbage points and dies. Such blocks belong to
  # the plug-in and the virtual card, which are loaded at run time; without
  # the interception the leak check scans every thread's stack and static TLS
  # as before.
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan-suppressions.txt}
else
  build=${PELMORA_BUILD_DIR:-build}
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
if [ "${PELMORA_SANITIZE:-0}" = 1 ]; then
  # The installed programs find their libraries through their relative
  # RUNPATH, but the sanitizer runtime's dlopen interceptor makes the loader
  # search from libasan's side, where there is none: the installed tree is
  # checked in the release build only.
  set -- -E '^install_tree$' "$@"
fi
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" -LE '^focus$' "$@"
# The tests that need real keyboard focus, once on a virtual X server.
xvfb-run -a ctest --test-dir "$build" --output-on-failure -L '^focus$'
if [ "${PELMORA_SANITIZE:-0}" = 1 ] && compgen -G "$build/bin/fuzz_*" >/dev/null; then
  bash scripts/fuzz-smoke.sh "$build"
fi
