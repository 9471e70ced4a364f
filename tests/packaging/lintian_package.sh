#!/usr/bin/env bash
# Packs the build tree's install rules into a Debian package with cpack and runs lintian on it.
# Fails on any error or warning (informational tags are shown and allowed) and when the read-me
# the start page names is missing.
# Usage: lintian_package.sh CPACK BUILD_DIR WORK_DIR
set -euo pipefail
cpack=$1
build=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
"$cpack" --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log"
deb=$(echo "$work"/quorvel_*.deb)
[ -f "$deb" ] || { echo "FAIL: cpack made no package (see $work/cpack.log)"; exit 1; }
lintian --display-info --fail-on error,warning "$deb"
# The start page sends every user to this file.
contents=$(dpkg-deb -c "$deb")
grep -q ' \./usr/share/doc/quorvel/liesmich\.txt$' <<<"$contents" ||
  { echo "FAIL: $(basename "$deb") holds no /usr/share/doc/quorvel/liesmich.txt"; exit 1; }
echo "PASS: lintian reports no error and no warning on $(basename "$deb"), which holds liesmich.txt"
