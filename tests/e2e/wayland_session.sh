#!/usr/bin/env bash
# Runs Quorvel as a Wayland client of a private headless weston whose output has scale 2.
# The demo program must open its window there, drawing at twice the output's logical
# pixels, and keep running, in Qt's light colours and in qt6ct's "darker" scheme (a
# screenshot of each where weston-screenshooter is there); and the view test of the lock panes, run as a
# Wayland client too, must read "UF", "NUM" and "RF" from the keyboard LEDs, since there
# is no X keyboard extension to ask. Reports itself skipped (exit code 77) where weston
# or Qt's Wayland platform plugin (qt6-wayland) is missing.
# Usage: wayland_session.sh QUORVEL_DEMO VIEW_TESTS SHOT_DIR
set -euo pipefail
demo=$1
view_tests=$2
shot_dir=$3

source "$(dirname "$0")/waiting.sh"
source "$(dirname "$0")/desktop_theme.sh"
source "$(dirname "$0")/weston.sh"
skip() { echo "SKIP: $*"; exit 77; }

command -v weston >/dev/null || skip "weston is not installed"

session=$(mktemp -d)
cleanup() {
  if [ -n "${DEMO_PID:-}" ]; then kill "$DEMO_PID" 2>/dev/null || true; fi
  if [ -n "${WESTON_PID:-}" ]; then kill "$WESTON_PID" 2>/dev/null || true; fi
  rm -rf "$session"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$session/runtime XDG_CONFIG_HOME=$session/config
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME" "$shot_dir"

# --debug lets weston-screenshooter take a picture.
start_weston "$session/weston.log" --debug
export WAYLAND_DISPLAY=quorvel QT_QPA_PLATFORM=wayland
unset DISPLAY

# The demo, with its Wayland requests logged: its window must reach the compositor.
no_wayland_plugin() { grep -q 'Could not find the Qt platform plugin "wayland"' "$session/demo.log"; }
demo_ended() { ! kill -0 "$DEMO_PID" 2>/dev/null; }
demo_settled() { no_wayland_plugin || demo_ended || window_reached_compositor "$session/demo.log"; }
seen_meanwhile() { wayland_log_summary "$session/demo.log"; }
# run_demo SHOT_NAME: the demo's start page on weston, and its screenshot.
run_demo() {
  WAYLAND_DEBUG=client "$demo" >"$session/demo.log" 2>&1 &
  DEMO_PID=$!
  wait_for "the demo's window" 30 demo_settled
  no_wayland_plugin && skip "Qt's Wayland platform plugin (qt6-wayland) is not installed"
  demo_ended && { tail -20 "$session/demo.log" >&2; fail "the demo ended on Wayland"; }
  draws_at_scale_2 "$session/demo.log" || fail "the demo does not draw at the output's scale 2"
  sleep 2 # until the shell has drawn the desktop around it
  if command -v weston-screenshooter >/dev/null; then
    (cd "$shot_dir" && rm -f wayland-screenshot-*.png && weston-screenshooter >/dev/null 2>&1 &&
      mv wayland-screenshot-*.png "$1.png") || echo "note: no screenshot from weston"
  fi
  demo_ended && { tail -20 "$session/demo.log" >&2; fail "the demo ended on Wayland"; }
  kill "$DEMO_PID"
  wait "$DEMO_PID" 2>/dev/null || true
  DEMO_PID=
}
run_demo demo-on-weston
use_qt6ct_scheme darker
run_demo demo-on-weston-darker
unset QT_QPA_PLATFORMTHEME

out=$("$view_tests" --gtest_filter='WaylandLockPanes.*' 2>&1) || { echo "$out" >&2; fail "the lock-pane test failed on Wayland"; }
echo "$out" | grep -q '\[  SKIPPED \]' && { echo "$out" >&2; fail "the lock-pane test did not run as a Wayland client"; }
echo "$out" | grep -q '\[  PASSED  \] 1 test' || { echo "$out" >&2; fail "the lock-pane test did not run"; }
echo "$out" | grep -E "^\[ +(OK|PASSED) "
echo "PASS: the demo runs on weston at scale 2, light and dark; the lock panes follow the keyboard LEDs there"
