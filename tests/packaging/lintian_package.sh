#!/usr/bin/env bash
# Packs the build tree's install rules into a Debian package with cpack and runs lintian on it.
# Fails on any error or warning; informational tags are shown and allowed.
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
echo "PASS: lintian reports no error and no warning on $(basename "$deb")"
