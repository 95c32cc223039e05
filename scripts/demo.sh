#!/usr/bin/env bash
# Installs what is needed, builds, and runs the main job: the editor window on
# the virtual demo card when a display is there, else the demo card through
# velmet-cli in the terminal.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
build=${PELMORA_BUILD_DIR:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" >/dev/null
# Only what the demo runs: the programs and their libraries, not the tests
# (./scripts/test.sh builds those).
cmake --build "$build" -j "$(nproc)" --target programs
bin=$build/bin

if [ -x "$bin/Velmet" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  export PELMORA_PCSC_LIBRARY="$PWD/$bin/libvirtualsim.so"
  export VIRTUALSIM_CARDS=${VIRTUALSIM_CARDS:-$PWD/data/cards/demo.simcard}
  # The demo card's root is in the tree: double-click it or press Read SIM
  # (PIN1 1234).
  "$bin/Velmet" "$@"
elif [ -x "$bin/velmet-cli" ]; then
  export PELMORA_PCSC_LIBRARY="$PWD/$bin/libvirtualsim.so"
  export VIRTUALSIM_CARDS=${VIRTUALSIM_CARDS:-$PWD/data/cards/demo.simcard}
  cli="$bin/velmet-cli"
  # Any arguments are a velmet-cli command on the demo card.
  if [ $# -gt 0 ]; then
    exec "$cli" "$@"
  fi
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  if [ -x "$bin/Velmet" ] && command -v xvfb-run >/dev/null; then
    echo "No display here (DISPLAY is not set): the editor window runs on a virtual one"
    echo "for a few seconds and leaves a picture of itself."
    echo 1234 | "$cli" read --pin-stdin -o "$work/demo.phn" >/dev/null
    shot=${PELMORA_DEMO_SCREENSHOT:-$PWD/$build/demo-window.png}
    # A home of its own, so that the run registers nothing for the user; the
    # program ends itself once the picture is saved, and timeout makes sure.
    mkdir -p "$work/home"
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data" \
      timeout 60 xvfb-run -a "$bin/Velmet" --screenshot "$shot" "$work/demo.phn" >/dev/null 2>&1 || true
    if [ -f "$shot" ]; then
      echo "The window on the demo card: $shot"
    else
      echo "The window could not be pictured; the card in the terminal instead."
    fi
    echo
  fi
  echo "The demo card in the virtual reader; its PIN1 (1234) goes in on standard input."
  echo
  echo "\$ velmet-cli info --pin-stdin"
  echo 1234 | "$cli" info --pin-stdin
  echo
  echo "\$ velmet-cli read --pin-stdin --books adn,sms -o demo.phn"
  echo 1234 | "$cli" read --pin-stdin --books adn,sms -o "$work/demo.phn"
  echo
  echo "\$ velmet-cli show demo.phn --book adn    (the first entries)"
  "$cli" show "$work/demo.phn" --book adn >"$work/adn.txt"
  head -n 12 "$work/adn.txt"
  echo
  echo "More: $cli --help, or ./scripts/demo.sh COMMAND ... (for example: sms --pin-stdin)"
else
  echo "Built: $(ls "$bin" 2>/dev/null | tr '\n' ' ')"
  echo "Not built yet: the editor window (Velmet) and the command-line editor (velmet-cli)."
fi
