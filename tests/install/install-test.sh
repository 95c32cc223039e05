#!/usr/bin/env bash
# install-test.sh BUILD_DIR: installs the build into a temporary prefix, checks
# the desktop files, moves the whole tree elsewhere and starts both programs
# from there.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/first" >/dev/null
id=org.pelmora.Velmet
desktop-file-validate "$work/first/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$work/first/share/metainfo/$id.metainfo.xml" >/dev/null
for f in bin/Velmet bin/velmet-cli lib/pelmora/libBrontel.so lib/pelmora/libqulvio.so \
  share/pelmora/lang.ini share/pelmora/plmn.ini share/pelmora/velmet_res.rcc \
  share/pelmora/README.md share/pelmora/manual/index.html share/mime/packages/$id.xml \
  share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/scalable/apps/pelmora.svg \
  share/icons/hicolor/scalable/mimetypes/application-x-pelmora-2.document.svg; do
  [ -f "$work/first/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
file "$work/first/share/icons/hicolor/48x48/apps/$id.png" | grep -q '48 x 48' ||
  { echo "the program icon is not 48x48" >&2; exit 1; }

# The tree works wherever it lands.
mv "$work/first" "$work/moved"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data"
mkdir -p "$HOME"
report=$(QT_QPA_PLATFORM=offscreen LANGUAGE= "$work/moved/bin/Velmet" --check)
echo "$report"
for found in "$work/moved/share/pelmora/lang.ini" "$work/moved/share/pelmora/velmet_res.rcc" \
  "$work/moved/lib/pelmora/libBrontel.so"; do
  grep -qF "$found" <<<"$report" || { echo "not found from the moved tree: $found" >&2; exit 1; }
done
"$work/moved/bin/velmet-cli" --help >/dev/null
