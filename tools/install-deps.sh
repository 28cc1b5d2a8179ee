#!/bin/sh
# Installs the Debian 12 packages that building, running and testing Zorvel
# need, skipping what is already there. Works as root or through sudo.
set -eu

packages="cmake g++ make pkg-config
  qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins libgl-dev
  libespeak-ng-dev espeak-ng-data
  fonts-noto-cjk fonts-liberation2 qt6-translations-l10n
  libgtest-dev libbenchmark-dev
  xvfb xauth pulseaudio pulseaudio-utils"

missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=""
else
  as_root="sudo"
fi
echo "Installing:$missing"
$as_root apt-get update
$as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
