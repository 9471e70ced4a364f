#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Quorvel need.
# Quiet when everything is already there; asks for sudo only when not root. Works on Debian 12
# and 13: where a release's version is part of a package name, the package system is asked.
set -euo pipefail

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive

# The sanitizer runtimes of the clang that the `clang` package brings (clang-14 on Debian 12,
# clang-19 on Debian 13), and the Liberation 2 fonts: Debian 13's fonts-liberation, Debian 12's
# fonts-liberation2 (its fonts-liberation is still version 1).
release_packages() {
  local clang liberation
  clang=$(apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n1)
  liberation=$(apt-cache policy fonts-liberation 2>/dev/null | sed -n 's/^ *Candidate: //p')
  [ -n "$clang" ] && [ -n "$liberation" ] && [ "$liberation" != "(none)" ] || return 1
  echo "libclang-rt-$clang-dev"
  if dpkg --compare-versions "$liberation" ge 1:2; then echo fonts-liberation; else echo fonts-liberation2; fi
}
# A fresh system has no package lists yet to ask.
if ! versioned=$(release_packages); then
  "${sudo[@]}" apt-get update -qq
  versioned=$(release_packages) || { echo "install-deps.sh: apt knows no clang or fonts-liberation" >&2; exit 1; }
fi

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libx11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang $versioned
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

echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
