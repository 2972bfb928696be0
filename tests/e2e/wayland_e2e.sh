#!/usr/bin/env bash
# The real program on a Wayland desktop: a headless Weston compositor with no
# X server at all, a StatusNotifierItem watcher and host, and a fake global
# shortcuts portal. It runs as a native Wayland client, shows its tray item to
# the watcher, opens its menu from `wendaro --open-menu`, and launches the app
# bound to a shortcut when the portal says the shortcut was pressed.
#
# Usage: wayland_e2e.sh WENDARO OUTPUT_DIRECTORY
set -euo pipefail

wendaro=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out"
rm -f "$out"/wayland-*
here=$(dirname "$(realpath "$0")")

# shellcheck source=tests/e2e/common.sh
source "$here/common.sh"
in_own_dbus_session "$0" "$@"
start_work wayland- weston portal wendaro

set_up_user
make_app Alpha
write_settings <<PLIST
  <key>favorites</key>
  <array><string>$apps/Alpha.app</string></array>
  <key>shortcutsIndex</key>
  <dict><key>$apps/Alpha.app</key><string>ash1</string></dict>
  <key>ash1</key>
  <string>Ctrl+Alt+A</string>
PLIST

# A Wayland desktop, and no X server.
unset DISPLAY
weston --backend=headless-backend.so --socket=wendaro-wayland --idle-time=0 --debug \
  > "$out/wayland-weston.log" 2>&1 &
pids+=($!)
wait_for "the compositor" test -S "$XDG_RUNTIME_DIR/wendaro-wayland"
export WAYLAND_DISPLAY=wendaro-wayland
# The views of the compositor's scene that a client of that process id shows.
views_of() { timeout 5 weston-debug scene-graph 2>/dev/null | grep -c "PID $1," || true; }

# The tray: a watcher, and a host registered with it (Qt shows its item
# only to a desktop that has a host).
status-notifier-watcher > "$out/wayland-watcher.log" 2>&1 &
pids+=($!)
watcher_property() {
  dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher "string:$1"
}
wait_for "the watcher" watcher_property RegisteredStatusNotifierItems
/usr/bin/python3 -c '
import os, dbus, dbus.mainloop.glib
from gi.repository import GLib
dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
bus.request_name("org.kde.StatusNotifierHost-%d" % os.getpid())
bus.get_object("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher").RegisterStatusNotifierHost(
    "org.kde.StatusNotifierHost-%d" % os.getpid(), dbus_interface="org.kde.StatusNotifierWatcher")
GLib.MainLoop().run()' > "$out/wayland-host.log" 2>&1 &
pids+=($!)
wait_for "the host" bash -c "$(declare -f watcher_property); watcher_property IsStatusNotifierHostRegistered | grep -q true"

/usr/bin/python3 "$here/../desktop/fake_portal.py" > "$out/wayland-portal.log" 2>&1 &
pids+=($!)
wait_for "the portal" grep -q ready "$out/wayland-portal.log"

"$wendaro" > "$out/wayland-wendaro.log" 2>&1 &
wendaro_pid=$!
pids+=($wendaro_pid)

# 1. A native Wayland client, its item shown to the watcher.
wait_for "the tray item" bash -c "$(declare -f watcher_property); watcher_property RegisteredStatusNotifierItems | grep -q 'string \"'"
grep -q libqwayland "/proc/$wendaro_pid/maps" || fail "not on Qt's Wayland platform"
if grep -q libqxcb "/proc/$wendaro_pid/maps"; then fail "on X"; fi

# 2. The menu, from the command line.
(( $(views_of "$wendaro_pid") == 0 )) || fail "a window before the menu was asked for"
"$wendaro" --open-menu || fail "--open-menu"
wait_for "the menu on screen" bash -c "$(declare -f views_of); (( \$(views_of $wendaro_pid) > 0 ))"

# 3. The shortcut, bound through the portal with its preferred trigger; the
#    portal's activation starts the app.
portal() {
  gdbus call --session -d org.freedesktop.portal.Desktop -o /org/wendaro/test -m "org.wendaro.test.FakePortal.$1" "${@:2}"
}
wait_for "the shortcuts bound" bash -c "$(declare -f portal); portal Calls | grep -q 'CTRL+ALT+a'"
sleep 0.5  # the portal's answer to the binding reaches the program just after
portal Activate "Ctrl+Alt+A" > /dev/null
wait_for "Alpha from the shortcut" launched_with "Alpha "

grep -q "not available in this session" "$out/wayland-wendaro.log" && fail "said shortcuts were not available"
echo "wayland: all checks passed"
