# Shared by the end-to-end scripts: a private Xvfb, a private settings folder, and
# ways to find, look at and drive the program's windows with real X input.
# Positions and sizes are the program's logical pixels; with QT_SCALE_FACTOR set
# they are scaled to the screen's. Sourced; expects SHOT_DIR to be set.

source "$(dirname "${BASH_SOURCE[0]}")/waiting.sh"
source "$(dirname "${BASH_SOURCE[0]}")/desktop_theme.sh"

# The screen pixels of a length in logical pixels.
device_px() { awk -v n="$1" -v s="${QT_SCALE_FACTOR:-1}" 'BEGIN { printf "%d", n * s + 0.5 }'; }

start_x_session() {
  mkdir -p "$SHOT_DIR"
  SESSION_DIR=$(mktemp -d)
  export XDG_CONFIG_HOME=$SESSION_DIR/config XDG_RUNTIME_DIR=$SESSION_DIR/runtime
  mkdir -p "$XDG_CONFIG_HOME"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  trap stop_x_session EXIT
  # A display number of this session's own: a number that another end-to-end test's
  # server has just given up can still lose its socket to that server's exit, and
  # so can the next session of the same script.
  X_SESSIONS=$((${X_SESSIONS:-0} + 1))
  local display=$((100 + ($$ + 13 * X_SESSIONS) % 800)) attempt
  XVFB_PID=
  for attempt in 1 2 3 4 5 6 7 8; do
    if [ ! -e "/tmp/.X$display-lock" ]; then
      # Never reset: a reset, when the last client (a polling xdotool, say) leaves, drops a program
      # still connecting, and the keymap it compiles anew makes that gap long.
      Xvfb ":$display" -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp -noreset 3>"$SESSION_DIR/display" >"$SESSION_DIR/xvfb.log" 2>&1 &
      XVFB_PID=$!
      wait_for "Xvfb to start" 10 xvfb_started
      # Ready and reachable: a server that has just ended on this number can take the new one's
      # socket with it.
      [ -s "$SESSION_DIR/display" ] && xdpyinfo -display ":$display" >/dev/null 2>&1 && break
      kill "$XVFB_PID" 2>/dev/null || true
      wait "$XVFB_PID" 2>/dev/null || true
      XVFB_PID=
    fi
    display=$((display + 1))
  done
  [ -n "$XVFB_PID" ] || fail "no free display for Xvfb"
  export DISPLAY=:$display
  unset WAYLAND_DISPLAY
  export QT_QPA_PLATFORM=xcb
}

stop_x_session() {
  if [ -n "${PROGRAM_PID:-}" ]; then kill "$PROGRAM_PID" 2>/dev/null || true; fi
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  rm -rf "$SESSION_DIR"
}

# A wait that gives up says what became of the X server; a script with a seen_meanwhile of its
# own says that instead.
seen_meanwhile() { x_server_state; }
x_server_state() {
  if kill -0 "$XVFB_PID" 2>/dev/null; then printf '; Xvfb %s still runs' "$DISPLAY"; else printf '; Xvfb %s has ended' "$DISPLAY"; fi
  printf ' and wrote: %s' "$(tail -n 5 "$SESSION_DIR/xvfb.log" 2>/dev/null | tr '\n' '|')"
}

# Ready, or gone because another server holds the display.
xvfb_started() { [ -s "$SESSION_DIR/display" ] || ! kill -0 "$XVFB_PID" 2>/dev/null; }


start_program() {
  "$@" &
  PROGRAM_PID=$!
}

program_running() { kill -0 "$PROGRAM_PID" 2>/dev/null; }
program_ended() { ! program_running; }

# Waits for the program to end within SECONDS and sets PROGRAM_RC to its exit code.
# Not from a command substitution: only this shell, the program's parent, can collect it.
wait_for_program_end() {
  wait_for "the program to end" "$1" program_ended
  PROGRAM_RC=0
  wait "$PROGRAM_PID" || PROGRAM_RC=$?
  PROGRAM_PID=
}

