#!/usr/bin/env bash
# The real program on a headless Weston with no X server, a StatusNotifierItem
# watcher and host, and a fake global shortcuts portal: a native Wayland
# client, it shows its tray item, opens its menu on `wendaro --open-menu`,
# and launches the app bound to a shortcut the portal says was pressed.
# Usage: wayland_e2e.sh WENDARO OUTPUT_DIRECTORY
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/common.sh"
begin wayland- "$@"

make_apps Alpha
write_settings <<PLIST
  <key>shortcutsIndex</key><dict><key>$apps/Alpha.app</key><string>ash1</string></dict>
  <key>ash1</key><string>Ctrl+Alt+A</string>
PLIST
unset DISPLAY
start weston weston --backend=headless-backend.so --socket=wendaro-wayland --idle-time=0 --debug
wait_for "the compositor" test -S "$XDG_RUNTIME_DIR/wendaro-wayland"
export WAYLAND_DISPLAY=wendaro-wayland
# The program's views in the compositor's scene.
views() { timeout 5 weston-debug scene-graph 2>/dev/null | grep -c "PID $wendaro_pid," || true; }
# Qt shows its item only to a desktop that has a host registered with the watcher.
start_watcher
start host /usr/bin/python3 -c '
import os, dbus, dbus.mainloop.glib
from gi.repository import GLib
dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
name = "org.kde.StatusNotifierHost-%d" % os.getpid()
dbus.SessionBus().request_name(name)
dbus.SessionBus().get_object("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher").RegisterStatusNotifierHost(
    name, dbus_interface="org.kde.StatusNotifierWatcher")
GLib.MainLoop().run()'
wait_for "the host" eval 'watcher_property IsStatusNotifierHostRegistered | grep -q true'
start portal /usr/bin/python3 "$here/../desktop/fake_portal.py"
wait_for "the portal" grep -q ready "$out/wayland-portal.log"
start wendaro "$wendaro"
wendaro_pid=$!

# A native Wayland client, its item shown to the watcher, no window until
# `--open-menu` asks for the menu.
wait_for "the tray item" item_registered
grep -q libqwayland "/proc/$wendaro_pid/maps" || fail "not on Qt's Wayland platform"
(($(views) == 0)) || fail "a window before the menu was asked for"
"$wendaro" --open-menu || fail "--open-menu"
wait_for "the menu on screen" eval '(($(views) > 0))'

# The shortcut, bound through the portal with its preferred trigger; the
# portal's activation starts the app.
portal() { gdbus call --session -d org.freedesktop.portal.Desktop -o /org/wendaro/test -m "org.wendaro.test.FakePortal.$1" "${@:2}"; }
wait_for "the shortcuts bound" eval 'portal Calls | grep -q "CTRL+ALT+a"'
sleep 0.5 # the portal's answer to the binding reaches the program just after
portal Activate "Ctrl+Alt+A" > /dev/null
wait_for "Alpha from the shortcut" launched_with "Alpha "
! grep -q "not available in this session" "$out/wayland-wendaro.log" || fail "said shortcuts were not available"
