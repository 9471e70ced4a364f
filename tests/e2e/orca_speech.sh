#!/usr/bin/env bash
# What Orca, the screen reader, says while a blind user goes through quorvel-demo by
# keyboard, in the session that accessibility_session.sh makes: a window manager so
# that the window becomes active, speech-dispatcher with espeak-ng into ALSA's null
# device, and Orca's debug log, whose SPEECH OUTPUT lines are what it said. Everything
# it writes stays in a private home. Exit code 77 (skipped) where Orca, speech-dispatcher
# or its espeak-ng module or the window manager is missing.
# Usage: accessibility_session.sh SHOT_DIR orca_speech.sh QUORVEL_DEMO
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x_session.sh"

skip() { echo "SKIP: $*"; exit 77; }
[ -x /usr/bin/orca ] || skip "Orca missing (package orca)"
command -v speech-dispatcher >/dev/null || skip "speech-dispatcher missing (package speech-dispatcher)"
[ -x /usr/lib/speech-dispatcher-modules/sd_espeak-ng ] ||
  skip "speech-dispatcher's espeak-ng module missing (package speech-dispatcher-espeak-ng)"
command -v matchbox-window-manager >/dev/null || skip "matchbox-window-manager missing (package matchbox-window-manager)"
command -v script >/dev/null || skip "script missing (package bsdutils)"
# Orca refuses to start beside another Orca of the same user, even one just ending.
other_orca() { pgrep -u "$(id -u)" -x orca >/dev/null; }
for _ in $(seq 300); do other_orca && sleep 0.1; done
! other_orca || skip "another Orca runs for this user, and Orca runs only once per user"

ORCA_HOME=$(mktemp -d)
LOG=$SHOT_DIR/orca-debug.log
PIDS=()
stop_all() {
  local pid
  if [ -n "${PROGRAM_PID:-}" ]; then kill "$PROGRAM_PID" 2>/dev/null || true; fi
  # Orca itself first, so that script collects it and no Orca is left for the next run.
  if [ -n "${ORCA_PID:-}" ]; then
    local orca
    orca=$(pgrep -P "$ORCA_PID" || true)
    for pid in $orca; do kill "$pid" 2>/dev/null || true; done
    for _ in $(seq 100); do kill -0 "$ORCA_PID" 2>/dev/null && sleep 0.1; done
    for pid in $orca; do kill -KILL "$pid" 2>/dev/null || true; done
    wait "$ORCA_PID" 2>/dev/null || true
  fi
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$ORCA_HOME"
}
trap stop_all EXIT

export HOME=$ORCA_HOME/home XDG_DATA_HOME=$ORCA_HOME/data XDG_CACHE_HOME=$ORCA_HOME/cache
export GSETTINGS_BACKEND=memory LANG=C.UTF-8 LC_ALL=C.UTF-8
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_CONFIG_HOME/speech-dispatcher" "$SHOT_DIR/speech-dispatcher"
echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<EOF
LogDir "$SHOT_DIR/speech-dispatcher"
AudioOutputMethod "alsa"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
EOF

matchbox-window-manager -use_titlebar no >/dev/null 2>&1 &
PIDS+=($!)
speech-dispatcher --run-single --timeout 0 >"$ORCA_HOME/speechd.out" 2>&1 &
PIDS+=($!)
wait_for "speech-dispatcher's socket" 30 test -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock"
# Orca writes its log through a buffer that a terminal flushes at every line, so
# script gives it one and copies each line to the log as it is written.
: >"$LOG"
script --quiet --flush --command \
  "exec /usr/bin/python3 /usr/bin/orca --debug-file=/dev/tty -e speech >'$SHOT_DIR/orca.out' 2>&1" "$LOG" >/dev/null </dev/null &
ORCA_PID=$!
PIDS+=("$ORCA_PID")
orca_started() { grep -q 'ORCA: Starting registry' "$LOG"; }
orca_started_or_gone() { orca_started || ! kill -0 "$ORCA_PID" 2>/dev/null; }
wait_for "Orca to start" 60 orca_started_or_gone
orca_started || fail "Orca did not start: $(cat "$SHOT_DIR/orca.out")"

speech() { tr -d '\r' <"$LOG" | grep -a "SPEECH OUTPUT: '" | sed "s/^.*SPEECH OUTPUT: '//; s/'{'established.*$//; s/' {'established.*$//"; }
MARK=0
mark() { MARK=$(speech | wc -l); }
said_since_mark() { speech | tail -n +"$((MARK + 1))" | grep -qxF -- "$1"; }
said_since_mark_start() { speech | tail -n +"$((MARK + 1))" | grep -q -- "^$1"; }
# expect TEXT: Orca says exactly this line, after the last mark.
expect() { wait_for "Orca to say \"$1\"" 40 said_since_mark "$1"; }
expect_start() { wait_for "Orca to say \"$1...\"" 40 said_since_mark_start "$1"; }
key() {
  mark
  xdotool key --clearmodifiers "$1"
}

