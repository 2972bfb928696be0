#!/usr/bin/env bash
# The real program under a real X server with a tray host: clicks the tray
# icon, launches an app from the menu and a pinned icon, opens the shortcut
# editor with an Alt-click, ticks an app in the Apps window and checks the
# settings file; then records, uses and clears global shortcuts, typed from
# another program's window, across a restart. Screenshots go to the output
# directory.
#
# Usage: tray_e2e.sh WENDARO OUTPUT_DIRECTORY
set -euo pipefail
[[ -n "${WENDARO_E2E_TRACE:-}" ]] && set -x

wendaro=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.log

# shellcheck source=tests/e2e/common.sh
source "$(dirname "$0")/common.sh"
in_own_dbus_session "$0" "$@"
start_work "" wendaro

# --- A user's home, settings and apps ------------------------------------
set_up_user
for name in Alpha Beta Gamma; do make_app "$name"; done
# Delta takes its time: it records itself after wendaro has ended.
make_app Delta 2
# A desktop entry, titled by its Name, that records where it runs and its
# arguments.
mkdir -p "$work/editor-dir"
printf '#!/bin/sh\necho "$PWD $*" > "%s"\n' "$work/editor-ran" > "$work/editor"
chmod +x "$work/editor"
printf '[Desktop Entry]\nType=Application\nName=Text Editor\nExec=%s --from-menu %%U\nPath=%s\n' \
  "$work/editor" "$work/editor-dir" > "$apps/editor.desktop"
write_settings <<PLIST
  <key>favorites</key>
  <array><string>$apps/Alpha.app</string></array>
  <key>menubar</key>
  <array><string>$apps/Gamma.app</string></array>
  <key>categories</key>
  <array><string>Work</string></array>
  <key>categoriesApps</key>
  <dict><key>Work</key><array><string>$apps/Beta.app</string></array></dict>
PLIST

# --- X server, tray host, program ------------------------------------------
start_xvfb 1280x800x24 "$out/xvfb.log"

trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
  --transparent false --tint 0xdddddd > "$out/trayer.log" 2>&1 &
pids+=($!)
wait_for "the tray host" xdotool search --class trayer

# Starts the program and finds its tray icons, in the order they were made:
# the main icon, then the pinned one. Its output goes on in wendaro.log.
start_wendaro() {
  "$wendaro" >> "$out/wendaro.log" 2>&1 &
  wendaro_pid=$!
  pids+=($wendaro_pid)
  wait_for "two tray icons" bash -c "[[ \$(xdotool search --onlyvisible --class wendaro | wc -l) -ge 2 ]]"
  mapfile -t tray_icons < <(xdotool search --onlyvisible --class wendaro 2>/dev/null | head -2)
  main_icon=${tray_icons[0]:-}
  pinned_icon=${tray_icons[1]:-}
  [[ -n "$main_icon" && -n "$pinned_icon" ]] || fail "no tray icons"
}
start_wendaro

# The one wendaro window that is shown besides the tray icons (an open menu
# or a window), and its geometry.
other_window() { xdotool search --onlyvisible --class wendaro | grep -vx -e "$main_icon" -e "$pinned_icon" | tail -1; }
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT"
}
menu_open() { [[ -n "$(other_window)" ]]; }
menu_closed() { [[ -z "$(other_window)" ]]; }

open_main_menu() {
  xdotool mousemove --window "$main_icon" 8 8 click 1
  wait_for "the main menu" menu_open
  sleep 0.3
}

# 1. A click on the main icon opens the main menu; choosing the first
#    favourite launches it.
open_main_menu
import -window root "$out/menu.png"
xdotool key Down Return
wait_for "Alpha to run" launched_with "Alpha "
wait_for "the menu to close" menu_closed
echo "ok: a click opened the main menu and its first entry launched Alpha"

# A right click opens the same menu, once.
xdotool mousemove --window "$main_icon" 8 8 click 3
wait_for "the main menu on a right click" menu_open
sleep 0.3
[[ $(xdotool search --onlyvisible --class wendaro | grep -vx -e "$main_icon" -e "$pinned_icon" | wc -l) -eq 1 ]] ||
  fail "a right click showed more than one menu"
xdotool key Escape
wait_for "the menu to close" menu_closed
echo "ok: a right click opened the main menu once"

