#!/usr/bin/env bash
# Tries the Debian package: first builds it twice more from fresh clones of the commit checked out,
# in folders of different names, which must give the same bytes; then the host's lintian, which
# must report no error and no warning; then on a fresh Debian 12 and a fresh Debian 13, each:
# bootstraps a minimal root in a folder, runs that release's lintian on the package, installs the
# package there with apt, starts Quorvel from its desktop entry under Xvfb, installs what the
# package recommends and starts Quorvel natively on weston, then purges the package and checks
# that none of its files are left. Needs root and the Debian archive; takes several minutes.
# Usage: check-package.sh PACKAGE.deb [WORK_DIR]
set -euo pipefail
deb=$(readlink -f "$1")
work=${2:-$(dirname "$deb")/package-check}
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/debian_root.sh"

remove_folder "$work"
mkdir -p "$work"

commit=$(git -C "$here" rev-parse HEAD)
built=()
for clone in "$work/reproduce/quorvel" "$work/reproduce/elsewhere/another-name"; do
  git clone --quiet --no-checkout "$here" "$clone"
  git -C "$clone" checkout --quiet --detach "$commit"
  make -C "$clone" package >"$clone.log" 2>&1 || { tail -20 "$clone.log"; echo "FAIL: make package in $clone"; exit 1; }
  built+=("$(echo "$clone"/build-package/quorvel_*.deb)")
done
sha256sum "${built[@]}"
if ! cmp -s "${built[0]}" "${built[1]}"; then
  diff <(dpkg-deb -c "${built[0]}") <(dpkg-deb -c "${built[1]}") || true
  echo "FAIL: two builds of $commit differ"
  exit 1
fi
echo "PASS: two builds of $(git -C "$here" log -1 --format=%h "$commit") in different folders give the same package"
command -v lintian >/dev/null || apt-get install -y -qq lintian >/dev/null
echo "lintian $(basename "$deb") (informational tags shown, errors and warnings fail):"
lintian --display-info --fail-on error,warning "$deb" || { echo "FAIL: lintian reports errors or warnings"; exit 1; }
trap unmount_root EXIT

for release in bookworm trixie; do
  log=$work/$release
  mkdir -p "$log"
  bootstrap_root "$release" "$work/$release-root" "$log/debootstrap.log"
  mount_root "$work/$release-root" own
  cp "$deb" "$ROOT/tmp/"
  in_root apt-get update -qq
  in_root apt-get install -y -qq --no-install-recommends lintian >"$log/lintian-install.log"
  echo "lintian $(in_root lintian --version) on Debian $release:"
  in_root lintian --display-info --fail-on error,warning "/tmp/$(basename "$deb")" ||
    { echo "FAIL: lintian of $release reports errors or warnings"; exit 1; }
  in_root apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$deb")" >"$log/install.log"
  echo "Installed: $(in_root dpkg-query -W -f='${Package} ${Version}, ${Installed-Size} KiB, depends on ${Depends}\n' quorvel)"
  echo "Packages apt brought with it: $(grep -c '^Setting up' "$log/install.log")"

  # What a desktop session would add: the X server, the launcher and the test's tools.
  in_root apt-get install -y -qq --no-install-recommends xvfb xdotool x11-utils imagemagick libglib2.0-bin procps \
    >"$log/tools.log"
  mkdir -p "$ROOT/tmp/e2e"
  cp "$here"/tests/e2e/waiting.sh "$here"/tests/e2e/x_session.sh "$here"/tests/e2e/desktop_theme.sh \
    "$here"/tests/e2e/desktop_entry_start.sh "$ROOT/tmp/e2e/"
  in_root /tmp/e2e/desktop_entry_start.sh /usr/share/applications/de.valdrin.quorvel.desktop /tmp/shots
  mkdir -p "$log/screenshots"
  cp "$ROOT"/tmp/shots/*.png "$log/screenshots/"

  # A Wayland desktop: what the package recommends must bring Qt's Wayland plugin for this release.
  in_root apt-get satisfy -y -qq --no-install-recommends "$(dpkg-deb -f "$deb" Recommends)" >"$log/recommends.log"
  in_root apt-get install -y -qq --no-install-recommends weston >"$log/weston-install.log"
  cp "$here"/tests/e2e/weston.sh "$here"/tests/e2e/wayland_start.sh "$ROOT/tmp/e2e/"
  in_root /tmp/e2e/wayland_start.sh /usr/bin/quorvel /tmp/wayland
  cp "$ROOT"/tmp/wayland/*.log "$log/"

  files=$(in_root dpkg-query -L quorvel | while read -r f; do if [ -f "$ROOT$f" ]; then echo "$f"; fi; done)
  in_root apt-get purge -y -qq quorvel >"$log/purge.log"
  left=$(for f in $files; do if [ -e "$ROOT$f" ]; then echo "$f"; fi; done)
  [ -z "$left" ] || { echo "FAIL: left after purge on $release: $left"; exit 1; }
  if in_root dpkg-query -W quorvel >/dev/null 2>&1; then echo "FAIL: quorvel still known to dpkg on $release"; exit 1; fi
  echo "PASS on Debian $release: installed, started from its desktop entry and on weston, purged without leftovers ($(echo "$files" | wc -l) files)"
  unmount_root
done
