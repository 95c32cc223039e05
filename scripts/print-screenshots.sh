#!/usr/bin/env bash
# Pictures of printing for the gallery: the print setup dialog in each
# language and the first page of the demo card's phone book printed to PDF.
# Usage: scripts/print-screenshots.sh OUTDIR (after building ui_print_gallery,
# velmet-cli and virtualsim).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:?usage: print-screenshots.sh OUTDIR}
bin=$PWD/${PELMORA_BUILD_DIR:-build}/bin
mkdir -p "$out"

for lang in $(scripts/lang-sections.sh); do
  QT_QPA_PLATFORM=offscreen "$bin/ui_print_gallery" "$out" "$lang"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '[Options]\r\nPRINTTITLE=Demo card\r\n' >"$work/Velmet.ini"
echo 1234 | PELMORA_PCSC_LIBRARY="$bin/libvirtualsim.so" \
  VIRTUALSIM_CARDS="$PWD/data/cards/demo.simcard" \
  "$bin/velmet-cli" --settings "$work/Velmet.ini" print --card --pin-stdin -o "$work/adn.pdf" >/dev/null
pdftoppm -png -r 72 -f 1 -l 1 -singlefile "$work/adn.pdf" "$out/print-adn-page1"
echo "Written: $out/print-setup-*.png $out/print-adn-page1.png"