# 2. A click on the pinned icon launches its app.
xdotool mousemove --window "$pinned_icon" 8 8 click 1
wait_for "Gamma to run" launched_with "Alpha Gamma "
echo "ok: the pinned icon launched Gamma"

# 3. An Alt-click on a menu entry opens the shortcut editor for it.
open_main_menu
read -r mx my mw mh <<< "$(geometry "$(other_window)")"
xdotool mousemove $((mx + mw / 2)) $((my + 14))
sleep 0.2
xdotool keydown alt click 1 keyup alt
wait_for "the shortcut editor" xdotool search --onlyvisible --name '^Alpha$'
sleep 0.3
import -window root "$out/shortcut-editor.png"
launched_with "Alpha Gamma " || fail "the Alt-click launched: $(launches)"
echo "ok: an Alt-click opened the shortcut editor for Alpha"

# 4. Manage > Favorites opens the Apps window; ticking Beta makes it a
#    favourite in the settings file.
open_main_menu   # opening the menu closes the editor
# From the bottom: Quit, More, Manage; then Menu Bar, Favorites.
xdotool key Up Up Up Right Down Return
wait_for "the Apps window" xdotool search --onlyvisible --name '^Favorites$'
apps_window=$(xdotool search --onlyvisible --name '^Favorites$' | head -1)
xdotool windowactivate --sync "$apps_window" 2>/dev/null || xdotool windowfocus --sync "$apps_window"
sleep 0.3
import -window root "$out/apps-window.png"
xdotool key Down space   # the second row (Beta), its check box
favourite_saved() { grep -q "$apps/Beta.app" <(python3 -c 'import plistlib,sys; print("\n".join(plistlib.load(open(sys.argv[1],"rb")).get("favorites",[])))' "$store"); }
wait_for "Beta in the stored favourites" favourite_saved
import -window root "$out/apps-window-ticked.png"
echo "ok: ticking Beta in the Apps window stored it among the favourites"

# 5. The other windows, for the record.
for window in Categories Directories; do
  xdotool key Escape
  open_main_menu
  if [[ $window == Categories ]]; then keys="Up Up Up Right Down Down Return"; else keys="Up Up Up Right Down Down Down Return"; fi
  xdotool key $keys
  wait_for "the $window window" xdotool search --onlyvisible --name "^$window\$"
  sleep 0.3
  import -window root "$out/$(tr 'A-Z' 'a-z' <<< "$window")-window.png"
done
echo "ok: the Categories and Directories windows opened"

