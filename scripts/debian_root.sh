# Making, entering and removing a minimal Debian root in a folder; sourced by the scripts that
# work in one and by `make clean`. Needs root and, to make a root, the Debian archive.

DEBIAN_MIRROR=${DEBIAN_MIRROR:-http://deb.debian.org/debian}

# A mount left below a folder must never be deleted through: refuses while there is one, and
# never leaves the folder's file system.
remove_folder() {
  local folder
  for folder in "$@"; do
    folder=$(readlink -m "$folder")
    if grep -qE " $folder(/| )" /proc/mounts; then echo "FAIL: something is still mounted under $folder" >&2; return 1; fi
    rm -rf --one-file-system "$folder"
  done
}

# dpkg serves one apt at a time: whoever makes roots side by side calls this first, so that
# they do not each ask the host's apt for debootstrap at once.
install_debootstrap() {
  command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap >/dev/null
}

# bootstrap_root RELEASE ROOT LOG: a minimal Debian RELEASE (bookworm, trixie, forky, testing,
# ...) in ROOT. A release younger than the host's debootstrap is made by its script for sid,
# which serves every release since.
bootstrap_root() {
  install_debootstrap
  local script=()
  [ -e "/usr/share/debootstrap/scripts/$1" ] || script=(/usr/share/debootstrap/scripts/sid)
  echo "Bootstrapping Debian $1 in $2"
  debootstrap --variant=minbase "$1" "$2" "$DEBIAN_MIRROR" "${script[@]}" >"$3"
  accept_expired_testing "$2"
}

# The archive reached here may be a snapshot, whose testing Release file (valid for a week)
# has expired; apt in a testing or unstable root is told to accept it, and in no other root.
accept_expired_testing() {
  local release
  for release in "$1"/var/lib/apt/lists/*_Release; do
    if grep -qxE 'Suite: (testing|unstable)' "$release"; then
      echo 'Acquire::Check-Valid-Until "false";' >"$1/etc/apt/apt.conf.d/80accept-expired-testing"
      return
    fi
  done
}

# mount_root ROOT own|host: the root bound onto itself, so that its / is a mount point whose
# propagation a test's mount namespace of its own can change; a fresh sys of the root's own;
# with `own`, /dev stays the few nodes debootstrap made, so nothing of the host's devices is
# reachable; with `host`, the host's devices (loop devices, input LEDs, FUSE) and a shared-memory
# tmpfs, as the tests need. Call unmount_root on every way out.
mount_root() {
  ROOT=$1
  mount --bind "$ROOT" "$ROOT"
  root_mount sys -t sysfs sysfs
  if [ "$2" = host ]; then
    root_mount dev --bind /dev
    root_mount dev/pts --bind /dev/pts
    root_mount dev/shm -t tmpfs -o mode=1777 tmpfs
  else
    root_mount dev/pts -t devpts -o newinstance,ptmxmode=0666 devpts
  fi
}

root_mount() {
  local at=$ROOT/$1
  shift
  mkdir -p "$at"
  mount "$@" "$at"
}

# Unmounts, innermost first, what mount_root mounted and whatever the commands run in the root
# left mounted below it (a test's loop-device file system, say), the root's own binding last.
unmount_root() {
  local at
  [ -n "${ROOT:-}" ] || return 0
  for at in $(awk -v root="$(readlink -m "$ROOT")" '$2 == root || index($2, root "/") == 1 { print $2 }' /proc/mounts | sort -r); do
    umount "$at" 2>/dev/null || umount -l "$at" || true
  done
}

# Each command gets process and mount namespaces of its own: it sees and ends only its own
# processes, and what it mounts goes away with it.
in_root() {
  unshare --pid --fork --mount --mount-proc="$ROOT/proc" chroot "$ROOT" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"
}
