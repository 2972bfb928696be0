# Sourced by the end-to-end scripts, which define `fail` and `work` first.

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

# An app named $1 that records its name when it runs, after $2 seconds.
make_app() {
  mkdir -p "$apps/$1.app"
  printf '#!/bin/sh\nsleep %s\necho %s >> "%s"\n' "${2:-0}" "$1" "$launched" > "$apps/$1.app/AppRun"
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
