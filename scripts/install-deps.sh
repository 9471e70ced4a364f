#!/usr/bin/env bash
# Installs the Debian packages Quorvel needs: `run` (the default) what building, running and packaging
# it need, `test` those and the test tools besides. Quiet when everything is already there; asks for
# sudo only when not root. Works on Debian 12, 13 and testing: where a release's version is part of a
# package name, or a file moved between packages, the package system is asked. Without apt it names
# what to install and stops.
# Usage: install-deps.sh [run|test]
set -euo pipefail
set_name=${1:-run}
case $set_name in
  run | test) ;;
  *) echo "Usage: $0 [run|test]" >&2; exit 2 ;;
esac

if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
  cat >&2 <<'EOF'
install-deps.sh: this system has no apt. Install with its own package manager (the oldest
versions the build is known to work with):
  to build and run: a C++20 compiler (GCC 12 or later), CMake 3.25, Ninja or Make,
    Qt 6.4 or later (Qt Base: Core, Gui, Widgets, Test, with the xcb platform plugin and the
    Xlib and OpenGL development files it builds against), Qt Wayland 6.4 for Wayland desktops,
    the Liberation fonts 2.0 (Liberation Sans), and optionally Qt's German translations;
    without a display, `make run` needs Xvfb, xdotool and ImageMagick
  to test, besides: GoogleTest 1.12 with GoogleMock, Google Benchmark 1.7, Clang 14 with its
    sanitizer runtimes and libFuzzer, xprop and xwininfo, D-Bus, at-spi2-core, pyatspi, weston 10,
    qt6ct, AppStream, desktop-file-utils, man-db, lintian, python-debian, util-linux, e2fsprogs,
    bindfs, FUSE 3, Orca, speech-dispatcher with espeak-ng, matchbox-window-manager
Then configure and build with CMake, as the Makefile does.
EOF
  exit 1
fi

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive

candidate() { apt-cache policy "$1" 2>/dev/null | sed -n 's/^ *Candidate: //p'; }
# The Liberation 2 fonts: Debian 13's fonts-liberation, Debian 12's fonts-liberation2 (its
# fonts-liberation is still version 1). Qt's Wayland platform plugin: qt6-wayland up to Qt 6.10.1,
# libqt6waylandclient6 from 6.10.2 on (testing). With `test`, the sanitizer runtimes of the clang
# that the `clang` package brings (clang-14 on Debian 12, clang-19 on Debian 13).
release_packages() {
  local liberation wayland clang
  liberation=$(candidate fonts-liberation)
  wayland=$(candidate libqt6waylandclient6)
  [ -n "$liberation" ] && [ "$liberation" != "(none)" ] && [ -n "$wayland" ] && [ "$wayland" != "(none)" ] || return 1
  if dpkg --compare-versions "$liberation" ge 1:2; then echo fonts-liberation; else echo fonts-liberation2; fi
  if dpkg --compare-versions "$wayland" ge 6.10.2~; then echo libqt6waylandclient6; else echo qt6-wayland; fi
  if [ "$set_name" = test ]; then
    clang=$(apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n1)
    [ -n "$clang" ] || return 1
    echo "libclang-rt-$clang-dev"
  fi
}
# A fresh system has no package lists yet to ask.
if ! versioned=$(release_packages); then
  "${sudo[@]}" apt-get update -qq
  versioned=$(release_packages) || { echo "install-deps.sh: apt knows no fonts-liberation, Qt Wayland or clang" >&2; exit 1; }
fi

# Building, running (under Xvfb where there is no display) and packaging.
run_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev libx11-dev
  xvfb xdotool imagemagick
  dpkg-dev file
)
# The tests, the sanitizer and fuzzing builds, the benchmarks.
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang
  x11-utils
  dbus dbus-x11 at-spi2-core python3-pyatspi
  weston qt6ct
  appstream desktop-file-utils
  man-db lintian python3-debian
  mount e2fsprogs
  bindfs fuse3
  orca speech-dispatcher speech-dispatcher-espeak-ng matchbox-window-manager bsdutils
)
packages=("${run_packages[@]}" $versioned)
[ "$set_name" = run ] || packages+=("${test_packages[@]}")

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
