# Sourced by the end-to-end scripts and the latency benchmark.

# Runs the calling script again inside a D-Bus session of its own, as a
# desktop session has; call it as `in_own_dbus_session "$0" "$@"`.
in_own_dbus_session() {
  [[ -n "${WENDARO_E2E_IN_SESSION:-}" ]] && return 0
  export WENDARO_E2E_IN_SESSION=1
  exec dbus-run-session -- bash "$@"
}

# `begin PREFIX WENDARO OUTPUT_DIRECTORY` starts each script: its own D-Bus
# session, scratch folder and user, and $out for its logs, named PREFIX*.
begin() {
  in_own_dbus_session "$0" "${@:2}"
  if [[ -n "${WENDARO_E2E_TRACE:-}" ]]; then set -x; fi
  wendaro=$(realpath "$2")
  out=$(realpath -m "$3")
  mkdir -p "$out"
  rm -f "$out/$1"*
  start_work "$1"
  set_up_user
}

# A scratch folder, $work, and the processes started into $pids: at the end
# those still running are stopped (one that ended may have passed its pid on).
start_work() {
  prefix=${1-}
  work=$(mktemp -d)
  pids=()
  trap stop_work EXIT
}
stop_work() {
  local running=" $(jobs -pr | tr '\n' ' ') "
  for pid in "${pids[@]}"; do
    if [[ "$running" == *" $pid "* ]]; then kill "$pid" 2>/dev/null || true; fi
  done
  wait 2>/dev/null || true
  rm -rf "$work"
}
# `start NAME COMMAND...` runs a command in the background, logged to PREFIXNAME.log.
start() {
  "${@:2}" >> "$out/$prefix$1.log" 2>&1 &
  pids+=($!)
}

# Ends the script with why, the apps that ran, a screenshot and the logs.
fail() {
  echo "FAIL: $*" >&2
  if [[ -n "${launched:-}" ]]; then echo "launched: $(launches)" >&2; fi
  if [[ -n "${DISPLAY:-}" ]]; then import -window root "$out/${prefix}failure.png" 2>/dev/null || true; fi
  tail -n +1 "$out/$prefix"*.log >&2 || true
  exit 1
}

# Waits up to 10 s for a command to succeed.
wait_for() {
  for _ in $(seq 100); do
    if "${@:2}" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  fail "timed out waiting for $1"
}

# A user of its own: home, settings and runtime folders, and $apps.
set_up_user() {
  export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
  mkdir -p "$HOME" "$XDG_CONFIG_HOME/wendaro" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  unset QT_QPA_PLATFORM
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
  apps=$work/apps
  launched=$work/launched
  store=$XDG_CONFIG_HOME/wendaro/defaults.plist
}

# The settings file watching $apps, with more keys (plist XML) on stdin.
write_settings() {
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0">\n<dict>\n%s\n%s\n</dict>\n</plist>\n' \
    "  <key>directories</key><array><string>$apps</string></array>" "$(cat)" > "$store"
}

# Apps that record in $launched their name and, after a colon, the activation
# token they were given; NAME=SECONDS records after that delay.
make_apps() {
  for app in "$@"; do
    [[ $app == *=* ]] || app+="=0"
    mkdir -p "$apps/${app%=*}.app"
    printf '#!/bin/sh\nsleep %s\necho "%s${XDG_ACTIVATION_TOKEN:+:$XDG_ACTIVATION_TOKEN}" >> "%s"\n' \
      "${app#*=}" "${app%=*}" "$launched" > "$apps/${app%=*}.app/AppRun"
    chmod +x "$apps/${app%=*}.app/AppRun"
  done
}
# The apps that ran, in order, each followed by a space.
launches() { cat "$launched" 2>/dev/null | tr '\n' ' '; }
launched_with() { [[ "$(launches)" == "$1" ]]; }

# `start_xvfb SIZE LOG`: an X server on a display it finds free. -noreset:
# else it resets when its last client leaves, turning away the next one.
start_xvfb() {
  local number_file=$work/display
  Xvfb -displayfd 3 -noreset -screen 0 "$1" -nolisten tcp 3>"$number_file" >"$2" 2>&1 &
  pids+=($!)
  wait_for "Xvfb to give a display" test -s "$number_file"
  export DISPLAY=":$(head -n1 "$number_file")"
  wait_for "the X server" xdpyinfo
}

# The tray icons, main then pinned, once they are the program's only two
# windows for a while (a tray that appears late docks them anew).
icons() { xdotool search --onlyvisible --class wendaro 2>/dev/null | tr '\n' ' '; }
settled_icons() {
  local seen
  seen=$(icons)
  [[ $(wc -w <<<"$seen") == 2 ]] && sleep 0.5 && [[ "$(icons)" == "$seen" ]]
}
find_icons() {
  wait_for "two tray icons" settled_icons
  read -r main_icon pinned_icon <<<"$(icons)"
}
# The open menu, our one other window, kept in $menu: it opens windows too.
menu_open() {
  menu=$(xdotool search --onlyvisible --class wendaro | grep -vx -e "$main_icon" -e "$pinned_icon" | tail -1)
  [[ -n "$menu" ]]
}
menu_closed() { ! xwininfo -id "$menu" 2>/dev/null | grep -q IsViewable; }
open_main_menu() {
  xdotool mousemove --window "$main_icon" "${1:-8}" "${1:-8}" click 1
  wait_for "the main menu" menu_open
  sleep 0.3
}
close_menu() {
  xdotool key Escape
  wait_for "the menu to close" menu_closed
}
editor_for() { xdotool search --onlyvisible --name "^$1\$"; }
close_editor() {
  xdotool windowactivate --sync "$(editor_for "$1" | head -1)" 2>/dev/null || true
  xdotool key Escape
  wait_for "the editor to close" eval "! editor_for \"$1\""
}

# A StatusNotifierItem watcher, and whether an item registered with it.
watcher_property() {
  dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher "string:$1"
}
watcher_items() { watcher_property RegisteredStatusNotifierItems; }
start_watcher() {
  start watcher status-notifier-watcher
  wait_for "the watcher" watcher_items
}
item_registered() { watcher_items | grep -q 'string "'; }
