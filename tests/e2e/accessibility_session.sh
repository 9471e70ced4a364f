#!/usr/bin/env bash
# Runs a command in a session as a screen reader sees it: a private session bus with
# its own accessibility bus (at-spi2-core's bus launcher, which starts the registry), a
# private Xvfb, and Qt's AT-SPI bridge switched on for the programs started in it.
# Exit code 77 (skipped) where dbus, at-spi2-core or python3-pyatspi is missing.
# Usage: accessibility_session.sh SHOT_DIR COMMAND...
set -euo pipefail
bus_launcher=/usr/libexec/at-spi-bus-launcher

if [ -z "${QUORVEL_PRIVATE_SESSION_BUS:-}" ]; then
  command -v dbus-run-session >/dev/null || { echo "SKIP: dbus-run-session missing (package dbus)"; exit 77; }
  command -v dbus-send >/dev/null || { echo "SKIP: dbus-send missing (package dbus-bin)"; exit 77; }
  [ -x "$bus_launcher" ] || { echo "SKIP: $bus_launcher missing (package at-spi2-core)"; exit 77; }
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: pyatspi missing (package python3-pyatspi)"; exit 77; }
  QUORVEL_PRIVATE_SESSION_BUS=1 exec dbus-run-session -- "$0" "$@"
fi

SHOT_DIR=$1
shift
source "$(dirname "$0")/x_session.sh"

stop_session() {
  if [ -n "${LAUNCHER_PID:-}" ]; then kill "$LAUNCHER_PID" 2>/dev/null || true; fi
  stop_x_session
}

bus_has_accessibility() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'
}

start_x_session
trap stop_session EXIT
"$bus_launcher" --launch-immediately >/dev/null 2>&1 &
LAUNCHER_PID=$!
wait_for "the accessibility bus" 10 bus_has_accessibility
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QUORVEL_ACCESSIBILITY_SESSION=1 SHOT_DIR
"$@"
