#!/usr/bin/env bash
# Starts a program as a Wayland desktop session would, on a private headless weston whose output has
# scale 2: no X display, no QT_QPA_PLATFORM, only WAYLAND_DISPLAY and XDG_SESSION_TYPE. Its first
# window (the main window, or the box about a drive it cannot identify) must reach the compositor
# as a native Wayland client, drawn at the output's scale. Used by the package check on the
# installed program.
# Usage: wayland_start.sh PROGRAM LOG_DIR
set -euo pipefail
program=$1
log_dir=$2
source "$(dirname "$0")/waiting.sh"
source "$(dirname "$0")/weston.sh"

session=$(mktemp -d)
cleanup() {
  if [ -n "${PROGRAM_PID:-}" ]; then kill "$PROGRAM_PID" 2>/dev/null || true; fi
  if [ -n "${WESTON_PID:-}" ]; then kill "$WESTON_PID" 2>/dev/null || true; fi
  rm -rf "$session"
}
trap cleanup EXIT
mkdir -p "$log_dir"
export XDG_RUNTIME_DIR=$session/runtime XDG_CONFIG_HOME=$session/config
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME"
start_weston "$log_dir/weston.log"

log=$log_dir/wayland-client.log
ended() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }
settled() { ended || window_reached_compositor "$log"; }
seen_meanwhile() { wayland_log_summary "$log"; }
env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=quorvel XDG_SESSION_TYPE=wayland WAYLAND_DEBUG=client \
  "$program" >"$log" 2>&1 &
PROGRAM_PID=$!
wait_for "a window of $(basename "$program") on weston" 30 settled
if ended; then
  grep -v '^\[' "$log" | tail -20 >&2
  fail "$(basename "$program") ended without a window on Wayland (no Qt Wayland plugin?)"
fi
draws_at_scale_2 "$log" || fail "$(basename "$program") does not draw at the output's scale 2"
echo "PASS: $(basename "$program") opened its window as a native Wayland client, at scale 2"
