#!/bin/sh
# Installs the Debian 12 packages that building, running and testing Zorvel
# need, skipping what is already there. Works as root or through sudo. Never
# removes a package: when one would have to go, it says which and stops.
set -eu

packages="cmake g++ make pkg-config
  qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins libgl-dev
  libqt6sql6-sqlite libsqlite3-dev libqt6sql6-psql postgresql-15 qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
  libespeak-ng-dev espeak-ng-data libsndfile1-dev
  fonts-noto-cjk fonts-liberation2
  libgtest-dev libbenchmark-dev
  xdg-utils xvfb xauth pulseaudio-utils poppler-utils lintian"

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# The sound test runs its own PulseAudio daemon. Where PipeWire serves the
# sound, that daemon's package conflicts with PipeWire's, so it stays out
# (the sound test then says why it is skipped).
installed pipewire-pulse || packages="$packages pulseaudio"

missing=""
for p in $packages; do
  installed "$p" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=""
elif command -v sudo >/dev/null 2>&1; then
  as_root="sudo"
else
  echo "install-deps.sh: missing packages:$missing; install them as root (apt-get install$missing) or run this command as root." >&2
  exit 1
fi

# Packages that installing $1... would remove, one line each.
removals() {
  LC_ALL=C apt-get -s install --no-install-recommends "$@" 2>/dev/null | sed -n 's/^Remv \([^ ]*\).*/\1/p'
}

echo "Installing:$missing"
$as_root apt-get update
# shellcheck disable=SC2086
all_gone=$(removals $missing | tr '\n' ' ')
if [ -n "$all_gone" ]; then
  named=""
  for p in $missing; do
    gone=$(removals "$p" | tr '\n' ' ')
    [ -z "$gone" ] && continue
    echo "install-deps.sh: installing $p would remove ${gone% }; nothing was installed." >&2
    named=yes
  done
  [ -n "$named" ] || echo "install-deps.sh: installing$missing would remove ${all_gone% }; nothing was installed." >&2
  exit 1
fi
# shellcheck disable=SC2086
$as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-remove --no-install-recommends $missing
