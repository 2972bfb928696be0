#!/bin/sh
# The autostart entry must start the program at its path, whatever the path
# holds. GLib's desktop entry reader (what a GNOME session uses) launches the
# entry here; the program it starts records its own path. The entry must also
# pass the freedesktop validator (desktop-file-utils).
# (No '%' in the path: GLib looks for the program before it undoes the %%
# that the format requires, and finds none.)
set -eu
probe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"

directory="$work/odd \$dir \"quoted\" \`tick\` back\\slash it's; &|"
mkdir -p "$directory"
program="$directory/wendaro"
printf '#!/bin/sh\nprintf %%s "$0" > "%s/started"\n' "$work" > "$program"
chmod +x "$program"

"$probe" enable "$program"
entry="$XDG_CONFIG_HOME/autostart/org.wendaro.Wendaro-2-Helper.desktop"
test -f "$entry" || { echo "FAIL: no entry at $entry"; exit 1; }
desktop-file-validate "$entry" || { echo "FAIL: desktop-file-validate refuses the entry"; exit 1; }

gio launch "$entry"
tries=0
while [ ! -s "$work/started" ] && [ $tries -lt 100 ]; do sleep 0.1; tries=$((tries + 1)); done
started=$(cat "$work/started" 2>/dev/null || true)
[ "$started" = "$program" ] || { echo "FAIL: the entry started '$started', not '$program'"; exit 1; }

"$probe" disable
test ! -e "$entry" || { echo "FAIL: the entry is still there after disabling"; exit 1; }
"$probe" disable || { echo "FAIL: disabling again failed"; exit 1; }
echo "the autostart entry starts $program"
