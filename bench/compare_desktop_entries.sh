#!/usr/bin/env bash
# Installs jgmenu and rofi when they are missing, builds the release preset
# and puts Wendaro's rescan and start-up beside them on 1,000 and 10,000
# synthetic desktop entries (see compare_desktop_entries.py), in a D-Bus
# session and on a private X server of their own.
# Usage: bench/compare_desktop_entries.sh [COUNT ...]
set -euo pipefail
cd "$(dirname "$0")/.."

missing=()
for package in jgmenu rofi xvfb trayer xdotool dbus; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]} > 0)); then
  sudo=()
  ((EUID == 0)) || sudo=(sudo)
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake --preset release >/dev/null
cmake --build --preset release --target wendaro wendaro-desktop generate_desktop_entries
exec dbus-run-session -- python3 bench/compare_desktop_entries.py build/release "$@"
