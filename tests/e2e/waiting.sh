# Shared by the end-to-end scripts: failing with a reason, and polling with a bound.
# Sourced.

fail() { echo "FAIL: $*" >&2; exit 1; }

# wait_for WHAT SECONDS COMMAND...: polls COMMAND until it succeeds. Where the script
# defines seen_meanwhile, its output (what the other program wrote) ends the failure.
wait_for() {
  local what=$1 seconds=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] ||
      fail "gave up waiting for $what after ${seconds}s$(! declare -F seen_meanwhile >/dev/null || seen_meanwhile)"
    sleep 0.1
  done
}
