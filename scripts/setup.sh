#!/usr/bin/env bash
# Installs every Debian package that the build, the demo and the tests need.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache ninja-build clang
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libqt6svg6
  libpcsclite-dev libpcsclite1 pcscd vsmartcard-vpcd
  mobile-broadband-provider-info iso-codes
  xvfb xauth fonts-dejavu-core fonts-wqy-microhei poppler-utils optipng xdotool
  shared-mime-info desktop-file-utils xdg-utils libfile-mimeinfo-perl appstream file
  binutils
  breeze-icon-theme
  python3 python3-vobject
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "setup: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
