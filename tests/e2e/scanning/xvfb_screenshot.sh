#!/usr/bin/env bash
# Takes a screenshot of the real program after a scan of a fake LAN: Xvfb on
# the host, the program and the fake servers in a private network namespace.
# Not a test; it makes docs/scan-result.png.
#   tests/e2e/scanning/xvfb_screenshot.sh BUILD_DIR [OUT.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=$(cd "${1:?build directory}" && pwd)
out=${2:-$root/docs/scan-result.png}
work=$(mktemp -d)
display=:57

if [ "${INSIDE_NETNS:-}" != 1 ]; then
  Xvfb $display -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  trap 'kill $xvfb; rm -rf "$work"' EXIT
  sleep 1
  INSIDE_NETNS=1 WORK="$work" DISPLAY=$display "$root/tests/support/netns-run.sh" "$0" "$build" "$out"
  exit
fi

work=$WORK
cp "$build/src/app/zarnek" "$work/"
cat >"$work/zarnek.ini" <<'INI'
[Settings]
CSPort=27015
Delay=5
ScanOld=1
Broadcast=0
[Ranges]
Ranges=1
RangeFrom0=127.0.0.1
RangeTo0=127.0.0.40
Checked=1
[Favorites]
127.0.0.9 0=27016
INI
cat >"$work/lan.json" <<JSON
{"log": "$work/heard.jsonl", "lifetime": 60, "servers": [
 {"address": "127.0.0.5", "kind": "goldsrc", "name": "LAN party de_dust2 24/7", "map": "de_dust2", "players": 12, "max": 20, "description": "Counter-Strike", "protocol": 48},
 {"address": "127.0.0.9", "kind": "source", "name": "Office CS:Source", "map": "cs_office", "players": 16, "max": 16, "description": "Counter-Strike: Source", "os": "w"},
 {"address": "127.0.0.9", "port": 27016, "kind": "goldsrc", "name": "Crossfire classic", "map": "crossfire", "players": 3, "max": 16, "description": "Half-Life", "gamedir": "valve", "os": "w", "password": 1},
 {"address": "127.0.0.12", "kind": "source", "name": "HL2 Deathmatch", "map": "dm_lockdown", "players": 4, "max": 12, "description": "Deathmatch", "gamedir": "hl2mp"},
 {"address": "127.0.0.20", "kind": "old", "name": "Old CZ box", "map": "de_aztec_cz", "players": 2, "max": 10, "description": "Condition Zero", "os": "w"},
 {"address": "127.0.0.33", "kind": "goldsrc", "name": "CS 1.5 veterans", "map": "de_nuke", "players": 9, "max": 18, "description": "CounterStrike", "protocol": 46}
]}
JSON
unset DBUS_SESSION_BUS_ADDRESS
cd "$work"
python3 "$root/tests/support/fake_lan/fake_lan.py" lan.json >/dev/null &
lan=$!
sleep 1
./zarnek >/dev/null 2>&1 &
program=$!
sleep 3
window=$(xdotool search --name "Zarnek_v1.98" | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
# The Scan button sits left of the middle of the button row.
xdotool mousemove $((X + 211)) $((Y + 306)) click 1
sleep 2.3
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
kill $program $lan
wait $program $lan || true
echo "screenshot: $out"
