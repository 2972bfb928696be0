#!/usr/bin/env bash
# Builds the Debian package of a build folder with CPack and checks it with
# lintian, which must report no error and no warning. Skipped (exit 77)
# where lintian is not installed.
#
# Usage: lintian_test.sh BUILD_DIRECTORY
set -euo pipefail
build=$(realpath "$1")
command -v lintian >/dev/null || { echo "lintian is not installed: skipped"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; echo "FAIL: cpack could not build the package"; exit 1; }
package=$(ls "$work"/*.deb)
echo "package: $(basename "$package")"
dpkg-deb --contents "$package" | awk '{print $1, $6}'
dpkg-deb --field "$package" Depends | grep -qw qt6-wayland || { echo "FAIL: the package does not depend on qt6-wayland"; exit 1; }
# --fail-on makes lintian's status tell; its report is shown either way.
if ! lintian --fail-on error,warning --display-info "$package"; then
  echo "FAIL: lintian reports errors or warnings"
  exit 1
fi
echo "ok: lintian reports no error and no warning"
