# Shared by the Wayland end-to-end scripts: a private headless weston whose output has scale 2,
# and what a client's WAYLAND_DEBUG log says of its window. Sourced after waiting.sh; expects
# XDG_RUNTIME_DIR to be private.

# libwayland 1.21 writes an object as interface@id, 1.23 on as interface#id.
WAYLAND_ID='[@#][0-9]*'

# start_weston LOG [OPTION...]: weston on the socket "quorvel", its output in LOG; sets WESTON_PID.
start_weston() {
  local log=$1
  shift
  weston --backend=headless-backend.so --socket=quorvel --idle-time=0 --use-pixman \
    --width=1600 --height=1200 --scale=2 "$@" >"$log" 2>&1 &
  WESTON_PID=$!
  wait_for "weston to start" 20 test -S "$XDG_RUNTIME_DIR/quorvel"
}

# The client titled a toplevel "Quorvel" and attached a buffer to a surface.
window_reached_compositor() {
  grep -q "xdg_toplevel$WAYLAND_ID\\.set_title(\"Quorvel\")" "$1" &&
    grep -q "wl_surface$WAYLAND_ID\\.attach(wl_buffer[@#]" "$1"
}

draws_at_scale_2() { grep -q "wl_surface$WAYLAND_ID\\.set_buffer_scale(2)" "$1"; }

# For a failure where the window does not come: whether libwayland wrote the log in a form read here.
wayland_log_summary() {
  if grep -q "wl_display$WAYLAND_ID\\.get_registry(" "$1" 2>/dev/null; then
    printf '; the client asked %s times to attach a buffer, and its last request was %s' \
      "$(grep -c "wl_surface$WAYLAND_ID\\.attach(" "$1")" "$(grep -- '-> ' "$1" | tail -n 1)"
  else
    printf "; WAYLAND_DEBUG wrote no get_registry request in the form interface@id or interface#id, but: %s" \
      "$(grep -m 3 'wl_display' "$1" 2>/dev/null | tr '\n' '|')"
  fi
}
