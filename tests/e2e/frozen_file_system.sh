#!/usr/bin/env bash
# "&Beenden" while a worker waits for a file system that does not answer: quorvel-demo runs
# from a bindfs mount on /srv (in a mount namespace of its own), its daemon is stopped,
# and the latitude page's disk-load thread reads the program's file. It must still end.
# Usage: frozen_file_system.sh QUORVEL_DEMO SHOT_DIR
set -euo pipefail
if [ "$(id -u)" -ne 0 ] || [ ! -w /dev/fuse ] || ! command -v bindfs >/dev/null ||
  ! unshare --mount --propagation private true 2>/dev/null; then
  echo "SKIP: needs root, /dev/fuse, bindfs and a mount namespace of its own (a chroot whose / is no mount point has none)" && exit 77
fi
[ -n "${QUORVEL_OWN_MOUNTS:-}" ] || QUORVEL_OWN_MOUNTS=1 exec unshare --mount --propagation private "$0" "$@"
SHOT_DIR=$2
source "$(dirname "$0")/x_session.sh"
start_x_session
mkdir -p "$SESSION_DIR/program" "$XDG_CONFIG_HOME/Valdrin" && cp "$1" "$SESSION_DIR/program/quorvel-demo"
# Calibrated, so that the latitude link is offered.
printf '[Daten]\nKalibrierung=rabcdefghijklmnopq\n' >"$XDG_CONFIG_HOME/Valdrin/Quorvel-Demo.conf"
# kernel_cache keeps the program's pages once read: only the workers' reads reach the daemon.
bindfs -f -o kernel_cache "$SESSION_DIR/program" /srv & BINDFS_PID=$!
trap 'kill -KILL $BINDFS_PID; stop_x_session' EXIT
wait_for "the FUSE mount" 10 mountpoint -q /srv
cat /srv/quorvel-demo >/dev/null

start_program /srv/quorvel-demo
wait_for_main_window
# Stopped first, so the daemon holds no request: one it had taken could not be abandoned.
kill -STOP "$BINDFS_PID"
click_at 130 208 # the latitude link
waits_for_fuse() { grep -qsE 'request_wait_answer|fuse' /proc/"$PROGRAM_PID"/task/*/wchan; }
wait_for "a thread waiting for the frozen file system" 20 waits_for_fuse
started=$(date +%s%N)
press_keys "$MAIN_WINDOW" alt+d b
wait_for_program_end 10
echo "ended $(( ($(date +%s%N) - started) / 1000000 )) ms after \"&Beenden\", exit code $PROGRAM_RC"
[ "$PROGRAM_RC" -eq 0 ] || fail "quorvel-demo ended with exit code $PROGRAM_RC"
