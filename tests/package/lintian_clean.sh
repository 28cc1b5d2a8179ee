#!/bin/sh
# Makes the Debian package from this build (cpack) in a temporary folder and
# fails on any error lintian reports about it.
# Usage: lintian_clean.sh <build folder>
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    exit 1
}
deb=$(ls "$work"/*.deb)
# Tags of every severity are shown; only errors fail the test.
lintian --fail-on error --no-tag-display-limit "$deb"
