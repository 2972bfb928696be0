# Sourced by the end-to-end scripts, which define `fail`.

# Runs the calling script again inside a D-Bus session of its own, as a
# desktop session has; call it as `in_own_dbus_session "$0" "$@"`.
in_own_dbus_session() {
  [[ -n "${WENDARO_E2E_IN_SESSION:-}" ]] && return 0
  export WENDARO_E2E_IN_SESSION=1
  exec dbus-run-session -- bash "$@"
}

# `start_work PREFIX LOG...`: a scratch folder, $work, and the processes
# started into $pids: when the script ends, those still running are stopped
# and the folder removed. PREFIX and the LOGs name what `fail` shows (below). One
# that ended before (a program told to quit) is left alone: on a busy machine
# its pid may be another's by then, such as the X server of a test running
# beside this one.
start_work() {
  failure_prefix=${1-}
  failure_logs=("${@:2}")
  work=$(mktemp -d)
  pids=()
  trap stop_work EXIT
}
stop_work() {
  local running
  running=" $(jobs -pr | tr '\n' ' ') "
  for pid in "${pids[@]}"; do
    if [[ "$running" == *" $pid "* ]]; then kill "$pid" 2>/dev/null || true; fi
  done
  wait 2>/dev/null || true
  rm -rf "$work"
}

# Says why the script failed and which apps ran, takes a screenshot to
# $out/PREFIXfailure.png where there is a display, shows the logs
# $out/PREFIXLOG.log (as start_work named them), and ends the script.
fail() {
  echo "FAIL: $*" >&2
  if [[ -n "${launched:-}" ]]; then echo "launched: $(launches)" >&2; fi
  if [[ -n "${DISPLAY:-}" ]]; then import -window root "$out/${failure_prefix}failure.png" 2>/dev/null || true; fi
  local log
  for log in "${failure_logs[@]}"; do
    echo "--- $log:" >&2
    cat "$out/$failure_prefix$log.log" >&2 || true
  done
  exit 1
}

# Waits up to 10 s for a command to succeed.
wait_for() {
  local what=$1
  shift
  for _ in $(seq 100); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  fail "timed out waiting for $what"
}

# A user of its own under $work: home, settings and runtime folders, and
# $apps for test apps, which record their names in $launched when they run.
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

# Writes the user's settings file watching $apps, with the keys on standard
# input (property-list XML for the top dictionary).
write_settings() {
  {
    printf '<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0">\n<dict>\n'
    printf '  <key>directories</key>\n  <array><string>%s</string></array>\n' "$apps"
    cat
    printf '</dict>\n</plist>\n'
  } > "$store"
}

# An app named $1 that records its name when it runs, after $2 seconds, and
# the activation token it was given, if any, after a colon.
make_app() {
  mkdir -p "$apps/$1.app"
  printf '#!/bin/sh\nsleep %s\necho "%s${XDG_ACTIVATION_TOKEN:+:$XDG_ACTIVATION_TOKEN}" >> "%s"\n' \
    "${2:-0}" "$1" "$launched" > "$apps/$1.app/AppRun"
  chmod +x "$apps/$1.app/AppRun"
}

# The apps that ran, in order, each followed by a space.
launches() { cat "$launched" 2>/dev/null | tr '\n' ' '; }
launched_with() { [[ "$(launches)" == "$1" ]]; }

# start_xvfb SIZE LOG starts a private Xvfb on a display number the server
# itself finds free, records its pid in the caller's `pids`, and exports
# DISPLAY once it answers.
start_xvfb() {
  local size=$1 log=$2 number_file
  number_file=$(mktemp)
  # -noreset: otherwise the server resets when its last client leaves (the
  # probe below), and a client connecting meanwhile is turned away.
  Xvfb -displayfd 3 -noreset -screen 0 "$size" -nolisten tcp 3>"$number_file" >"$log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    [[ -s "$number_file" ]] && break
    sleep 0.1
  done
  [[ -s "$number_file" ]] || fail "Xvfb gave no display"
  export DISPLAY=":$(head -n1 "$number_file")"
  rm -f "$number_file"
  wait_for "the X server" xdpyinfo
}
