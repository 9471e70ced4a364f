#!/usr/bin/env bash
# Tries the Debian package: first lintian, which must report no error and no warning, then a
# fresh Debian 12: bootstraps a minimal bookworm in a folder, installs the package there with
# apt, starts Quorvel from its desktop entry under Xvfb, then purges the package and checks
# that none of its files are left. Needs root and the Debian archive; takes a few minutes.
# Usage: check-package.sh PACKAGE.deb [WORK_DIR]
set -euo pipefail
deb=$(readlink -f "$1")
work=${2:-$(dirname "$deb")/package-check}
here=$(cd "$(dirname "$0")/.." && pwd)
root=$work/debian12
mirror=http://deb.debian.org/debian

# A mount left inside the old tree must never be deleted through.
if grep -q " $work/" /proc/mounts; then echo "FAIL: something is still mounted under $work"; exit 1; fi
rm -rf --one-file-system "$work"
mkdir -p "$work"
command -v lintian >/dev/null || apt-get install -y -qq lintian >/dev/null
echo "lintian $(basename "$deb") (informational tags shown, errors and warnings fail):"
lintian --display-info --fail-on error,warning "$deb" || { echo "FAIL: lintian reports errors or warnings"; exit 1; }
command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap >/dev/null
echo "Bootstrapping Debian 12 in $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log"

# Fresh proc and sys of its own; /dev stays the few nodes debootstrap made, so nothing of the
# host's devices is reachable from the tree.
unmount() { umount "$root/dev/pts" "$root/sys" "$root/proc" 2>/dev/null || true; }
trap unmount EXIT
mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mkdir -p "$root/dev/pts"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }

cp "$deb" "$root/tmp/"
in_root apt-get update -qq
in_root apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$deb")" >"$work/install.log"
echo "Installed: $(in_root dpkg-query -W -f='${Package} ${Version}, ${Installed-Size} KiB\n' quorvel)"
echo "Packages apt brought with it: $(grep -c '^Setting up' "$work/install.log")"

# What a desktop session would add: the X server, the launcher and the test's tools.
in_root apt-get install -y -qq --no-install-recommends xvfb xdotool x11-utils imagemagick libglib2.0-bin procps \
  >"$work/tools.log"
mkdir -p "$root/tmp/e2e"
cp "$here"/tests/e2e/waiting.sh "$here"/tests/e2e/x_session.sh "$here"/tests/e2e/desktop_entry_start.sh "$root/tmp/e2e/"
in_root /tmp/e2e/desktop_entry_start.sh /usr/share/applications/de.valdrin.quorvel.desktop /tmp/shots
mkdir -p "$work/screenshots"
cp "$root"/tmp/shots/*.png "$work/screenshots/"

files=$(in_root dpkg-query -L quorvel | while read -r f; do if [ -f "$root$f" ]; then echo "$f"; fi; done)
in_root apt-get purge -y -qq quorvel >"$work/purge.log"
left=$(for f in $files; do if [ -e "$root$f" ]; then echo "$f"; fi; done)
[ -z "$left" ] || { echo "FAIL: left after purge: $left"; exit 1; }
if in_root dpkg-query -W quorvel >/dev/null 2>&1; then echo "FAIL: quorvel still known to dpkg"; exit 1; fi
echo "PASS: installed, started from its desktop entry, purged without leftovers ($(echo "$files" | wc -l) files)"
