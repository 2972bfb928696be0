#!/usr/bin/env bash
# The real program under X with an XEmbed tray: clicks on the icons launch
# and open the menu once, Launch at Startup starts this program at login, an
# app outlives Quit; global shortcuts are recorded, stored, shown, pressed in
# another program's window, refused twice, kept across a restart, cleared.
# Then with a StatusNotifierItem tray: a left click opens the program's menu,
# a right click only the host's copy, and the host's token reaches the app.
# Usage: tray_e2e.sh WENDARO OUTPUT_DIRECTORY
set -euo pipefail
source "$(dirname "$0")/common.sh"
begin tray- "$@"

make_apps Alpha Gamma Delta=2 # Delta records itself after wendaro has ended
write_settings <<PLIST
  <key>favorites</key><array><string>$apps/Alpha.app</string></array>
  <key>menubar</key><array><string>$apps/Gamma.app</string></array>
PLIST
start_xvfb 1280x800x24 "$out/tray-xvfb.log"
start trayer trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
  --transparent false --tint 0xdddddd
trayer_pid=$!
wait_for "the tray host" xdotool search --class trayer
start_wendaro() {
  start wendaro "$wendaro"
  wendaro_pid=$!
  find_icons
}
quit_wendaro() {
  open_main_menu
  xdotool key Up Return
  wait_for "the program to end" eval "! kill -0 $wendaro_pid"
  wait "$wendaro_pid" || fail "wendaro ended with status $?"
}
start_wendaro

# A click on the main icon opens the menu, whose first entry launches; a
# right click opens it once; a click on the pinned icon launches its app.
open_main_menu
xdotool key Down Return
wait_for "Alpha to run" launched_with "Alpha "
wait_for "the menu to close" menu_closed
xdotool mousemove --window "$main_icon" 8 8 click 3
wait_for "the main menu on a right click" menu_open
sleep 0.3
(($(icons | wc -w) == 3)) || fail "a right click showed more than one menu"
close_menu
xdotool mousemove --window "$pinned_icon" 8 8 click 1
wait_for "Gamma to run" launched_with "Alpha Gamma "
# More > Launch at Startup (from the bottom: Quit, More) makes the desktop
# start wendaro itself, the program the user ran, at login.
open_main_menu
xdotool key Up Up Right Return
wait_for "an autostart entry that starts $wendaro" \
  grep -qxF "Exec=\"$wendaro\"" "$XDG_CONFIG_HOME/autostart/org.wendaro.Wendaro-2-Helper.desktop"
# Delta, chosen in All Apps (from the bottom: Quit, More, Manage, All Apps;
# then Alpha, Delta), runs on after Quit ends the program at once.
open_main_menu
xdotool key Up Up Up Up Right Down Return
quit_wendaro
wait_for "Delta to finish after the program" launched_with "Alpha Gamma Delta "

