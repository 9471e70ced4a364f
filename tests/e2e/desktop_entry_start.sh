#!/usr/bin/env bash
# Starts the installed Quorvel the way a desktop does, through its desktop entry, under
# Xvfb. It must show a window; every message box is confirmed, and where the drive
# cannot be identified the program must then end.
# Usage: desktop_entry_start.sh DESKTOP_ENTRY SHOT_DIR
set -euo pipefail
entry=$1
SHOT_DIR=$2
source "$(dirname "$0")/x_session.sh"

quorvel_running() { pgrep -x quorvel >/dev/null; }
quorvel_ended() { ! quorvel_running; }

start_x_session
gio launch "$entry"
wait_for "a window" 20 any_window
if ! confirm_boxes quorvel_running desktop-entry-box; then
  shot desktop-entry-main-window
  pkill -x quorvel
  echo "PASS: the desktop entry started Quorvel; its main window is shown"
  exit 0
fi
wait_for "quorvel to end" 10 quorvel_ended
echo "PASS: the desktop entry started Quorvel; it showed $BOXES boxes and ended"
