#!/bin/sh
# The autostart entry, exactly as written, must pass the freedesktop
# validator and start the program at its path, whatever the path holds:
# GLib's desktop entry reader (what a GNOME session uses) launches it, and
# the program it starts records its own path. (No '%' in the path: GLib
# looks for the program before it undoes the %% that the format requires.)
set -eu
probe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
fail() { echo "FAIL: $*"; exit 1; }

directory="$work/odd \$dir \"quoted\" \`tick\` back\\slash it's; &|"
mkdir -p "$directory"
program="$directory/wendaro"
printf '#!/bin/sh\nprintf %%s "$0" > "%s/started"\n' "$work" > "$program"
chmod +x "$program"

entry="$XDG_CONFIG_HOME/autostart/org.wendaro.Wendaro-2-Helper.desktop"
"$probe" enable /usr/bin/wendaro
printf '%s\n' "[Desktop Entry]" Type=Application Version=1.4 Name=Wendaro "Comment=Starts Wendaro at login" \
  'Exec="/usr/bin/wendaro"' Terminal=false X-GNOME-Autostart-enabled=true | cmp -s - "$entry" ||
  fail "the entry reads: $(cat "$entry")"
"$probe" enable "$program"
desktop-file-validate "$entry" || fail "desktop-file-validate refuses the entry"

gio launch "$entry"
for _ in $(seq 100); do [ -s "$work/started" ] && break; sleep 0.1; done
started=$(cat "$work/started" 2>/dev/null || true)
[ "$started" = "$program" ] || fail "the entry started '$started', not '$program'"

"$probe" disable
test ! -e "$entry" || fail "the entry is still there after disabling"
"$probe" disable || fail "disabling again failed"
echo "the autostart entry starts $program"
