#!/usr/bin/env bash
# How fast the running program answers, side by side from one run, N times
# each (200 unless given):
#   on X11 (key grabs):  Ctrl+Alt+M, the main-menu shortcut, to the menu on
#                        screen; `wendaro --open-menu` to the menu on screen;
#                        Ctrl+Alt+S to the first instruction of its app;
#   on Wayland (portal): a portal's Activated signal for Ctrl+Alt+S to the
#                        first instruction of its app; `wendaro --open-menu`
#                        to the menu's first frame, in a program that has
#                        shown nothing yet (N/10 runs, each a fresh program:
#                        nothing can close a menu on a headless compositor).
# It runs the release build: `cmake --preset release && cmake --build
# --preset release` first.
#
# Usage: bench/remote_latency.sh [N]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/release
runs=${1:-200}
for program in src/wendaro bench/menu_latency bench/shortcut_latency; do
  [[ -x "$build/$program" ]] || { echo "remote_latency: build the release preset first ($program)" >&2; exit 1; }
done

# shellcheck source=tests/e2e/common.sh
source "$root/tests/e2e/common.sh"
in_own_dbus_session "$0" "$@"
start_work
fail() { echo "remote_latency: $*" >&2; exit 1; }

set_up_user
stamps=$work/stamps
mkdir -p "$apps/Stamp.app"
printf '#!/bin/sh\ndate +%%s%%N >> "%s"\n' "$stamps" > "$apps/Stamp.app/AppRun"
chmod +x "$apps/Stamp.app/AppRun"
write_settings <<PLIST
  <key>shortcutsIndex</key>
  <dict><key>$apps/Stamp.app</key><string>ash1</string></dict>
  <key>ash1</key>
  <string>Ctrl+Alt+S</string>
  <key>WendaroMenu</key>
  <string>Ctrl+Alt+M</string>
PLIST
owns_name() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetNameOwner string:org.wendaro.Wendaro
}

echo "X11, key grabs ($runs runs each):"
start_xvfb 1280x800x24 "$work/xvfb.log"
"$build/src/wendaro" > "$work/wendaro-x11.log" 2>&1 &
x11_wendaro=$!
wait_for "the program" owns_name
"$build/bench/menu_latency" --keys m "$runs"
"$build/bench/menu_latency" --command "$build/src/wendaro" "$runs"
"$build/bench/shortcut_latency" --program s "$stamps" "$runs"
kill "$x11_wendaro"
wait "$x11_wendaro" || true

echo "Wayland, the global shortcuts portal ($runs runs):"
unset DISPLAY
weston --backend=headless-backend.so --socket=wendaro-latency --idle-time=0 --debug > "$work/weston.log" 2>&1 &
pids+=($!)
wait_for "the compositor" test -S "$XDG_RUNTIME_DIR/wendaro-latency"
export WAYLAND_DISPLAY=wendaro-latency
/usr/bin/python3 "$root/tests/desktop/fake_portal.py" > "$work/portal.log" 2>&1 &
pids+=($!)
wait_for "the portal" grep -q ready "$work/portal.log"
"$build/src/wendaro" > "$work/wendaro-wayland.log" 2>&1 &
wayland_wendaro=$!
bound() {
  gdbus call --session -d org.freedesktop.portal.Desktop -o /org/wendaro/test -m org.wendaro.test.FakePortal.Calls |
    grep -q 'CTRL+ALT+s'
}
wait_for "the shortcuts bound" bound
sleep 0.5  # the portal's answer to the binding reaches the program just after
/usr/bin/python3 "$root/bench/portal_latency.py" "Ctrl+Alt+S" "$stamps" "$runs"
kill "$wayland_wendaro"
wait "$wayland_wendaro" || true

# The compositor's protocol log stamps each request in milliseconds: the
# menu's first frame is the first buffer a surface gets.
first_runs=$(( runs / 10 > 0 ? runs / 10 : 1 ))
for _ in $(seq "$first_runs"); do
  "$build/src/wendaro" > "$work/wendaro-wayland.log" 2>&1 &
  wayland_wendaro=$!
  wait_for "the program" owns_name
  weston-debug proto > "$work/proto.log" 2>&1 &
  proto=$!
  sleep 0.3
  start=$(date +%s%N)
  "$build/src/wendaro" --open-menu
  wait_for "the menu's first frame" grep -q 'attach(wl_buffer' "$work/proto.log"
  shown=$(grep -m1 'attach(wl_buffer' "$work/proto.log" | sed 's/^\[\([^]]*\)\].*/\1/')
  echo "$(( ($(date -d "$shown" +%s%N) - start) / 1000 ))" >> "$work/first-frames"
  kill "$proto" "$wayland_wendaro"
  wait "$proto" "$wayland_wendaro" 2>/dev/null || true
done
sort -n "$work/first-frames" | awk '{ v[NR] = $1 } END {
  printf "open-menu-to-first-frame over %d runs: median %d us, p99 %d us, max %d us (to the millisecond)\n",
         NR, v[int(0.5 * (NR - 1) + 1.5)], v[int(0.99 * (NR - 1) + 1.5)], v[NR] }'
