#!/usr/bin/env bash
# Takes screenshots of the real program with a server of a fake LAN selected:
# its players tab and its rules tab. Xvfb runs on the host, the program and
# the fake servers in a private network namespace. Not a test; it makes
# docs/details-players.png and docs/details-rules.png.
#   tests/e2e/details/xvfb_screenshot.sh BUILD_DIR [DISPLAY]
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=$(cd "${1:?build directory}" && pwd)
display=${2:-:58}

if [ "${INSIDE_NETNS:-}" != 1 ]; then
  work=$(mktemp -d)
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  trap 'kill $xvfb; rm -rf "$work"' EXIT
  sleep 1
  INSIDE_NETNS=1 WORK="$work" DISPLAY=$display "$root/tests/support/netns-run.sh" "$0" "$build" "$display"
  exit
fi

work=$WORK
cp "$build/src/app/zarnek" "$work/"
cat >"$work/zarnek.ini" <<'INI'
[Settings]
CSPort=27015
Delay=5
ScanOld=0
Broadcast=0
[Ranges]
Ranges=1
RangeFrom0=127.0.0.1
RangeTo0=127.0.0.20
Checked=1
INI
cat >"$work/lan.json" <<JSON
{"log": "$work/heard.jsonl", "lifetime": 60, "servers": [
 {"address": "127.0.0.5", "kind": "source", "name": "Office CS:Source", "map": "cs_office",
  "players": 9, "max": 16, "description": "Counter-Strike: Source", "info_challenge": "5a17c0de",
  "challenge": "5a17c0de", "split_rules": "source",
  "player_list": [["Gordon", 12], ["Alyx", 31], ["Barney", 7], ["\u00c9lodie", 19], ["Kleiner", -2],
                  ["Eli", 7], ["Odessa", 0], ["Магнуссон", 25], ["Grigori", 3]],
  "rules": [["mp_timelimit", "30"], ["mp_fraglimit", "0"], ["mp_friendlyfire", "1"],
            ["mp_roundtime", "3"], ["mp_freezetime", "6"], ["mp_c4timer", "35"],
            ["sv_gravity", "800"], ["sv_alltalk", "0"], ["sv_cheats", "0"],
            ["sv_maxspeed", "320"], ["mp_autoteambalance", "1"], ["mp_limitteams", "2"],
            ["mp_startmoney", "800"], ["mp_buytime", "1.5"], ["decalfrequency", "10"]]},
 {"address": "127.0.0.9", "kind": "goldsrc", "name": "LAN party de_dust2 24/7", "map": "de_dust2",
  "players": 12, "max": 20, "description": "Counter-Strike", "protocol": 48}
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
sleep 2
# The first row of the server list, then the Rules tab.
xdotool mousemove $((X + 150)) $((Y + 52)) click 1
sleep 1
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$root/docs/details-players.png"
xdotool mousemove $((X + WIDTH - 60)) $((Y + 30)) click 1
sleep 0.5
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$root/docs/details-rules.png"
kill $program $lan
wait $program $lan || true
echo "screenshots: $root/docs/details-players.png $root/docs/details-rules.png"