# 6. More > Launch at Startup writes an autostart entry that starts wendaro
#    itself, the program the user ran.
xdotool key Escape
open_main_menu
xdotool key Up Up Right Return   # from the bottom: Quit, More; its first entry
autostart_starts_wendaro() { grep -qxF "Exec=\"$wendaro\"" "$XDG_CONFIG_HOME"/autostart/*Wendaro-2-Helper.desktop; }
wait_for "an autostart entry that starts $wendaro" autostart_starts_wendaro
echo "ok: Launch at Startup made the desktop start $wendaro at login"

# 7. The desktop entry, last in All Apps by its title (Alpha, Beta, Delta,
#    Gamma, Text Editor), starts with its arguments in its own directory.
xdotool key Escape
open_main_menu
xdotool key Up Up Up Up Right Down Down Down Down   # from the bottom: Quit, More, Manage, All Apps
sleep 0.3
import -window root "$out/all-apps.png"
xdotool key Return
editor_ran() { [[ "$(cat "$work/editor-ran" 2>/dev/null)" == "$work/editor-dir --from-menu" ]]; }
wait_for "the desktop entry to run" editor_ran
wait_for "the menu to close" menu_closed
echo "ok: the desktop entry Text Editor, chosen in All Apps, ran in its Path with its arguments"

# 8. Delta, chosen in All Apps (Alpha, Beta, Delta), outlives the program,
#    which Quit ends at once.
xdotool key Escape
open_main_menu
xdotool key Up Up Up Up Right Down Down Return   # from the bottom: Quit, More, Manage, All Apps
open_main_menu
xdotool key Up Return
wait_for "the program to end" bash -c "! kill -0 $wendaro_pid"
wait "$wendaro_pid" || fail "wendaro ended with status $?"
echo "ok: Quit ended the program"
wait_for "Delta to finish after the program" launched_with "Alpha Gamma Delta "
echo "ok: Delta, launched from All Apps, ran on after the program ended"

# 9. Global shortcuts, pressed in another program's window.
launch_count() { grep -cx "$1" "$launched" 2>/dev/null || true; }
launched_times() { [[ "$(launch_count "$1")" == "$2" ]]; }
xmessage -geometry 300x80+100+400 "another program" > "$out/xmessage.log" 2>&1 &
pids+=($!)
wait_for "another program's window" xdotool search --onlyvisible --class xmessage
elsewhere=$(xdotool search --onlyvisible --class xmessage | head -1)
press_elsewhere() {
  xdotool windowfocus --sync "$elsewhere"
  xdotool key "$@"
}

# The shortcut stored for an app (the value under its key in the index).
stored_shortcut() {
  python3 - "$store" "$1" <<'PY'
import plistlib, sys
settings = plistlib.load(open(sys.argv[1], "rb"))
key = settings.get("shortcutsIndex", {}).get(sys.argv[2], "WendaroMenu" if sys.argv[2] == "WendaroMenu" else None)
print(settings.get(key, "") if key else "")
PY
}
stored_shortcut_is() { [[ "$(stored_shortcut "$1")" == "$2" ]]; }

# Types into the shortcut editor titled $1.
type_in_editor() {
  local title=$1
  shift
  wait_for "the shortcut editor for $title" xdotool search --onlyvisible --name "^$title\$"
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$title\$" | head -1)"
  sleep 0.2
  xdotool key "$@"
}
editor_closed() { ! xdotool search --onlyvisible --name "^$1\$"; }
close_editor() {
  xdotool key Escape
  wait_for "the editor to close" editor_closed "$1"
}
alt_click_first_entry() {
  open_main_menu
  read -r mx my mw mh <<< "$(geometry "$(other_window)")"
  xdotool mousemove $((mx + mw / 3)) $((my + 14))
  sleep 0.2
  xdotool keydown alt click 1 keyup alt
}
# Whether a strip of the screenshot holds anything but its background.
has_ink() { (( $(convert "$1" -crop "$2" +repage -format %k info:) > 1 )); }

start_wendaro

# 9.1 Alt-click Alpha's entry and record Ctrl+Alt+K; once the editor is
#     closed the main menu shows it beside Alpha (in the first row, where the
#     last row, Quit, has nothing).
alt_click_first_entry
type_in_editor Alpha ctrl+alt+k
wait_for "Ctrl+Alt+K stored for Alpha" stored_shortcut_is "$apps/Alpha.app" "Ctrl+Alt+K"
close_editor Alpha
open_main_menu
import -window root "$out/menu-with-shortcut.png"
read -r mx my mw mh <<< "$(geometry "$(other_window)")"
has_ink "$out/menu-with-shortcut.png" "$((mw / 3 - 8))x16+$((mx + mw * 2 / 3))+$((my + 5))" ||
  fail "the menu shows no shortcut beside Alpha"
! has_ink "$out/menu-with-shortcut.png" "$((mw / 3 - 8))x16+$((mx + mw * 2 / 3))+$((my + mh - 21))" ||
  fail "the menu shows something beside Quit"
xdotool key Escape
wait_for "the menu to close" menu_closed
echo "ok: Ctrl+Alt+K, recorded for Alpha, is stored and shown in the menu"

# 9.2 Pressed in another program's window, it launches Alpha.
alpha_runs=$(launch_count Alpha)
press_elsewhere ctrl+alt+k
wait_for "Alpha to run from its shortcut" launched_times Alpha $((alpha_runs + 1))
echo "ok: Ctrl+Alt+K launched Alpha from another program's window"

# 9.3 The main menu's shortcut, recorded with an Alt-click on the main icon,
#     opens the menu. While the menu it opened is shown, it does nothing;
#     pressed while a click keeps the menu open, it closes it.
xdotool mousemove --window "$main_icon" 8 8 keydown alt click 1 keyup alt
type_in_editor "Wendaro's Menu" ctrl+alt+m
wait_for "Ctrl+Alt+M stored for the main menu" stored_shortcut_is WendaroMenu "Ctrl+Alt+M"
close_editor "Wendaro's Menu"
press_elsewhere ctrl+alt+m
wait_for "the main menu from its shortcut" menu_open
import -window root "$out/menu-from-shortcut.png"
xdotool key ctrl+alt+m
sleep 0.5
menu_open || fail "pressed again, the shortcut closed the menu it had opened"
xdotool key Escape
wait_for "the menu to close" menu_closed
open_main_menu
xdotool key ctrl+alt+m
wait_for "the shortcut to close the menu a click opened" menu_closed
press_elsewhere ctrl+alt+m
wait_for "the main menu from its shortcut again" menu_open
xdotool key Escape
wait_for "the menu to close" menu_closed
echo "ok: Ctrl+Alt+M opens the main menu, and closes it when a click opened it"

# 9.4 Gamma gets Ctrl+Alt+G through an Alt-click on its pinned icon.
xdotool mousemove --window "$pinned_icon" 8 8 keydown alt click 1 keyup alt
type_in_editor Gamma ctrl+alt+g
wait_for "Ctrl+Alt+G stored for Gamma" stored_shortcut_is "$apps/Gamma.app" "Ctrl+Alt+G"
close_editor Gamma
gamma_runs=$(launch_count Gamma)
press_elsewhere ctrl+alt+g
wait_for "Gamma to run from its shortcut" launched_times Gamma $((gamma_runs + 1))
echo "ok: Ctrl+Alt+G, recorded on the pinned icon, launched Gamma"

# 9.5 Pressed in Alpha's editor, Gamma's Ctrl+Alt+G is neither run nor
#     recorded a second time: Alpha keeps Ctrl+Alt+K, and the editor says
#     that Gamma has it. Then cleared in the editor, Alpha's shortcuts launch
#     nothing: its first, Ctrl+Alt+K, runs nothing, and Ctrl+Alt+G, pressed
#     after it, runs Gamma and not Alpha.
alt_click_first_entry
gamma_runs=$(launch_count Gamma)
type_in_editor Alpha ctrl+alt+g
sleep 0.5
import -window root "$out/editor-shortcut-in-use.png"
stored_shortcut_is "$apps/Alpha.app" "Ctrl+Alt+K" || fail "Gamma's Ctrl+Alt+G was recorded for Alpha too"
launched_times Gamma "$gamma_runs" || fail "pressed in the editor, Ctrl+Alt+G ran Gamma"
echo "ok: Gamma's shortcut, pressed in Alpha's editor, is neither run nor recorded twice"
xdotool key BackSpace
wait_for "Alpha's shortcut to be cleared" stored_shortcut_is "$apps/Alpha.app" ""
close_editor Alpha
alpha_runs=$(launch_count Alpha)
gamma_runs=$(launch_count Gamma)
press_elsewhere ctrl+alt+k ctrl+alt+g
wait_for "Gamma to run after the cleared shortcut" launched_times Gamma $((gamma_runs + 1))
sleep 0.5
launched_times Alpha "$alpha_runs" || fail "a cleared shortcut still launched Alpha"
echo "ok: Alpha's cleared shortcuts launched nothing"

# 9.6 After a restart the recorded shortcuts still work; the menus built
#     from the settings show Gamma's.
open_main_menu
xdotool key Up Return
wait_for "the program to end" bash -c "! kill -0 $wendaro_pid"
"$wendaro" --print-menu > "$out/menu.txt" 2>> "$out/wendaro.log" || fail "--print-menu failed"
grep -qx $'  Gamma\tCtrl+Alt+G' "$out/menu.txt" || fail "the menu text shows no Ctrl+Alt+G for Gamma"
grep -qx 'Alpha' "$out/menu.txt" || fail "the menu text still shows a shortcut for Alpha"
start_wendaro
gamma_runs=$(launch_count Gamma)
press_elsewhere ctrl+alt+g
wait_for "Gamma to run from its shortcut after a restart" launched_times Gamma $((gamma_runs + 1))
press_elsewhere ctrl+alt+m
wait_for "the main menu from its shortcut after a restart" menu_open
xdotool key Escape
wait_for "the menu to close" menu_closed
if grep -q "taken by another program\|not available in this session" "$out/wendaro.log"; then
  fail "wendaro said its shortcuts could not work"
fi
echo "ok: after a restart Ctrl+Alt+G launched Gamma and Ctrl+Alt+M opened the menu"
echo "screenshots: $out"
