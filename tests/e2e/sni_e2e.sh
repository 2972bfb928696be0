#!/usr/bin/env bash
# The real program with a tray host that speaks StatusNotifierItem over D-Bus
# instead of XEmbed: the icon registers with the watcher, a left click opens
# the program's own menu and a right click the host's copy of it, and an app
# chosen from either starts, the first with the activation token the host
# handed over. A screenshot of each goes to the output directory.
#
# Usage: sni_e2e.sh WENDARO OUTPUT_DIRECTORY
set -euo pipefail

wendaro=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out"
rm -f "$out"/sni-*

# shellcheck source=tests/e2e/common.sh
source "$(dirname "$0")/common.sh"
in_own_dbus_session "$0" "$@"
start_work sni- tray watcher wendaro

set_up_user
make_app Alpha
write_settings <<PLIST
  <key>favorites</key>
  <array><string>$apps/Alpha.app</string></array>
PLIST

start_xvfb 800x600x24 "$out/sni-xvfb.log"

# The watcher first: the program speaks StatusNotifierItem only when one runs.
status-notifier-watcher > "$out/sni-watcher.log" 2>&1 &
pids+=($!)
watcher_items() {
  dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
    string:RegisteredStatusNotifierItems
}
wait_for "the watcher" watcher_items
gtk-sni-tray-standalone > "$out/sni-tray.log" 2>&1 &
pids+=($!)
wait_for "the tray host" xdotool search --onlyvisible --name gtk-sni-tray-standalone
host=$(xdotool search --onlyvisible --name gtk-sni-tray-standalone | head -1)

"$wendaro" > "$out/sni-wendaro.log" 2>&1 &
pids+=($!)
wait_for "the icon's registration" bash -c "$(declare -f watcher_items); watcher_items | grep -q 'string \"'"
# No XEmbed icon: the host draws it.
sleep 1
[[ -z "$(xdotool search --onlyvisible --class wendaro 2>/dev/null)" ]] || fail "an XEmbed icon besides the item"

wendaro_window() { xdotool search --onlyvisible --class wendaro 2>/dev/null | head -1; }
host_menu() { xdotool search --onlyvisible --name gtk-sni-tray-standalone 2>/dev/null | grep -vx "$host" | head -1; }

# 1. A left click reaches the program, which opens its menu; the first entry
#    is the favourite. The activation token that a host hands over before
#    the click goes to the app started from that menu.
item=$(watcher_items | grep -o 'string "[^"]*"' | head -1 | cut -d'"' -f2)  # a bus name, maybe with a path
item_path=/StatusNotifierItem
[[ "$item" == */* ]] && item_path=/${item#*/}
dbus-send --session --print-reply --dest="${item%%/*}" "$item_path" \
  org.kde.StatusNotifierItem.ProvideXdgActivationToken string:token-from-host > /dev/null ||
  fail "the item takes no activation token"
xdotool mousemove --window "$host" 15 15 click 1
wait_for "the program's menu" bash -c "[[ -n \$(xdotool search --onlyvisible --class wendaro 2>/dev/null) ]]"
sleep 0.3
import -window root "$out/sni-menu.png"
xdotool key Down Return
wait_for "Alpha from the program's menu" launched_with "Alpha:token-from-host "

# 2. A right click shows the host's copy of the same menu, once; choosing the
#    favourite there starts it too.
wait_for "the program's menu to close" bash -c "[[ -z \$(xdotool search --onlyvisible --class wendaro 2>/dev/null) ]]"
xdotool mousemove --window "$host" 15 15 click 3
wait_for "the host's menu" bash -c "$(declare -f host_menu); host=$host; [[ -n \$(host_menu) ]]"
sleep 0.5
import -window root "$out/sni-context-menu.png"
[[ -z "$(wendaro_window)" ]] || fail "the program's own menu opened beside the host's"
xdotool key Down Return
wait_for "Alpha from the host's menu, without the used token" launched_with "Alpha:token-from-host Alpha "

echo "sni: all checks passed"
