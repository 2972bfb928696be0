#!/usr/bin/env bash
# Runs the real `wendaro --list-apps` on a small tree, in an environment with
# no display, no home and no configuration, and checks what it prints and its
# exit status.
set -euo pipefail
wendaro=$1
tree=$(mktemp -d /tmp/wendaro-list-apps.XXXXXX)
trap 'chmod -R u+rwx "$tree"; rm -rf "$tree"' EXIT

mkdir -p "$tree/Apps/Zoom.app/Contents/Helpers/Inner.app" "$tree/Apps/Utilities/calculator.app" \
         "$tree/Apps/Tool.APP/Inside.app" "$tree/Apps/Locked/Hidden.app" "$tree/Apps/loop"
touch "$tree/Apps/Notes.app" "$tree/Apps/$(printf 'caf\xe9').app" "$tree/Apps/readme.txt" \
      "$tree/Apps/Two"$'\n'"Lines.app"
ln -s .. "$tree/Apps/loop/up"
ln -s Utilities "$tree/Apps/Link"
chmod 0755 "$tree"
chmod 0000 "$tree/Apps/Locked"

fail() { echo "FAIL: $*" >&2; exit 1; }

run() {  # run ARGS...: output to $tree/out, errors to $tree/err, status to $status
  status=0
  local as=()
  # root reads every directory; the unreadable one needs an ordinary user
  if ((EUID == 0)); then as=(setpriv --reuid=65534 --regid=65534 --clear-groups); fi
  env -i PATH=/usr/bin:/bin ${config:+XDG_CONFIG_HOME="$config"} "${as[@]}" "$wendaro" "$@" \
    >"$tree/out" 2>"$tree/err" || status=$?
}

run --list-apps "$tree/Apps"
expected_out="$tree/Apps/Utilities/calculator.app
$tree/Apps/Link/calculator.app
$tree/Apps/Tool.APP/Inside.app
$tree/Apps/Notes.app
$tree/Apps/Zoom.app"
expected_err="wendaro: cannot read $tree/Apps/Locked: Permission denied
wendaro: skipped $tree/Apps/caf\\xE9.app: the name is not valid UTF-8
wendaro: skipped $tree/Apps/Two\\x0ALines.app: the name holds a control character"
((status == 0)) || fail "--list-apps exited $status"
diff <(sort "$tree/out") <(sort <<<"$expected_out") >&2 || fail "wrong apps"
[[ "$(sed -n 1p "$tree/out")" == "$tree/Apps/Utilities/calculator.app" || \
   "$(sed -n 1p "$tree/out")" == "$tree/Apps/Link/calculator.app" ]] || fail "not in name order"
[[ "$(tail -n 1 "$tree/out")" == "$tree/Apps/Zoom.app" ]] || fail "not in name order"
diff <(sort "$tree/err") <(sort <<<"$expected_err") >&2 || fail "wrong messages"

run --list-apps "$tree/Apps/Gone.app" "$tree/missing"
((status == 1)) || fail "--list-apps with a directory it cannot read exited $status"
[[ "$(cat "$tree/out")" == "$tree/Apps/Gone.app" ]] || fail "an app path is listed as given"
[[ "$(cat "$tree/err")" == "wendaro: cannot read $tree/missing: No such file or directory" ]] || fail "missing"

# With no directory given, the stored list is walked; the settings file is
# only read, never changed or moved, even when it cannot be used.
config="$tree/config"
mkdir -p "$config/wendaro"
cat >"$config/wendaro/defaults.plist" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0">
<dict>
	<key>directories</key>
	<array>
		<string>$tree/Apps/Utilities</string>
		<string>$tree/Apps/Zoom.app</string>
	</array>
</dict>
</plist>
PLIST
chmod -R a+rX "$config"
before=$(sha256sum "$config/wendaro/defaults.plist")
run --list-apps
((status == 0)) || fail "--list-apps with stored directories exited $status"
[[ "$(cat "$tree/out")" == "$tree/Apps/Utilities/calculator.app
$tree/Apps/Zoom.app" ]] || fail "the stored directory list is not the one walked"
[[ "$(sha256sum "$config/wendaro/defaults.plist")" == "$before" ]] || fail "the settings file changed"
echo "not a property list" >"$config/wendaro/defaults.plist"
run --list-apps
((status == 0)) || fail "--list-apps with unusable settings exited $status"
grep -q "cannot be used" "$tree/err" || fail "unusable settings are not reported"
grep -qx "not a property list" "$config/wendaro/defaults.plist" || fail "unusable settings were touched"
[[ -z "$(ls "$config/wendaro" | grep corrupt)" ]] || fail "unusable settings were moved aside"
config=

run --version
((status == 0)) && grep -qx 'wendaro [0-9]*\.[0-9]*\.[0-9]*' "$tree/out" || fail "--version"
run --help
((status == 0)) && grep -q -- '--list-apps' "$tree/out" || fail "--help"
run --no-such-option
((status == 2)) && grep -q 'unknown option' "$tree/err" || fail "a wrong option must fail"
echo "list-apps: all checks passed"