# Global shortcuts, pressed in another program's window.
start xmessage xmessage -geometry 300x80+100+400 "another program"
wait_for "another program's window" xdotool search --onlyvisible --class xmessage
press_elsewhere() {
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --class xmessage | head -1)"
  xdotool key "$@"
}
alpha_ran() { [[ "$(grep -cx Alpha "$launched")" == "$1" ]]; }
# The shortcut stored for an app: the value under its key in the index.
stored_shortcut_is() {
  [[ "$(python3 -c 'import plistlib, sys
s = plistlib.load(open(sys.argv[1], "rb"))
print(s.get(s.get("shortcutsIndex", {}).get(sys.argv[2], sys.argv[2]), ""))' "$store" "$1")" == "$2" ]]
}
type_in_editor() {
  wait_for "the shortcut editor for $1" editor_for "$1"
  xdotool windowfocus --sync "$(editor_for "$1" | head -1)"
  sleep 0.2
  xdotool key "${@:2}"
}
alt_click_first_entry() {
  open_main_menu
  eval "$(xdotool getwindowgeometry --shell "$menu")"
  xdotool mousemove $((X + WIDTH / 3)) $((Y + 14))
  sleep 0.2
  xdotool keydown alt click 1 keyup alt
}
start_wendaro

# An Alt-click on Alpha's entry opens its editor and launches nothing;
# Ctrl+Alt+K recorded there is stored and launches Alpha.
alt_click_first_entry
type_in_editor Alpha ctrl+alt+k
wait_for "Ctrl+Alt+K stored for Alpha" stored_shortcut_is "$apps/Alpha.app" "Ctrl+Alt+K"
alpha_ran 1 || fail "the Alt-click launched"
close_editor Alpha
press_elsewhere ctrl+alt+k
wait_for "Alpha to run from its shortcut" alpha_ran 2

# In the main menu's editor, opened by an Alt-click on the main icon,
# Alpha's Ctrl+Alt+K is neither run nor recorded a second time; Ctrl+Alt+M
# is. It opens the menu, and closes one a click opened.
xdotool mousemove --window "$main_icon" 8 8 keydown alt click 1 keyup alt
type_in_editor "Wendaro's Menu" ctrl+alt+k
sleep 0.5
stored_shortcut_is WendaroMenu "" || fail "Alpha's Ctrl+Alt+K was recorded for the menu too"
alpha_ran 2 || fail "pressed in the editor, Ctrl+Alt+K ran Alpha"
xdotool key ctrl+alt+m
wait_for "Ctrl+Alt+M stored for the main menu" stored_shortcut_is WendaroMenu "Ctrl+Alt+M"
close_editor "Wendaro's Menu"
press_elsewhere ctrl+alt+m
wait_for "the main menu from its shortcut" menu_open
close_menu
open_main_menu
xdotool key ctrl+alt+m
wait_for "the shortcut to close the menu a click opened" menu_closed

# After a restart the menus built from the settings show Alpha's shortcut,
# and the shortcuts work; cleared in its editor, Alpha's launches nothing.
quit_wendaro
"$wendaro" --print-menu > "$work/menu.txt" || fail "--print-menu failed"
grep -qx $'Alpha\tCtrl+Alt+K' "$work/menu.txt" || fail "the menu text shows no Ctrl+Alt+K for Alpha"
start_wendaro
press_elsewhere ctrl+alt+k
wait_for "Alpha to run from its shortcut after a restart" alpha_ran 3
alt_click_first_entry
type_in_editor Alpha BackSpace
wait_for "Alpha's shortcut to be cleared" stored_shortcut_is "$apps/Alpha.app" ""
close_editor Alpha
press_elsewhere ctrl+alt+k ctrl+alt+m
wait_for "the main menu from its shortcut, pressed after the cleared one" menu_open
sleep 0.5
alpha_ran 3 || fail "a cleared shortcut still launched Alpha"
! grep -q "taken by another program\|not available in this session" "$out/tray-wendaro.log" ||
  fail "wendaro said its shortcuts could not work"
close_menu
quit_wendaro

# A StatusNotifierItem tray instead: the program speaks to it only when a
# watcher runs, and shows no XEmbed icon besides its item.
kill "$trayer_pid"
start_watcher
start sni-host gtk-sni-tray-standalone
wait_for "the tray host" xdotool search --onlyvisible --name gtk-sni-tray-standalone
host=$(xdotool search --onlyvisible --name gtk-sni-tray-standalone | head -1)
start wendaro "$wendaro"
wait_for "the item's registration" item_registered
ours() { xdotool search --onlyvisible --class wendaro; }
sleep 1
! ours || fail "an XEmbed icon besides the item"
# A left click opens the program's menu; its favourite starts with the
# token the host handed over before the click.
item=$(watcher_items | grep -o 'string "[^"]*"' | head -1 | cut -d'"' -f2) # a bus name, maybe with a path
dbus-send --session --print-reply --dest="${item%%/*}" /StatusNotifierItem \
  org.kde.StatusNotifierItem.ProvideXdgActivationToken string:token-from-host > /dev/null ||
  fail "the item takes no activation token"
xdotool mousemove --window "$host" 15 15 click 1
wait_for "the program's menu" ours
sleep 0.3
xdotool key Down Return
wait_for "Alpha with the host's token" eval '[[ $(tail -1 "$launched") == Alpha:token-from-host ]]'
# A right click shows only the host's copy of the menu; the favourite
# chosen there starts too, without the used token.
wait_for "the program's menu to close" eval '! ours'
xdotool mousemove --window "$host" 15 15 click 3
wait_for "the host's menu" eval 'xdotool search --onlyvisible --name gtk-sni-tray-standalone | grep -vx "$host"'
sleep 0.5
! ours || fail "the program's own menu opened beside the host's"
xdotool key Down Return
wait_for "Alpha from the host's menu" alpha_ran 4
