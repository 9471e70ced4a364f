#!/usr/bin/env bash
# Starts a Quorvel binary on the display. Where there is none, runs it under
# Xvfb for a few seconds instead, saving a screenshot of what it shows each second
# and then confirming it with Return, so that message boxes are seen and answered. Ends with the
# program's exit code when the program ended by itself, with 0 when it was still running.
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

# Xvfb picks a free display itself and writes its number once it accepts clients.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
[ -s "$display_file" ] || { echo "Xvfb did not start"; exit 1; }
display=:$(cat "$display_file")

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
  exit "$rc"
fi
