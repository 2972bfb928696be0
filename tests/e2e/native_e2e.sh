#!/usr/bin/env bash
# The real program on a desktop scaled by two, under openbox (a window
# manager that takes Alt+click for itself) with a tray host that appears only
# after the program started: the program says there is no tray until there is
# one; the keyboard and a pinned icon's right-click menu reach the shortcut
# editor; the add panel stands above the Directories window. Screenshots of
# the menu, the Apps window and the shortcut editor go to
# OUTPUT_DIRECTORY/scale-2.
#
# Usage: native_e2e.sh WENDARO OUTPUT_DIRECTORY
set -euo pipefail
[[ -n "${WENDARO_E2E_TRACE:-}" ]] && set -x

wendaro=$(realpath "$1")
out=$(realpath -m "$2")/scale-2
mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.log

# shellcheck source=tests/e2e/common.sh
source "$(dirname "$0")/common.sh"
in_own_dbus_session "$0" "$@"
start_work "" wendaro

set_up_user
for name in Alpha Beta Gamma; do make_app "$name"; done
write_settings <<PLIST
  <key>favorites</key>
  <array><string>$apps/Alpha.app</string><string>$apps/Beta.app</string></array>
  <key>menubar</key>
  <array><string>$apps/Gamma.app</string></array>
PLIST

start_xvfb 2560x1600x24 "$out/xvfb.log"
# Openbox names itself on the screen before it manages windows; a window
# mapped in between is never shown. It runs --startup once it manages them.
openbox --startup "touch $work/openbox-ready" > "$out/openbox.log" 2>&1 &
pids+=($!)
wait_for "the window manager" test -e "$work/openbox-ready"
export QT_SCALE_FACTOR=2

# 1. No tray yet: a window says so; once a tray appears, it goes and the
#    icons show.
"$wendaro" > "$out/wendaro.log" 2>&1 &
pids+=($!)
wait_for "the no-tray window" xdotool search --onlyvisible --name '^Wendaro: no system tray$'
import -window root "$out/no-tray.png"
trayer --edge top --align right --widthtype request --height 48 --SetDockType true \
  --transparent false --tint 0xdddddd > "$out/trayer.log" 2>&1 &
pids+=($!)
# The tray docks the icons at once; when the program sees the tray it closes
# its window and shows its icons anew, in new windows: the icons are the two
# windows of the program once its window is gone and they stay the same a
# while.
icons() { xdotool search --onlyvisible --class wendaro 2>/dev/null | tr '\n' ' '; }
two_settled_icons() {
  local seen
  xdotool search --onlyvisible --name '^Wendaro: no system tray$' && return 1
  seen=$(icons)
  [[ $(wc -w <<<"$seen") == 2 ]] && sleep 0.5 && [[ "$(icons)" == "$seen" ]]
}
wait_for "the no-tray window to go and two tray icons" two_settled_icons
read -r main_icon pinned_icon <<<"$(icons)"
echo "ok: without a tray a window said so; it went when a tray appeared"

# A menu is the one window of ours besides the tray icons while it is open;
# it is remembered in $menu to tell it from the windows it opens.
other_window() { xdotool search --onlyvisible --class wendaro | grep -vx -e "$main_icon" -e "$pinned_icon" | tail -1; }
menu_open() { menu=$(other_window); [[ -n "$menu" ]]; }
menu_closed() { ! xwininfo -id "$menu" 2>/dev/null | grep -q IsViewable; }
open_main_menu() {
  xdotool mousemove --window "$main_icon" 16 16 click 1
  wait_for "the main menu" menu_open
  sleep 0.5
}
editor_for() { xdotool search --onlyvisible --name "^$1\$"; }
close_editor() {
  xdotool windowactivate --sync "$(editor_for "$1" | head -1)" 2>/dev/null || true
  xdotool key Escape
  wait_for "the editor to close" bash -c "! xdotool search --onlyvisible --name '^$1\$'"
}

# 2. Typing selects an entry of the menu; Alt+Return opens its shortcut
#    editor without an Alt+click (which openbox keeps for itself).
open_main_menu
import -window root "$out/menu.png"
xdotool type be
xdotool key alt+Return
wait_for "Beta's shortcut editor" editor_for Beta
wait_for "the menu to close under the editor" menu_closed
sleep 0.5
import -window root "$out/shortcut-editor.png"
launched_with "" || fail "Alt+Return launched $(launches)"
close_editor Beta
echo "ok: typing selected Beta, and Alt+Return opened its shortcut editor"

# 3. A right click on the pinned icon opens its menu; its "Edit Shortcut…"
#    opens Gamma's editor, and nothing is launched.
xdotool mousemove --window "$pinned_icon" 16 16 click 3
wait_for "the pinned icon's menu" menu_open
sleep 0.5
import -window root "$out/pinned-menu.png"
xdotool key Down Return   # the title is no command: Down reaches "Edit Shortcut…"
wait_for "Gamma's shortcut editor" editor_for Gamma
launched_with "" || fail "a right click launched $(launches)"
close_editor Gamma
echo "ok: the pinned icon's right-click menu opened Gamma's shortcut editor"

# 4. The Apps window, from Manage > Favorites (Quit, More, Manage from the
#    bottom; then Menu Bar, Favorites).
open_main_menu
xdotool key Up Up Up Right Down Return
wait_for "the Apps window" xdotool search --onlyvisible --name '^Favorites$'
sleep 0.5
import -window root "$out/apps-window.png"
xdotool key Escape
echo "ok: the Apps window opened"

# 5. The add panel of the Directories window stands above it.
open_main_menu
xdotool key Up Up Up Right Down Down Down Return
wait_for "the Directories window" xdotool search --onlyvisible --name '^Directories$'
directories=$(xdotool search --onlyvisible --name '^Directories$' | head -1)
xdotool windowactivate --sync "$directories" 2>/dev/null || true
sleep 0.3
xdotool key alt+a
wait_for "the add panel" xdotool search --onlyvisible --name '^Add Directory$'
sleep 0.5
panel=$(xdotool search --onlyvisible --name '^Add Directory$' | head -1)
import -window root "$out/add-panel.png"
# The window manager's stacking order, bottom to top.
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, / /g')
position() { local i=0; for w in $stacking; do [[ $((w)) == $(($1)) ]] && { echo $i; return; }; i=$((i + 1)); done; echo -1; }
(( $(position "$panel") > $(position "$directories") )) ||
  fail "the add panel is below the Directories window ($stacking; panel $panel, window $directories)"
xdotool key Escape
echo "ok: the add panel stood above the Directories window"
echo "screenshots: $out"