# The program's visible top-level windows; all of them are captioned "Quorvel".
visible_windows() { xdotool search --onlyvisible --name '^Quorvel$' 2>/dev/null; }
window_count() { visible_windows | wc -l; }
window_count_is() { [ "$(window_count)" -eq "$1" ]; }
any_window() { [ "$(window_count)" -ge 1 ]; }
window_gone() { ! visible_windows | grep -qx "$1"; }

window_size() { xdotool getwindowgeometry "$1" | sed -n 's/ *Geometry: //p'; }

# The one visible window that is not the main window: the message box or dialog on top.
box_window() { visible_windows | grep -vx "$MAIN_WINDOW" | head -n 1; }

wait_for_main_window() {
  wait_for "the main window" 20 window_count_is 1
  MAIN_WINDOW=$(visible_windows)
  local size
  size=$(device_px 640)x$(device_px 480)
  [ "$(window_size "$MAIN_WINDOW")" = "$size" ] || fail "main window is $(window_size "$MAIN_WINDOW"), not $size"
}

wait_for_box() {
  wait_for "a message box" 10 window_count_is 2
  BOX_WINDOW=$(box_window)
}

wait_for_box_closed() { wait_for "the box to close" 10 window_count_is 1; }

# Without a window manager keyboard focus must be given explicitly.
press_keys() {
  local window=$1
  shift
  xdotool windowfocus --sync "$window" key --clearmodifiers "$@"
}

# The page reacts to where the pointer is, so it is moved there before the click.
click_at() {
  xdotool mousemove --sync "$(device_px "$1")" "$(device_px "$2")"
  sleep 0.1
  xdotool click 1
}

# The main window sits at the screen's origin; the shot covers it and any box on it.
# shot NAME [WINDOW] takes just that window instead.
shot() {
  if [ -n "${2:-}" ]; then
    import -window "$2" "$SHOT_DIR/$1.png"
  else
    import -window root -crop "$(device_px 640)x$(device_px 480)+0+0" +repage "$SHOT_DIR/$1.png"
  fi
  echo "screenshot: $SHOT_DIR/$1.png"
}

# The page area below the menu bar and above the status bar, for comparing two moments.
page_picture() {
  import -window root -crop "$(device_px 640)x$(device_px 430)+0+$(device_px 25)" +repage "$SESSION_DIR/$1.png"
}

# Whether two page pictures are alike pixel for pixel. compare's exit code says it (0 alike, 1
# not); the count of differing pixels it prints must agree: "N" from ImageMagick 6, "N (F)" with
# the share from 7. Any other form fails with what compare printed.
same_picture() {
  local printed rc=0 count
  printed=$(compare -metric AE "$SESSION_DIR/$1.png" "$SESSION_DIR/$2.png" null: 2>&1) || rc=$?
  count=$(printf '%s\n' "$printed" | sed -nE '1{/^[0-9.e+]+( \([0-9.e+-]+\))?$/{s/ .*//;p}}')
  if [ "$(printf '%s\n' "$printed" | wc -l)" -eq 1 ] && [ -n "$count" ]; then
    if [ "$rc" -eq 0 ] && awk -v n="$count" 'BEGIN { exit !(n == 0) }'; then return 0; fi
    if [ "$rc" -eq 1 ] && awk -v n="$count" 'BEGIN { exit !(n > 0) }'; then return 1; fi
  fi
  fail "compare printed '$printed' with exit code $rc for the pictures $1 and $2"
}

# confirm_boxes ALIVE_CHECK SHOT_PREFIX: confirms each message box with Return while
# ALIVE_CHECK succeeds, counting them in BOXES. Fails as soon as the main window shows.
confirm_boxes() {
  local alive=$1 prefix=$2 window
  BOXES=0
  while "$alive" && [ "$BOXES" -lt 5 ]; do
    window=$(visible_windows | head -n 1)
    if [ -z "$window" ]; then
      sleep 0.1
      continue
    fi
    if [ "$(window_size "$window")" = "$(device_px 640)x$(device_px 480)" ]; then
      MAIN_WINDOW=$window
      return 1
    fi
    BOXES=$((BOXES + 1))
    shot "$prefix-$BOXES" "$window"
    press_keys "$window" Return
    wait_for "box $BOXES to close" 10 window_gone "$window"
  done
}
