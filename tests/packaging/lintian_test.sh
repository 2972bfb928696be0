#!/usr/bin/env bash
# Builds the Debian package of a build folder (the argument) with CPack and
# checks it with lintian, which must report no error and no warning. Skipped
# (exit 77) where lintian is not installed.
set -euo pipefail
build=$(realpath "$1")
command -v lintian >/dev/null || { echo "lintian is not installed: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack could not build the package"; }
package=$(ls "$work"/*.deb)
dpkg-deb --field "$package" Depends | grep -qw qt6-wayland || fail "the package does not depend on qt6-wayland"
# --fail-on makes lintian's status tell; its report is shown either way.
lintian --fail-on error,warning --display-info "$package" || fail "lintian reports errors or warnings"
echo "ok: lintian reports no error and no warning"
