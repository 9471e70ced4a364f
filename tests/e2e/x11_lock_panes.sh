#!/usr/bin/env bash
# Runs the view test of the lock panes as an X client of a private Xvfb: there the
# panes must follow the X keyboard extension, not the keyboard LEDs.
# Usage: x11_lock_panes.sh VIEW_TESTS SHOT_DIR
set -euo pipefail
view_tests=$1
SHOT_DIR=$2
source "$(dirname "$0")/x_session.sh"

start_x_session
out=$("$view_tests" --gtest_filter='X11LockPanes.*' 2>&1) || { echo "$out" >&2; fail "the lock-pane test failed on X11"; }
echo "$out" | grep -q '\[  SKIPPED \]' && { echo "$out" >&2; fail "the lock-pane test did not run as an X client"; }
echo "$out" | grep -q '\[  PASSED  \] 1 test' || { echo "$out" >&2; fail "the lock-pane test did not run"; }
echo "$out" | grep -E "^\[ +(OK|PASSED) "
echo "PASS: on X11 the lock panes follow the keyboard extension"
