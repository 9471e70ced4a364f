#!/usr/bin/env bash
# install-deps.sh on a system without apt: it must name what the build needs, with minimum versions,
# end with exit code 1 and call nothing else (the package tools it finds are stand-ins that
# record every call). A set it does not know is refused.
# Usage: install_deps_without_apt.sh INSTALL_DEPS
set -euo pipefail
script=$1
fail() { echo "FAIL: $*"; exit 1; }
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
ln -s "$(command -v bash)" "$(command -v cat)" "$bin/"
for tool in dpkg-query dpkg apt-cache sudo; do
  printf '#!%s\necho %s "$@" >>%s/calls\n' "$(command -v bash)" "$tool" "$bin" >"$bin/$tool"
  chmod +x "$bin/$tool"
done

for set in run test; do
  PATH=$bin "$script" "$set" >"$bin/out" 2>&1 && rc=0 || rc=$?
  [ "$rc" -eq 1 ] || fail "install-deps.sh $set without apt ended with $rc: $(cat "$bin/out")"
  [ ! -e "$bin/calls" ] || fail "install-deps.sh $set without apt called: $(cat "$bin/calls")"
  for needed in 'C++20 compiler (GCC 12 or later)' 'CMake 3.25' 'Ninja or Make' 'Qt 6.4 or later' \
    'Qt Wayland 6.4' 'Liberation fonts 2.0' 'GoogleTest 1.12' 'Google Benchmark 1.7'; do
    grep -qF "$needed" "$bin/out" || fail "install-deps.sh $set without apt does not name \"$needed\": $(cat "$bin/out")"
  done
done
PATH=$bin "$script" everything >/dev/null 2>&1 && rc=0 || rc=$?
[ "$rc" -eq 2 ] || fail "install-deps.sh everything ended with $rc, not 2"
cat "$bin/out"
echo "PASS: without apt, install-deps.sh names what to install and ends with 1, calling nothing"
