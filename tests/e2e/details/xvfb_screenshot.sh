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

. "$root/tests/support/desktop-shot.sh"
on_private_desktop "$display" "$0" "$build" "$display"

cat >"$WORK/zarnek.ini" <<'INI'
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
cat >"$WORK/lan.json" <<JSON
{"log": "$WORK/heard.jsonl", "lifetime": 60, "servers": [
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
start_and_scan "$build"
sleep 2
# The first row of the server list, then the Rules tab.
xdotool mousemove $((X + 150)) $((Y + 52)) click 1
sleep 1
shot "$root/docs/details-players.png"
xdotool mousemove $((X + WIDTH - 60)) $((Y + 30)) click 1
sleep 0.5
shot "$root/docs/details-rules.png"
stop_program_and_lan
echo "screenshots: $root/docs/details-players.png $root/docs/details-rules.png"
