#!/usr/bin/env bash
# Builds the Debian package, lists it, installs it with dpkg, checks that a
# .phn file opens in the program, and removes it again, leaving nothing.
# Needs root (or sudo) and a machine where the package is not yet installed.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
build=${PELMORA_BUILD_DIR:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" >/dev/null
# The package holds the programs and their data only: no tests are built.
cmake --build "$build" -j "$(nproc)" --target programs >/dev/null
id=org.pelmora.Velmet
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if dpkg-query -W -f='${Status}' pelmora 2>/dev/null | grep -q 'install ok installed'; then
  echo "package-test: pelmora is installed already; remove it first (dpkg -r pelmora)" >&2
  exit 1
fi

rm -f "$build"/pelmora_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/pelmora_*.deb)
echo "Built $deb"

listing=$(dpkg-deb -c "$deb")
for f in usr/bin/Velmet usr/bin/velmet-cli usr/lib/pelmora/libBrontel.so usr/lib/pelmora/libqulvio.so \
  usr/share/pelmora/lang.ini usr/share/pelmora/plmn.ini usr/share/pelmora/velmet_res.rcc \
  usr/share/pelmora/README.md usr/share/pelmora/manual/index.html usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
  usr/share/mime/packages/$id.xml usr/share/icons/hicolor/48x48/apps/$id.png \
  usr/share/icons/hicolor/scalable/apps/$id.svg \
  usr/share/icons/hicolor/scalable/mimetypes/application-x-pelmora-2.document.svg; do
  grep -q " \./$f\$" <<<"$listing" || { echo "package-test: the package lacks $f" >&2; exit 1; }
done
echo "dpkg-deb -c lists every installed file"
dpkg-deb -f "$deb" Depends

installed=0
work=$(mktemp -d)
cleanup() {
  [ "$installed" -eq 0 ] || $SUDO dpkg -r pelmora >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

$SUDO dpkg -i "$deb" >/dev/null
installed=1
echo "Installed"

# A fresh user: nothing of ours in the user's own MIME or application folders.
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
touch "$work/book.phn"
type=$(xdg-mime query filetype "$work/book.phn")
handler=$(xdg-mime query default "$type")
echo "book.phn: $type, opened by $handler"
[ "$type" = application/x-pelmora-2.document ] || { echo "package-test: wrong MIME type" >&2; exit 1; }
[ "$handler" = "$id.desktop" ] || { echo "package-test: .phn files do not open in Pelmora" >&2; exit 1; }
QT_QPA_PLATFORM=offscreen /usr/bin/Velmet --check

$SUDO dpkg -r pelmora >/dev/null
installed=0
left=0
while read -r path; do
  [ -e "/$path" ] && [ ! -d "/$path" ] && { echo "package-test: left behind: /$path" >&2; left=1; }
done < <(awk '{print $6}' <<<"$listing" | sed 's|^\./||')
[ "$left" -eq 0 ] || exit 1
# dpkg still remembers the removed package: purge that record too.
$SUDO dpkg -P pelmora >/dev/null
echo "Removed; nothing left behind"
