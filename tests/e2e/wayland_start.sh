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
weston --backend=headless-backend.so --socket=quorvel --idle-time=0 --use-pixman \
  --width=1600 --height=1200 --scale=2 >"$log_dir/weston.log" 2>&1 &
WESTON_PID=$!
wait_for "weston to start" 20 test -S "$XDG_RUNTIME_DIR/quorvel"

# libwayland 1.21 writes an object as interface@id, 1.23 as interface#id.
id='[@#][0-9]*'
log=$log_dir/wayland-client.log
ended() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }
shown() { grep -q "xdg_toplevel$id\\.set_title(\"Quorvel\")" "$log" && grep -q "wl_surface$id\\.attach(wl_buffer[@#]" "$log"; }
settled() { ended || shown; }
env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=quorvel XDG_SESSION_TYPE=wayland WAYLAND_DEBUG=client \
  "$program" >"$log" 2>&1 &
PROGRAM_PID=$!
wait_for "a window of $(basename "$program") on weston" 30 settled
if ended; then
  grep -v '^\[' "$log" | tail -20 >&2
  fail "$(basename "$program") ended without a window on Wayland (no Qt Wayland plugin?)"
fi
grep -q "wl_surface$id\\.set_buffer_scale(2)" "$log" || fail "$(basename "$program") does not draw at the output's scale 2"
echo "PASS: $(basename "$program") opened its window as a native Wayland client, at scale 2"
