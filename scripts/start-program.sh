#!/usr/bin/env bash
# Starts a Quorvel binary on the display. Where there is none, runs it under
# Xvfb for a few seconds instead, saving a screenshot of what it shows each second
# and then confirming it with Return, so that message boxes are seen and answered.
# Usage: start-program.sh BINARY SHOT_DIR [SECONDS]
set -euo pipefail
binary=$1
shots=$2
seconds=${3:-10}

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$binary"
fi
echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): running $(basename "$binary") under Xvfb for ${seconds}s."
mkdir -p "$shots"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done

DISPLAY=$display "$binary" &
program=$!
step=0
while kill -0 "$program" 2>/dev/null && [ "$step" -lt "$seconds" ]; do
  sleep 1
  step=$((step + 1))
  kill -0 "$program" 2>/dev/null || break
  shot=$(printf '%s/shot-%02d.png' "$shots" "$step")
  DISPLAY=$display import -window root "$shot" 2>/dev/null && echo "screenshot: $shot"
  DISPLAY=$display xdotool key --clearmodifiers Return 2>/dev/null || true
done
if kill -0 "$program" 2>/dev/null; then
  echo "$(basename "$binary") still running after ${seconds}s; ending it."
  kill "$program"
  wait "$program" 2>/dev/null || true
else
  wait "$program" && rc=0 || rc=$?
  echo "$(basename "$binary") ended with exit code $rc."
fi
