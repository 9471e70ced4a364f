#!/usr/bin/env bash
# The installed-looking program asked for --help and --version without any display: it must print
# to standard output and end with 0, so it never started Qt's window system (which, with no display
# to reach, ends the program with an error) nor read the drive. Any other argument must still reach
# Qt, and a failed write must not pass for an answer.
# Usage: help_and_version.sh QUORVEL VERSION
set -euo pipefail
program=$1
version=$2
fail() { echo "FAIL: $*"; exit 1; }
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
no_display() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" "$@"; }

for option in --help --version; do
  no_display "$option" >"$out" 2>"$err" && rc=0 || rc=$?
  [ "$rc" -eq 0 ] || fail "quorvel $option ended with $rc: $(cat "$err")"
  [ ! -s "$err" ] || fail "quorvel $option wrote to standard error: $(cat "$err")"
  echo "quorvel $option:"
  cat "$out"
done
no_display --help >"$out" 2>/dev/null
grep -q '^Aufruf: quorvel \[OPTION\]\.\.\.$' "$out" || fail "--help printed no usage line"
grep -q '^      --version  ' "$out" || fail "--help does not describe --version"
no_display --version >"$out" 2>/dev/null
[ "$(head -n1 "$out")" = "quorvel (Quorvel) $version" ] || fail "--version's first line is \"$(head -n1 "$out")\""

no_display --help >/dev/full 2>/dev/null && fail "quorvel --help ended with 0 although its output could not be written"

# Qt 6.4 to 6.11 say "could not connect to display" when xcb finds no X server.
for args in "--hel" "-- --help" "-platform xcb"; do
  # shellcheck disable=SC2086
  no_display $args >"$out" 2>"$err" && fail "quorvel $args ended with 0 without a display"
  grep -q 'could not connect to display' "$err" || fail "quorvel $args did not reach Qt's window system: $(cat "$err")"
done
echo "PASS: --help and --version answer without a display; other arguments start the program"
