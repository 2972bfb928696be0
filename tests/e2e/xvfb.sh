# Sourced by the end-to-end scripts. start_xvfb SIZE LOG starts a private
# Xvfb on a display number the server itself finds free, records its pid in
# the caller's `pids`, and exports DISPLAY once it answers.
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
