#!/usr/bin/env bash
# The real program at scale 2 under openbox (which takes Alt+click for
# itself), first with no tray: a window says so; other programs reach it on
# the session bus (--open-menu, --launch, --launch-category, a second start),
# failing with a message and status 1, tokens reaching one app only; its add
# panel stands above its window. Then a tray comes: the window goes, and the
# keyboard and a pinned icon's menu reach the shortcut editor.
# Usage: native_e2e.sh WENDARO OUTPUT_DIRECTORY
set -euo pipefail
source "$(dirname "$0")/common.sh"
begin native- "$@"

make_apps Alpha Beta Gamma Gone
write_settings <<PLIST
  <key>favorites</key><array><string>$apps/Alpha.app</string><string>$apps/Beta.app</string>
    <string>$apps/Gone.app</string></array>
  <key>menubar</key><array><string>$apps/Gamma.app</string></array>
  <key>categories</key><array><string>Work</string><string>Lost</string></array>
  <key>categoriesApps</key><dict><key>Lost</key><array><string>$apps/Gone.app</string></array>
    <key>Work</key><array><string>$apps/Gamma.app</string><string>$apps/Beta.app</string></array></dict>
PLIST
start_xvfb 2560x1600x24 "$out/native-xvfb.log"
# Openbox names itself on the screen before it manages windows; a window
# mapped in between is never shown. It runs --startup once it manages them.
start openbox openbox --startup "touch $work/openbox-ready"
wait_for "the window manager" test -e "$work/openbox-ready"
export QT_SCALE_FACTOR=2

# `expect STATUS ERRORS ARGUMENTS...` runs wendaro with the arguments and
# checks its exit status and that its standard error matches the pattern.
expect() {
  local status=0 errors
  "$wendaro" "${@:3}" > /dev/null 2> "$work/err" || status=$?
  errors=$(cat "$work/err")
  [[ $status == "$1" && "$errors" == $2 ]] || fail "wendaro ${*:3} exited $status: $errors"
}
launched_sorted() { [[ "$(sort "$launched" 2>/dev/null | tr '\n' ' ')" == "$1" ]]; }
no_tray_window() { xdotool search --onlyvisible --name '^Wendaro: no system tray$'; }
menu_window() { xdotool search --onlyvisible --class wendaro | grep -vx "$(no_tray_window)"; }
expect 1 "wendaro: no copy of wendaro is running in this desktop session*" --open-menu
# Started by a desktop that handed it its own token.
XDG_ACTIVATION_TOKEN=token-of-wendaro DESKTOP_STARTUP_ID=startup-of-wendaro start wendaro "$wendaro"
wait_for "the bus name" dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
  org.freedesktop.DBus.GetNameOwner string:org.wendaro.Wendaro
wait_for "the no-tray window" no_tray_window

# The menu opens at the pointer; its first entry, the favourite, starts
# without the program's own token.
xdotool mousemove 800 600
expect 0 "" --open-menu
wait_for "the menu" menu_window
eval "$(xdotool getwindowgeometry --shell "$(menu_window)")"
((X >= 795 && X <= 805 && Y >= 595 && Y <= 605)) || fail "the menu is at $X,$Y, not at the pointer"
xdotool key Down Return
wait_for "Alpha from the menu" launched_with "Alpha "

# An app by its path, relative to the current directory too, and a
# category's members; the caller's token goes to one app only.
expect 0 "" --launch "$apps/Beta.app"
wait_for "Beta" launched_with "Alpha Beta "
(cd "$apps" && XDG_ACTIVATION_TOKEN=token-1 expect 0 "" --launch ./Gamma.app/)
wait_for "Gamma with the caller's token" launched_with "Alpha Beta Gamma:token-1 "
XDG_ACTIVATION_TOKEN=token-2 expect 0 "" --launch-category Work
wait_for "the category, the token to its first" launched_sorted "Alpha Beta Beta Gamma:token-1 Gamma:token-2 "

# Unknown targets and an app deleted while the program runs.
rm -r "$apps/Gone.app"
expect 1 "wendaro: wendaro knows no app at $apps/Delta.app*" --launch "$apps/Delta.app"
expect 1 'wendaro: wendaro has no category named "Play"' --launch-category Play
expect 1 "wendaro: cannot launch Gone: it is no longer there" --launch "$apps/Gone.app"
expect 1 "wendaro: cannot launch Gone: it is no longer there" --launch-category Lost

# A plain second start says that one runs and opens that one's menu; its
# token is for that menu: a later launch that brings none gets none. A tray
# program for other settings in the same session is refused.
XDG_ACTIVATION_TOKEN=token-3 expect 1 "*already running*"
wait_for "the menu from a second start" menu_window
xdotool key Escape
expect 0 "" --launch "$apps/Beta.app"
wait_for "Beta without a token" launched_sorted "Alpha Beta Beta Beta Gamma:token-1 Gamma:token-2 "
XDG_CONFIG_HOME=$work/other-config expect 1 "*already running in this desktop session*"

# A management window asked for by its Manage entry; its add panel stands
# above it in the window manager's stacking order.
gdbus call --session -d org.wendaro.Wendaro -o /org/wendaro/Wendaro -m org.wendaro.Wendaro.ShowWindow \
  Directories '{}' > /dev/null || fail "ShowWindow"
wait_for "the Directories window" editor_for Directories
xdotool windowactivate --sync "$(editor_for Directories | head -1)" 2>/dev/null || true
sleep 0.3
xdotool key alt+a
panel_above() {
  local stacking=" " w
  for w in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g'); do stacking+="$((w))  "; done
  [[ "$stacking" == *" $(editor_for Directories | head -1) "*" $(editor_for 'Add Directory' | head -1) "* ]]
}
wait_for "the add panel above the Directories window" panel_above
xdotool key Escape
close_editor Directories

# A tray appears: the window goes and the icons show.
start trayer trayer --edge top --align right --widthtype request --height 48 --SetDockType true \
  --transparent false --tint 0xdddddd
wait_for "the no-tray window to go" eval '! no_tray_window'
find_icons
# Typing selects a menu entry; Alt+Return opens its shortcut editor.
open_main_menu 16
xdotool type be
xdotool key alt+Return
wait_for "Beta's shortcut editor" editor_for Beta
wait_for "the menu to close under the editor" menu_closed
close_editor Beta
# The pinned icon's right-click menu: its title is no command, Down reaches
# "Edit Shortcut…".
xdotool mousemove --window "$pinned_icon" 16 16 click 3
wait_for "the pinned icon's menu" menu_open
sleep 0.3
xdotool key Down Return
wait_for "Gamma's shortcut editor" editor_for Gamma
sleep 0.5
launched_sorted "Alpha Beta Beta Beta Gamma:token-1 Gamma:token-2 " || fail "the editors' ways launched"
