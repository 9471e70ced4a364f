#!/usr/bin/env bash
# Runs make targets of the commit checked out here in a minimal root of a Debian release, as on
# a fresh machine of that release: makes the root with debootstrap where it is missing (in
# build-roots/RELEASE), gives it the host's devices for the loop-device and end-to-end tests,
# clones the commit (HEAD; changes not committed stay out) into /work/quorvel there, and runs
# make, which installs what is missing through scripts/install-deps.sh. Unmounts all on the way
# out. Needs root and the Debian archive.
# Usage: run-in-debian-root.sh RELEASE TARGET...   e.g. run-in-debian-root.sh trixie test-plain
set -euo pipefail
[ $# -ge 2 ] || { echo "Usage: $0 RELEASE TARGET..." >&2; exit 2; }
release=$1
shift
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/debian_root.sh"
root=$here/build-roots/$release

if [ ! -e "$root/.bootstrapped" ]; then
  remove_folder "$root"
  mkdir -p "$root"
  bootstrap_root "$release" "$root" "$root.debootstrap.log"
  touch "$root/.bootstrapped"
fi
trap unmount_root EXIT
mount_root "$root" host

commit=$(git -C "$here" rev-parse HEAD)
remove_folder "$root/work/quorvel"
git clone --quiet --no-checkout "$here" "$root/work/quorvel"
git -C "$root/work/quorvel" checkout --quiet --detach "$commit"
echo "Debian $release: make $* at $(git -C "$here" log -1 --format='%h %s' "$commit")"
# What a user brings besides the clone: make.
in_root sh -c 'command -v make >/dev/null || { apt-get update -qq && apt-get install -y -qq --no-install-recommends make >/dev/null; }'
in_root make -C /work/quorvel "$@"
