#!/usr/bin/env bash
# The demo's four pages as notebook screens show them: at the scale factors 1.25 to 2,
# in Qt's own light colours and in qt6ct's "darker" scheme. Saves a screenshot of each
# page and checks that the window has the scaled size and the page the scheme's background.
# Usage: page_looks.sh QUORVEL_DEMO SHOT_DIR
set -euo pipefail
program=$1
shots=$2
source "$(dirname "$0")/x_session.sh"

CALIBRATION_LINK="130 164"
NAVIGATION_LINK="130 186"
LATITUDE_LINK="130 208"
CANCEL_BUTTON="592 432"

# background_is SHOT X Y RRGGBB: the screenshot's colour at a point given in logical pixels,
# which ImageMagick 6 and 7 both print as RRGGBB.
background_is() {
  local printed
  printed=$(convert "$SHOT_DIR/$1.png" -format "%[hex:p{$(device_px "$2"),$(device_px "$3")}]" info:)
  [[ $printed =~ ^[0-9A-F]{6}$ ]] || fail "convert printed '$printed' for the colour of $1.png at $2,$3"
  [ "$printed" = "$4" ] || fail "the $1 page's background is $printed, not $4 ($scheme, $scale)"
}

cancel_with_yes() {
  click_at $CANCEL_BUTTON
  wait_for_box
  press_keys "$BOX_WINDOW" j
  wait_for_box_closed
}

for scale in 1.25 1.5 1.75 2; do
  for scheme in light darker; do
    export QT_SCALE_FACTOR=$scale
    SHOT_DIR=$shots/$scheme-$scale
    start_x_session
    unset QT_QPA_PLATFORMTHEME
    background=FFFFFF
    if [ "$scheme" != light ]; then
      use_qt6ct_scheme "$scheme"
      background=3D3D3D # the scheme's base colour
    fi
    mkdir -p "$XDG_CONFIG_HOME/Valdrin"
    printf '[Daten]\nKalibrierung=rabcdefghijklmnopq\n[Standort]\nLandeskennzahl=49\nOrtskennzahl=089\n' \
      >"$XDG_CONFIG_HOME/Valdrin/Quorvel-Demo.conf"
    start_program "$program"
    wait_for_main_window
    sleep 0.5
    shot start
    background_is start 320 300 "$background"
    click_at $NAVIGATION_LINK
    sleep 3
    shot navigation
    cancel_with_yes
    click_at $LATITUDE_LINK
    sleep 3
    shot latitude
    cancel_with_yes
    # The first walk done and the first turn begun: one thick part, one growing.
    click_at $CALIBRATION_LINK
    sleep 0.5
    press_keys "$MAIN_WINDOW" space space
    sleep 4.2
    press_keys "$MAIN_WINDOW" space space
    sleep 0.6
    window_count_is 1 || { shot calibration-refused; fail "the calibration walk was refused ($scheme, $scale)"; }
    shot calibration
    stop_x_session
    PROGRAM_PID= XVFB_PID=
  done
done
echo "PASS: every page at the scale factors 1.25, 1.5, 1.75 and 2, light and dark"
