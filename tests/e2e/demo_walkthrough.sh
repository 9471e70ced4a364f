#!/usr/bin/env bash
# Drives the real quorvel-demo under Xvfb with X input: the start page, a complete
# calibration walk in real time, the navigation page cancelled with "Nein" and then "Ja",
# and the latitude page cancelled. Saves a screenshot at each stop.
# Usage: demo_walkthrough.sh QUORVEL_DEMO SHOT_DIR
set -euo pipefail
program=$1
SHOT_DIR=$2
source "$(dirname "$0")/x_session.sh"

CALIBRATION_LINK="130 164"
NAVIGATION_LINK="130 186"
LATITUDE_LINK="130 208"
CANCEL_BUTTON="592 432"

start_x_session
settings=$XDG_CONFIG_HOME/Valdrin/Quorvel-Demo.conf
mkdir -p "$(dirname "$settings")"
printf '[Standort]\nLandeskennzahl=49\nOrtskennzahl=089\n' >"$settings"

stored_calibration() { sed -n 's/^Kalibrierung=//p' "$settings"; }
page_key() { press_keys "$MAIN_WINDOW" space; }

start_program "$program"
wait_for_main_window
sleep 0.5
shot 01-start-uncalibrated
page_picture start-uncalibrated

# The walk: two presses before the first leg, then each leg is timed between two presses.
click_at $CALIBRATION_LINK
sleep 0.5
shot 02-calibration-begin
leg_seconds=(4.2 1.2 4.2 1.2 4.2 1.2 4.2 1.2)
page_key # the disk worker starts
page_key # the power source is checked and the first leg begins
for leg in "${!leg_seconds[@]}"; do
  sleep "${leg_seconds[$leg]}"
  page_key # ends the leg
  sleep 0.2
  window_count_is 1 || { shot calibration-refused; fail "leg $((leg + 1)) was refused"; }
  [ "$leg" -eq 2 ] && shot 03-calibration-third-leg
  [ "$leg" -lt 7 ] && page_key # begins the next leg
done
sleep 0.3
shot 04-calibration-succeeded
[[ "$(stored_calibration)" =~ ^[rl][a-z]{17}$ ]] || fail "stored calibration is '$(stored_calibration)'"
page_key
sleep 0.5
shot 05-start-calibrated
page_picture start-calibrated
same_picture start-uncalibrated start-calibrated && fail "the start page does not show the calibration"

# Navigation: "Nein" keeps the page running, "Ja" returns to the start page.
click_at $NAVIGATION_LINK
sleep 3
shot 06-navigation
page_picture navigation
same_picture navigation start-calibrated && fail "the navigation page did not open"
click_at $CANCEL_BUTTON
wait_for_box
shot 07-navigation-cancel
press_keys "$BOX_WINDOW" n
wait_for_box_closed
sleep 1.5
page_picture navigation-after-no
same_picture navigation-after-no start-calibrated && fail "'Nein' left the navigation page"
shot 08-navigation-after-no
click_at $CANCEL_BUTTON
wait_for_box
press_keys "$BOX_WINDOW" j
wait_for_box_closed
sleep 0.5
page_picture back-from-navigation
same_picture back-from-navigation start-calibrated || fail "'Ja' did not return to the start page"

# Latitude: cancelled while it measures.
click_at $LATITUDE_LINK
sleep 3
shot 09-latitude
page_picture latitude
same_picture latitude start-calibrated && fail "the latitude page did not open"
click_at $CANCEL_BUTTON
wait_for_box
shot 10-latitude-cancel
press_keys "$BOX_WINDOW" j
wait_for_box_closed
sleep 0.5
page_picture back-from-latitude
same_picture back-from-latitude start-calibrated || fail "'Ja' did not leave the latitude page"
shot 11-start-again

# Datei > Beenden ends the program cleanly, keeping the calibration.
press_keys "$MAIN_WINDOW" alt+d b
wait_for_program_end 10
[ "$PROGRAM_RC" -eq 0 ] || fail "quorvel-demo ended with exit code $PROGRAM_RC"
[[ "$(stored_calibration)" =~ ^[rl][a-z]{17}$ ]] || fail "the calibration was not kept"
echo "PASS: start page, calibration walk, navigation and latitude cancels, exit"
