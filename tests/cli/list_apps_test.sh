#!/usr/bin/env bash
# Runs the real program with no display, as a user's scripts do: --list-apps
# on a tree and on a user's default directories, --print-menu, and the other
# options that print and exit; checks what they print and their exit status.
set -euo pipefail
wendaro=$1
tree=$(mktemp -d /tmp/wendaro-list-apps.XXXXXX)
trap 'chmod -R u+rwx "$tree"; rm -rf "$tree"' EXIT
apps=$tree/Apps environment=() as=()
# root reads every file; what is unreadable needs an ordinary user
if ((EUID == 0)); then as=(setpriv --reuid=65534 --regid=65534 --clear-groups); fi

mkdir -p "$apps/Zoom.app/Contents/Helpers/Inner.app" "$apps/Utilities/abacus.app" "$apps/Tool.APP/Inside.app" \
         "$apps/Locked/Hidden.app" "$apps/loop" "$tree/config/wendaro"
touch "$apps/Quill.app" "$apps/$(printf 'caf\xe9').app" "$apps/readme.txt" "$apps/Two"$'\n'"Lines.app" \
      "$apps/Del"$'\x7f'".app" "$apps/Csi"$'\xc2\x9b'".app"
ln -s .. "$apps/loop/up"
ln -s Utilities "$apps/Link"
chmod 0755 "$tree"
chmod 0000 "$apps/Locked"
fail() { echo "FAIL: $*" >&2; exit 1; }
run() {  # run ARGS...: output to $out or $tree/out, errors to $tree/err, status to $status
  status=0
  env -i PATH=/usr/bin:/bin "${environment[@]}" "${as[@]}" "$wendaro" "$@" >"${out:-$tree/out}" 2>"$tree/err" ||
    status=$?
}

run --list-apps "$apps"
((status == 0)) || fail "--list-apps exited $status"
diff <(sort "$tree/out") <(sort <<<"$apps/Link/abacus.app
$apps/Quill.app
$apps/Tool.APP/Inside.app
$apps/Utilities/abacus.app
$apps/Zoom.app") >&2 || fail "wrong apps"
diff <(sort "$tree/err") <(sort <<<"wendaro: cannot read $apps/Locked: Permission denied
wendaro: skipped $apps/Csi\\xC2\\x9B.app: the name holds a control character
wendaro: skipped $apps/Del\\x7F.app: the name holds a control character
wendaro: skipped $apps/Two\\x0ALines.app: the name holds a control character
wendaro: skipped $apps/caf\\xE9.app: the name is not valid UTF-8") >&2 || fail "wrong messages"
out=/dev/full run --list-apps "$apps/Zoom.app"
((status == 1)) && [[ "$(cat "$tree/err")" == "wendaro: cannot write the list of apps" ]] || fail "a full disk"
run --list-apps "$apps/Gone.app" "$tree/missing"
((status == 1)) && [[ "$(cat "$tree/out")" == "$apps/Gone.app" ]] || fail "a path given is listed, and fails if unread"
[[ "$(cat "$tree/err")" == "wendaro: cannot read $tree/missing: No such file or directory" ]] || fail "missing"

# With no directory given, the stored list is walked; the settings file is
# only read, never changed or moved, even when it cannot be used or read.
environment=(XDG_CONFIG_HOME="$tree/config")
settings=$tree/config/wendaro/defaults.plist
printf '<plist version="1.0"><dict><key>directories</key><array>%s</array></dict></plist>' \
  "<string>$apps/Utilities</string><string>$apps/Zoom.app</string>" >"$settings"
chmod -R a+rX "$tree/config"
run --list-apps
((status == 0)) || fail "--list-apps with stored directories exited $status"
[[ "$(cat "$tree/out")" == "$apps/Utilities/abacus.app"$'\n'"$apps/Zoom.app" ]] || fail "not the stored list walked"
for broken in text unreadable; do
  if [[ $broken == text ]]; then echo "not a property list" >"$settings"; else chmod 0000 "$settings"; fi
  before=$(ls -l --full-time "$tree/config/wendaro")
  run --list-apps
  ((status == 0)) || fail "--list-apps with $broken settings exited $status"
  grep -q "cannot be used" "$tree/err" || fail "$broken settings are not reported: $(cat "$tree/err")"
  [[ "$(ls -l --full-time "$tree/config/wendaro")" == "$before" ]] || fail "$broken settings were touched"
done

# In a user's default directories the user's copy of an ID hides the
# system's, whether it is shown, hidden or no desktop entry at all (only the
# last is named); the favourite follows the copy that wins.
home=$tree/home system=$tree/data/applications as=()
user=$home/.local/share/applications
environment=(HOME="$home" XDG_DATA_DIRS="$tree/data" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$tree")
mkdir -p "$user" "$system/kde" "$home/Applications" "$home/config/wendaro"
entry() {  # entry FILE NAME [MORE LINES]: a desktop entry of an app that runs
  printf '[Desktop Entry]\nType=Application\nName=%s\nExec=true\n%s' "$2" "${3:-}" >"$1"
}
for name in Firefox Hidden Broken; do entry "$system/${name,,}.desktop" "$name"; done
entry "$system/kde/okular.desktop" Okular
entry "$user/kde-okular.desktop" "My Okular"
entry "$user/hidden.desktop" Hidden "Hidden=true"$'\n'
echo "not a desktop entry" >"$user/broken.desktop"
printf '#!/bin/sh\n' | tee "$home/Applications/Tool.AppImage" >"$home/Applications/NotRunnable.AppImage"
chmod +x "$home/Applications/Tool.AppImage"
printf '<plist version="1.0"><dict><key>favorites</key><array><string>%s</string></array></dict></plist>' \
  "$system/kde/okular.desktop" >"$home/config/wendaro/defaults.plist"
run --list-apps
[[ "$(cat "$tree/out")" == "$system/firefox.desktop
$user/kde-okular.desktop
$home/Applications/Tool.AppImage" ]] || fail "wrong apps: $(cat "$tree/out")"
(($(wc -l <"$tree/err") == 1)) && grep -q "^wendaro: skipped $user/broken.desktop: ." "$tree/err" ||
  fail "messages: $(cat "$tree/err")"
run --print-menu
[[ "$(head -n 1 "$tree/out")" == "My Okular" ]] && grep -qx "  Firefox" "$tree/out" || fail "menu: $(cat "$tree/out")"
grep -q "<string>$user/kde-okular.desktop</string>" "$home/config/wendaro/defaults.plist" ||
  fail "the favourite did not follow the user's copy"

environment=()
run --version
((status == 0)) && grep -qx 'wendaro [0-9]*\.[0-9]*\.[0-9]*' "$tree/out" || fail "--version"
run --help
((status == 0)) && grep -q -- '--list-apps' "$tree/out" || fail "--help"
# Wrong arguments fail with status 2, and a remote command with no program
# to reach with status 1; each says why.
for call in "2 --no-such-option" "2 /A" "2 --version x" "2 --print-menu x" "2 --launch" "2 --launch /A.app /B.app" \
  "2 --launch-category" "1 --launch /A.app" "1 --launch-category --list-apps" "1 --open-menu"; do
  run ${call#* }
  ((status == ${call%% *})) && grep -q "^wendaro: ." "$tree/err" || fail "wendaro ${call#* } exited $status"
done
echo "list-apps: all checks passed"