# Calibrated, so that navigation is offered; the failed walk below clears it.
mkdir -p "$XDG_CONFIG_HOME/Valdrin"
printf '[Daten]\nKalibrierung=rabcdefghijklmnopq\n' >"$XDG_CONFIG_HOME/Valdrin/Quorvel-Demo.conf"
start_program "$program"
wait_for "the main window" 30 any_window
MAIN_WINDOW=$(visible_windows | head -n 1)
expect "Eingangsseite panel."
expect_start "Diese Software ist ein Zusatzangebot"
shot 01-start "$MAIN_WINDOW"

key Tab
key Tab
expect "Navigation mithilfe Ihrer Festplatte push button."
key Return
expect "Navigation panel."
key KP_Enter
expect "Navigation panel."
expect_start "Kurs: "
key Tab
expect "Abbrechen push button."
key Tab
expect "Geschw. auf 0 push button."
key space
expect_start "notification Kurs: "
# The second line of what Orca says is the next line of its log.
held_speed_said() { tr -d '\r' <"$LOG" | grep -aA1 "SPEECH OUTPUT: 'notification Kurs: " | grep -q "^ *Geschwindigkeit: 000.00"; }
wait_for "Orca to say the held speed" 40 held_speed_said
shot 02-navigation "$MAIN_WINDOW"
key Tab
expect "Navigation panel."
key Tab
key Return
expect "Sind Sie sicher?"
key Return
expect "Eingangsseite panel."

key Tab
expect "Festplatte für die Navigation erneut kalibrieren push button."
key Return
expect "Kalibrierung panel."
expect_start "Zum Kalibrieren müssen Sie Ihr Notebook"
key space
expect "notification Gehen Sie jetzt zügig und möglichst erschütterungsfrei 5 m nach Norden. Drücken Sie eine Taste, wenn Sie bereit sind."
key space
expect "notification Gehen Sie jetzt zügig und möglichst erschütterungsfrei 5 m nach Norden. Drücken Sie eine Taste, wenn Sie angekommen sind."
shot 03-calibration "$MAIN_WINDOW"
# Arriving at once is far too early: the walk fails, and the box says so.
key space
expect "alert Quorvel."
expect "Die Kalibrierung ist gescheitert."
expect "OK push button."
shot 04-calibration-failed root
key Return
expect "Eingangsseite panel."

key Tab
expect "Festplatte für die Navigation kalibrieren push button."
key Tab
expect "Langzeitmessung: Breitengradsuche per Festplatte push button."
key Return
expect "Langzeitmessung panel."
expect_start "notification Letzte Schätzung: "
first_estimate=$(speech | grep -a '^notification Letzte Schätzung: ' | tail -n 1)
shot 05-latitude "$MAIN_WINDOW"
# Where am I: the page with its current estimate.
key KP_Enter
expect "Langzeitmessung panel."
expect_start "Letzte Schätzung: "
key Tab
expect "Abbrechen push button."
# Tab past the last box comes back to the page, which is read again.
key Tab
expect "Langzeitmessung panel."
expect_start "Letzte Schätzung: "
key Tab
expect "Abbrechen push button."
key Return
expect "alert Quorvel."
expect "Sind Sie sicher?"
expect "Ja push button."
shot 06-question root
key Tab
expect "Nein push button."
key Return
expect "Langzeitmessung panel."
key Return
expect "Sind Sie sicher?"
key Return
expect "Eingangsseite panel."

speech | sed 's/^/  said: /'
# The estimate changes every second but its accuracy only every quarter of an hour.
[ "$(speech | grep -ac '^notification Letzte Schätzung: ')" -eq 1 ] ||
  fail "Orca said more than the first estimate: $(speech | grep -a '^notification Letzte' | tr '\n' '|')"
! speech | grep -qx "panel." || fail "Orca read a page as a nameless panel"
# Course and speed change at every tick; only the one after "Geschw. auf 0" is said.
[ "$(speech | grep -ac '^notification Kurs: ')" -eq 1 ] || fail "Orca said course and speed more than once"
echo "PASS: Orca said each page's name, course and speed on request and after the speed reset, the" \
  "calibration steps and failure, the first estimate $first_estimate, the estimate on request and the question"
