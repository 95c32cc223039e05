#!/usr/bin/env bash
# Installs what is needed, builds, and runs the main job: the editor on the
# virtual demo card, or as much of it as is built so far.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh
bin=build/bin

if [ -x "$bin/Velmet" ]; then
  export PELMORA_PCSC_LIBRARY="$PWD/$bin/libvirtualsim.so"
  export VIRTUALSIM_CARDS=${VIRTUALSIM_CARDS:-$PWD/data/cards/demo.simcard}
  exec "$bin/Velmet" "$@"
elif [ -x "$bin/velmet-cli" ]; then
  export PELMORA_PCSC_LIBRARY="$PWD/$bin/libvirtualsim.so"
  export VIRTUALSIM_CARDS=${VIRTUALSIM_CARDS:-$PWD/data/cards/demo.simcard}
  exec "$bin/velmet-cli" info
else
  echo "Built: $(ls "$bin" 2>/dev/null | tr '\n' ' ')"
  echo "Not built yet: the editor window (Velmet) and the command-line editor (velmet-cli)."
fi
