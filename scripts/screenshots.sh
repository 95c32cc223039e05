#!/usr/bin/env bash
# Renders the main window under Xvfb into OUTDIR, in every language of
# data/lang.ini so that clipped texts show: the demo card's books (read from
# the card in the window) with the phone book, the iDEN book with its panel,
# and the messages with one deleted on the card, and the window at its
# minimum size (main-smallest-LANG.png); a USIM test card's book with its
# panel, also at the minimum size (main-usim-LANG.png, main-usim-smallest-LANG.png);
# then the editing dialogs over the same books, and the card dialogs:
# progress, reader choice, the PIN dialogs (one with a refused PIN) and the
# demo card's properties and those of its SDN book; and the About box.
# Usage: scripts/screenshots.sh OUTDIR
#        scripts/screenshots.sh --manual   (refreshes the manual's English pictures)
set -euo pipefail
cd "$(dirname "$0")/.."

# The pictures docs/manual/index.html shows, by the name the galleries give them.
manual_pictures=(main-adn reader-choice pin-verify entry options)

if [ "${1:-}" = --manual ]; then
  shots=$(mktemp -d)
  trap 'rm -rf "$shots"' EXIT
  bash "$0" "$shots" >/dev/null
  for name in "${manual_pictures[@]}"; do
    cp "$shots/$name-en.png" "docs/manual/$name.png"
    if command -v optipng >/dev/null; then
      optipng -quiet -o5 -strip all "docs/manual/$name.png"
    fi
  done
  ls docs/manual/*.png
  exit 0
fi

out=${1:?usage: scripts/screenshots.sh OUTDIR | --manual}
mkdir -p "$out"
out=$(cd "$out" && pwd)

build=${PELMORA_BUILD_DIR:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" >/dev/null
fi
cmake --build "$build" -j2 --target ui_gallery ui_edit_gallery card_dialogs_gallery about_gallery ui_print_gallery velmet-cli virtualsim Brontel >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PELMORA_PCSC_LIBRARY="$PWD/$build/bin/libvirtualsim.so"
export VIRTUALSIM_CARDS="$PWD/data/cards/demo.simcard"
echo 1234 | "$build/bin/velmet-cli" read --pin-stdin -o "$work/demo.phn" >/dev/null
echo 1234 | VIRTUALSIM_CARDS="$PWD/tests/data/cards/usim-type1.simcard" \
  "$build/bin/velmet-cli" read --pin-stdin -o "$work/usim.phn" >/dev/null
mkdir -p "$work/usim"

for lang in $(scripts/lang-sections.sh); do
  xvfb-run -a "$build/bin/ui_gallery" --card "$out" "$lang" 2>/dev/null
  xvfb-run -a "$build/bin/ui_edit_gallery" "$work/demo.phn" "$out" "$lang" 2>/dev/null
  xvfb-run -a "$build/bin/card_dialogs_gallery" "$out" "$lang" 2>/dev/null
  xvfb-run -a "$build/bin/about_gallery" "$out" "$lang" 2>/dev/null
  xvfb-run -a "$build/bin/ui_gallery" "$work/usim.phn" "$work/usim" "$lang" 2>/dev/null
  cp "$work/usim/main-usim-$lang.png" "$work/usim/main-usim-smallest-$lang.png" "$out"
done
PELMORA_BUILD_DIR="$build" bash scripts/print-screenshots.sh "$out" >/dev/null
ls "$out"/*.png
