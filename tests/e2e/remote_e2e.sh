#!/usr/bin/env bash
# The running program answers other programs on a private session bus:
# `wendaro --open-menu`, `--launch PATH` and `--launch-category NAME` act in
# it, unknown targets, a launch that fails and a missing program fail with a
# message, a plain second `wendaro` opens the running one's menu, a second
# tray program in the same session is refused, and activation tokens reach
# one app only.
#
# Usage: remote_e2e.sh WENDARO OUTPUT_DIRECTORY
set -euo pipefail

wendaro=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out"
rm -f "$out"/remote-*

# shellcheck source=tests/e2e/common.sh
source "$(dirname "$0")/common.sh"
in_own_dbus_session "$0" "$@"
start_work remote- wendaro

set_up_user
for name in Alpha Beta Gamma Gone; do make_app "$name"; done
write_settings <<PLIST
  <key>favorites</key>
  <array><string>$apps/Alpha.app</string><string>$apps/Gone.app</string></array>
  <key>categories</key>
  <array><string>Work</string><string>Lost</string></array>
  <key>categoriesApps</key>
  <dict><key>Work</key><array><string>$apps/Gamma.app</string><string>$apps/Beta.app</string></array>
    <key>Lost</key><array><string>$apps/Gone.app</string></array></dict>
PLIST

start_xvfb 1024x768x24 "$out/remote-xvfb.log"

# Runs wendaro with the arguments; its exit status goes to $status and its
# standard error to $errors.
run() {
  status=0
  "$wendaro" "$@" > "$work/out" 2> "$work/err" || status=$?
  errors=$(cat "$work/err")
}
# The apps launched so far, sorted: apps started together run in any order.
launched_sorted() { [[ "$(sort "$launched" 2>/dev/null | tr '\n' ' ')" == "$1" ]]; }
# Without a tray host the program also shows a window that says so; the menu
# is the other one.
menu_window() {
  local window
  for window in $(xdotool search --onlyvisible --class wendaro 2>/dev/null); do
    [[ "$(xdotool getwindowname "$window")" == "Wendaro: no system tray" ]] || { echo "$window"; return; }
  done
}
owns_name() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetNameOwner string:org.wendaro.Wendaro
}

# Nothing runs yet.
run --open-menu
((status == 1)) || fail "--open-menu without a running program exited $status"
[[ "$errors" == "wendaro: no copy of wendaro is running in this desktop session"* ]] || fail "message: $errors"

# The tray program, started by a desktop that handed it its own token.
XDG_ACTIVATION_TOKEN=token-of-wendaro DESKTOP_STARTUP_ID=startup-of-wendaro \
  "$wendaro" > "$out/remote-wendaro.log" 2>&1 &
pids+=($!)
wait_for "the bus name" owns_name

# 1. The menu opens at the pointer; its first entry is the favourite.
xdotool mousemove 400 300
run --open-menu
((status == 0)) || fail "--open-menu exited $status: $errors"
wait_for "the menu" bash -c "$(declare -f menu_window); [[ -n \$(menu_window) ]]"
eval "$(xdotool getwindowgeometry --shell "$(menu_window)")"
((X >= 395 && X <= 405 && Y >= 295 && Y <= 305)) || fail "the menu is at $X,$Y, not at the pointer"
import -window root "$out/remote-menu.png"
xdotool key Down Return
wait_for "Alpha from the menu" launched_with "Alpha "

# 2. An app by its path, relative to the current directory too; the caller's
#    token goes to that app and to no other.
run --launch "$apps/Beta.app"
((status == 0)) || fail "--launch exited $status: $errors"
wait_for "Beta" launched_with "Alpha Beta "
(cd "$apps" && XDG_ACTIVATION_TOKEN=token-1 "$wendaro" --launch ./Gamma.app/) || fail "--launch of a relative path"
wait_for "Gamma with the caller's token" launched_with "Alpha Beta Gamma:token-1 "

# 3. A category's members in their stored order, the token to the first.
XDG_ACTIVATION_TOKEN=token-2 "$wendaro" --launch-category Work || fail "--launch-category"
wait_for "the category" launched_sorted "Alpha Beta Beta Gamma:token-1 Gamma:token-2 "

# 4. Unknown targets: a message, status 1, nothing launched.
run --launch "$apps/Delta.app"
((status == 1)) || fail "--launch of an unknown app exited $status"
[[ "$errors" == "wendaro: wendaro knows no app at $apps/Delta.app"* ]] || fail "message: $errors"
run --launch-category Play
((status == 1)) || fail "--launch-category of an unknown category exited $status"
[[ "$errors" == 'wendaro: wendaro has no category named "Play"' ]] || fail "message: $errors"

# 4b. A favourite deleted while the program runs: the launch fails, and says why.
rm -r "$apps/Gone.app"
run --launch "$apps/Gone.app"
((status == 1)) && [[ "$errors" == "wendaro: cannot launch Gone: it is no longer there" ]] ||
  fail "--launch of a deleted app exited $status: $errors"
run --launch-category Lost
((status == 1)) && [[ "$errors" == "wendaro: cannot launch Gone: it is no longer there" ]] ||
  fail "--launch-category of a deleted app exited $status: $errors"

# 5. A management window by its Manage entry.
gdbus call --session -d org.wendaro.Wendaro -o /org/wendaro/Wendaro -m org.wendaro.Wendaro.ShowWindow \
  Directories '{}' > /dev/null || fail "ShowWindow"
wait_for "the Directories window" xdotool search --onlyvisible --name '^Directories$'
if gdbus call --session -d org.wendaro.Wendaro -o /org/wendaro/Wendaro -m org.wendaro.Wendaro.ShowWindow \
  Keyboard '{}' 2> "$work/err"; then fail "ShowWindow of no window succeeded"; fi
grep -q 'org.wendaro.Wendaro.Error.UnknownWindow' "$work/err" || fail "ShowWindow error: $(cat "$work/err")"

# 6. A plain second start says that one runs and opens that one's menu. Its
#    token is for that menu: a later launch that brings none gets none.
xdotool key Escape
wait_for "no menu" bash -c "$(declare -f menu_window); [[ -z \$(menu_window) ]]"
XDG_ACTIVATION_TOKEN=token-3 run
((status == 1)) || fail "a second wendaro exited $status"
[[ "$errors" == *"already running"* ]] || fail "message: $errors"
wait_for "the menu from a second start" bash -c "$(declare -f menu_window); [[ -n \$(menu_window) ]]"
xdotool key Escape
run --launch "$apps/Beta.app"
wait_for "Beta without a token" launched_sorted "Alpha Beta Beta Beta Gamma:token-1 Gamma:token-2 "

# 7. A tray program for other settings in the same desktop session.
XDG_CONFIG_HOME=$work/other-config run
((status == 1)) || fail "a second tray program in the session exited $status"
[[ "$errors" == *"already running in this desktop session"* ]] || fail "message: $errors"

sleep 0.5
launched_sorted "Alpha Beta Beta Beta Gamma:token-1 Gamma:token-2 " || fail "launched more"
echo "remote: all checks passed"
