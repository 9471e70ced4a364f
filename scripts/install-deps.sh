#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Quorvel need.
# Quiet when everything is already there; asks for sudo only when not root.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libx11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation2
  xvfb xdotool x11-utils imagemagick
  dbus dbus-x11 at-spi2-core python3-pyatspi
  weston qt6-wayland qt6ct
  appstream desktop-file-utils dpkg-dev file
  man-db lintian python3-debian
  mount e2fsprogs
  bindfs fuse3
  orca speech-dispatcher speech-dispatcher-espeak-ng matchbox-window-manager bsdutils
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
