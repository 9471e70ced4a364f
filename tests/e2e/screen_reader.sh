#!/usr/bin/env bash
# Reads the real quorvel-demo as a screen reader does, in the session that
# accessibility_session.sh makes: AT-SPI through pyatspi finds the latitude link by
# its name, presses it and sees the latitude page's "Abbrechen" appear.
# Usage: accessibility_session.sh SHOT_DIR screen_reader.sh QUORVEL_DEMO
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x_session.sh"

start_program "$program"
wait_for_main_window
sleep 0.5
shot 01-start
/usr/bin/python3 "$here/atspi_reader.py" "$PROGRAM_PID" || { shot failed; fail "AT-SPI could not open the latitude page"; }
shot 02-latitude
kill "$PROGRAM_PID"
wait_for_program_end 10
