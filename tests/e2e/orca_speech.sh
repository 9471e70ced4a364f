#!/usr/bin/env bash
# What Orca, the screen reader, says while a blind user goes through quorvel-demo by
# keyboard, in the session that accessibility_session.sh makes: a window manager so
# that the window becomes active, speech-dispatcher with espeak-ng into ALSA's null
# device, and Orca's debug log, whose SPEECH OUTPUT lines are what it said. Everything
# it writes stays in a private home. Exit code 77 (skipped) where Orca, speech-dispatcher
# or its espeak-ng module or the window manager is missing.
# Usage: accessibility_session.sh SHOT_DIR orca_speech.sh QUORVEL_DEMO SEND_DIALOG_SHOWN
set -euo pipefail
program=$1
send_dialog=$2
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
# Orca 43 logs the one line, Orca 48 the other, as it begins to listen.
orca_started() { grep -Eq 'ORCA: Starting (registry|Atspi main event loop)' "$LOG"; }
orca_started_or_gone() { orca_started || ! kill -0 "$ORCA_PID" 2>/dev/null; }
wait_for "Orca to start" 60 orca_started_or_gone
orca_started || fail "Orca did not start: $(cat "$SHOT_DIR/orca.out")"

# What Orca said, an utterance a line, its lines joined by spaces. News the program hands
# over comes as "news: TEXT": Orca 43 says a notification that appears as "notification
# TEXT", Orca 48 an announcement as the bare text, which only the event it handles tells.
speech() {
  tr -d '\r' <"$LOG" | awk '
    function said(line) {
      if (line ~ /\047 ?[{]\047established/) { sub(/\047 ?[{]\047established.*$/, "", line); open = 0 }
      return line
    }
    function emit() {
      if (announcing) text = "news: " text
      else sub(/^notification /, "news: ", text)
      print text
    }
    / OBJECT EVENT .*vvvvv$/ { announcing = toupper($0) ~ /OBJECT:ANNOUNCEMENT/ }
    / OBJECT EVENT .*\^\^\^\^\^$/ { announcing = 0 }
    open { sub(/^ +/, ""); text = text ($0 == "" ? "" : " ") said($0); if (!open) emit(); next }
    index($0, "SPEECH OUTPUT: \047") {
      open = 1
      text = said(substr($0, index($0, "SPEECH OUTPUT: \047") + 16))
      if (!open) emit()
    }'
}
MARK=0
mark() { MARK=$(speech | wc -l); }
seen_meanwhile() {
  printf '; Orca said:'
  speech | tail -n +"$((MARK + 1))" | sed "s/.*/ '&'/" | tr -d '\n'
  printf '; the keyboard focus was on %s' "$(xdotool getwindowfocus getwindowname 2>/dev/null || echo 'no window')"
  x_server_state
}
said_since_mark() { speech | tail -n +"$((MARK + 1))" | grep -qxF "${@/#/-e}"; }
said_since_mark_start() { speech | tail -n +"$((MARK + 1))" | grep -q "${@/#/-e^}"; }
# expect TEXT: Orca says exactly this line, after the last mark.
expect() { wait_for "Orca to say \"$1\"" 40 said_since_mark "$@"; }
# expect_page NAME TEXT: Orca reads the page that begins with TEXT. Orca 43 says "NAME panel."
# and then the text; Orca 48 says no role, and the text with or without the name before it.
expect_page() {
  wait_for "Orca to read the page $1" 40 said_since_mark_start "$1 panel\.$" "$1 $2" "$2"
  expect_start "$2" "$1 $2"
}
# Orca 43 reads a box as "NAME push button.", Orca 48 as "NAME button.", Orca 51 as "NAME button".
expect_button() { expect "$1 push button." "$1 button." "$1 button"; }
# A message box: "alert Quorvel." from Orca 43 and 48, "alert Quorvel" from Orca 51.
expect_alert() { expect "alert Quorvel." "alert Quorvel"; }
expect_start() { wait_for "Orca to say \"$1...\"" 40 said_since_mark_start "$@"; }
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
expect_page "Eingangsseite" "Diese Software ist ein Zusatzangebot"
shot 01-start "$MAIN_WINDOW"

key Tab
key Tab
expect_button "Navigation mithilfe Ihrer Festplatte"
key Return
expect_page "Navigation" "Kurs: "
key KP_Enter
expect_page "Navigation" "Kurs: "
key Tab
expect_button "Abbrechen"
key Tab
expect_button "Geschw. auf 0"
key space
expect_start "news: Kurs: "
speech | grep -q '^news: Kurs: .* Geschwindigkeit: 000\.00\.\?$' || fail "Orca did not say the held speed"
shot 02-navigation "$MAIN_WINDOW"
key Tab
expect_page "Navigation" "Kurs: "
key Tab
key Return
expect "Sind Sie sicher?"
key Return
expect_page "Eingangsseite" "Diese Software ist ein Zusatzangebot"

key Tab
expect_button "Festplatte für die Navigation erneut kalibrieren"
key Return
expect_page "Kalibrierung" "Zum Kalibrieren müssen Sie Ihr Notebook"
key space
expect "news: Gehen Sie jetzt zügig und möglichst erschütterungsfrei 5 m nach Norden. Drücken Sie eine Taste, wenn Sie bereit sind."
key space
expect "news: Gehen Sie jetzt zügig und möglichst erschütterungsfrei 5 m nach Norden. Drücken Sie eine Taste, wenn Sie angekommen sind."
shot 03-calibration "$MAIN_WINDOW"
# Arriving at once is far too early: the walk fails, and the box says so.
key space
expect_alert
expect_start "Die Kalibrierung ist gescheitert. "
expect_button "OK"
shot 04-calibration-failed root
key Return
expect_page "Eingangsseite" "Diese Software ist ein Zusatzangebot"

key Tab
expect_button "Festplatte für die Navigation kalibrieren"
key Tab
expect_button "Langzeitmessung: Breitengradsuche per Festplatte"
key Return
# Orca 48 reads the page when it has its first estimate, and only as the news.
expect_start "news: Letzte Schätzung: "
first_estimate=$(speech | grep -a '^news: Letzte Schätzung: ' | tail -n 1)
shot 05-latitude "$MAIN_WINDOW"
# Where am I: the page with its current estimate.
key KP_Enter
expect_page "Langzeitmessung" "Letzte Schätzung: "
key Tab
expect_button "Abbrechen"
# Tab past the last box comes back to the page, which is read again.
key Tab
expect_page "Langzeitmessung" "Letzte Schätzung: "
key Tab
expect_button "Abbrechen"
key Return
expect_alert
expect "Sind Sie sicher?"
expect_button "Ja"
shot 06-question root
key Tab
expect_button "Nein"
key Return
expect_page "Langzeitmessung" "Letzte Schätzung: "
key Return
expect "Sind Sie sicher?"
# Answered before Orca has read the button, the box may be gone while Orca asks its name.
expect_button "Ja"
key Return
expect_page "Eingangsseite" "Diese Software ist ein Zusatzangebot"

# The send dialog ends 24 hours of measuring, so it is shown on its own. Each "Kopieren" is
# followed by what it copies, an utterance of its own.
kill "$PROGRAM_PID"
wait_for_program_end 10
expect_copy_button() {
  expect_button "Kopieren"
  expect "$1." "$1"
}
mark
start_program "$send_dialog"
wait_for "the send dialog" 30 any_window
# Orca 43 says "Quorvel dialog" before the dialog's text, Orca 51 "Quorvel".
finished="Die Breitengradmessung wurde erfolgreich beendet."
expect_start "Quorvel dialog $finished" "Quorvel $finished" "$finished"
key Tab
expect_copy_button "Kopiert die E-Mail-Adresse"
key Tab
key Tab
expect_copy_button "Kopiert den Bericht"
key Escape
wait_for_program_end 10

speech | sed 's/^/  said: /'
# The estimate changes every second but its accuracy only every quarter of an hour.
[ "$(speech | grep -ac '^news: Letzte Schätzung: ')" -eq 1 ] ||
  fail "Orca said more than the first estimate: $(speech | grep -a '^news: Letzte' | tr '\n' '|')"
! speech | grep -Eqx "(panel|push button|button|notification|news:)\.?" || fail "Orca said a role without its name"
[ -z "$(speech | grep -a '^news: ' | sort | uniq -d)" ] || fail "Orca said news twice: $(speech | grep -a '^news: ' | sort | uniq -d)"
# Course and speed change at every tick; only the one after "Geschw. auf 0" is said.
[ "$(speech | grep -ac '^news: Kurs: ')" -eq 1 ] || fail "Orca said course and speed more than once"
echo "PASS: Orca read each page, course and speed on request and after the speed reset, the" \
  "calibration steps and failure, the first estimate $first_estimate, the estimate on request and the question"
