#!/usr/bin/env bash
# Runs a command with DISPLAY set to a private Xvfb server, on the first free
# display number, and stops the server afterwards.
set -euo pipefail
display_file=$(mktemp)
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x800x24 3>"$display_file" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
  [[ -s "$display_file" ]] && break
  kill -0 "$server" 2>/dev/null || { echo "with_xvfb: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[[ -s "$display_file" ]] || { echo "with_xvfb: Xvfb gave no display" >&2; exit 1; }
DISPLAY=":$(head -n1 "$display_file")" "$@"
