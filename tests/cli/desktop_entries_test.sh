#!/usr/bin/env bash
# Runs the real `wendaro --list-apps` and `wendaro --print-menu` on a private
# tree of desktop entries and AppImages in the default directories of a
# user with no settings: which copy of an app wins, what hides an app, what
# is named on standard error, the titles in the menu, and a favourite that
# follows the user's own copy of an app in and out, read back from the
# settings file.
set -euo pipefail
wendaro=$1
tree=$(mktemp -d /tmp/wendaro-desktop-entries.XXXXXX)
trap 'rm -rf "$tree"' EXIT

home=$tree/home data=$tree/data
user=$home/.local/share/applications system=$data/applications
mkdir -p "$user" "$system/kde" "$home/Applications" "$tree/config/wendaro"

entry() {  # entry FILE NAME [MORE LINES]: a desktop entry of an app that runs
  printf '[Desktop Entry]\nType=Application\nName=%s\nExec=true\n%s' "$2" "${3:-}" >"$1"
}
entry "$system/firefox.desktop" Firefox
entry "$system/kde/okular.desktop" Okular
entry "$system/hidden.desktop" Hidden
entry "$system/broken.desktop" Broken
entry "$system/nodisplay.desktop" "No Display" "NoDisplay=true"$'\n'
entry "$user/hidden.desktop" Hidden "Hidden=true"$'\n'
echo "not a desktop entry" >"$user/broken.desktop"
printf '#!/bin/sh\n' >"$home/Applications/Tool.AppImage"
chmod +x "$home/Applications/Tool.AppImage"
printf '#!/bin/sh\n' >"$home/Applications/NotRunnable.AppImage"

fail() { echo "FAIL: $*" >&2; exit 1; }

run() {  # run ARGS...: output to $tree/out, errors to $tree/err, status to $status
  status=0
  env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_DIRS="$data" XDG_CONFIG_HOME="$tree/config" \
    XDG_RUNTIME_DIR="$tree" LANG=C.UTF-8 "$wendaro" "$@" >"$tree/out" 2>"$tree/err" || status=$?
}

favorite() {  # favorite PATH: the settings hold it as the one favourite
  cat >"$tree/config/wendaro/defaults.plist" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0">
<dict>
	<key>favorites</key>
	<array>
		<string>$1</string>
	</array>
</dict>
</plist>
PLIST
}

stored_favorites() {
  python3 -c 'import plistlib,sys; print("\n".join(plistlib.load(open(sys.argv[1], "rb"))["favorites"]))' \
    "$tree/config/wendaro/defaults.plist"
}

# The user's copy of an ID hides the system's, whether it is shown, hidden or
# not a desktop entry at all; only the last is named on standard error.
entry "$user/kde-okular.desktop" "My Okular"
run --list-apps
((status == 0)) || fail "--list-apps exited $status: $(cat "$tree/err")"
[[ "$(cat "$tree/out")" == "$system/firefox.desktop
$user/kde-okular.desktop
$home/Applications/Tool.AppImage" ]] || fail "wrong apps: $(cat "$tree/out")"
grep -q "^wendaro: skipped $user/broken.desktop: ." "$tree/err" || fail "the broken entry is not named"
(($(wc -l <"$tree/err") == 1)) || fail "unexpected messages: $(cat "$tree/err")"

# A favourite follows the copy that wins, and the menu shows its title.
favorite "$system/kde/okular.desktop"
run --print-menu
((status == 0)) || fail "--print-menu exited $status: $(cat "$tree/err")"
[[ "$(head -n 1 "$tree/out")" == "My Okular" ]] || fail "the favourite's title: $(head -n 1 "$tree/out")"
grep -qx "  Firefox" "$tree/out" || fail "All Apps lacks Firefox"
[[ "$(stored_favorites)" == "$user/kde-okular.desktop" ]] || fail "the favourite did not follow the user's copy"

rm "$user/kde-okular.desktop"
run --print-menu
((status == 0)) || fail "--print-menu exited $status: $(cat "$tree/err")"
[[ "$(head -n 1 "$tree/out")" == "Okular" ]] || fail "the favourite's title: $(head -n 1 "$tree/out")"
[[ "$(stored_favorites)" == "$system/kde/okular.desktop" ]] || fail "the favourite did not come back"
echo "desktop entries: all checks passed"
