#!/usr/bin/env bash
# Starts the real quorvel under Xvfb on this machine. Where the drive cannot be identified
# (a virtual disk, say) it must say why in message boxes and end, with a failure exit
# code, once they are confirmed. On a machine whose drive it reads there is nothing to
# check, and the test reports itself skipped (exit code 77).
# Usage: drive_error.sh QUORVEL SHOT_DIR
set -euo pipefail
program=$1
SHOT_DIR=$2
source "$(dirname "$0")/x_session.sh"

start_x_session
start_program "$program"
wait_for "a window" 20 any_window

if ! confirm_boxes program_running drive-error; then
  shot drive-identified
  echo "SKIP: the drive was identified on this machine; no error to show"
  exit 77
fi
[ "$BOXES" -ge 1 ] || fail "the program ended without a message"
wait_for_program_end 10
[ "$PROGRAM_RC" -eq 1 ] || fail "quorvel ended with exit code $PROGRAM_RC after $BOXES boxes"
echo "PASS: $BOXES boxes confirmed, then quorvel ended with exit code 1"

# `make run` on such a machine: the screenshots of the boxes, and the same exit code.
run_shots=$SHOT_DIR/make-run
rm -rf "$run_shots"
env -u DISPLAY -u WAYLAND_DISPLAY "$(dirname "$0")/../../scripts/start-program.sh" "$program" "$run_shots" 10 \
  && run_rc=0 || run_rc=$?
[ "$run_rc" -eq 1 ] || fail "start-program.sh ended with exit code $run_rc, quorvel with 1"
ls "$run_shots"/shot-*.png >/dev/null 2>&1 || fail "start-program.sh saved no screenshot"
echo "PASS: start-program.sh passed exit code 1 on, screenshots in $run_shots"
