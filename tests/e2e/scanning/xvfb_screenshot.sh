#!/usr/bin/env bash
# Takes a screenshot of the real program after a scan of a fake LAN: Xvfb on
# the host, the program and the fake servers in a private network namespace.
# Not a test; it makes docs/scan-result.png.
#   tests/e2e/scanning/xvfb_screenshot.sh BUILD_DIR [OUT.png [DISPLAY]]
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=$(cd "${1:?build directory}" && pwd)
out=${2:-$root/docs/scan-result.png}
. "$root/tests/support/desktop-shot.sh"
on_private_desktop "${3:-:57}" "$0" "$build" "$out"

cat >"$WORK/zarnek.ini" <<'INI'
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
cat >"$WORK/lan.json" <<JSON
{"log": "$WORK/heard.jsonl", "lifetime": 60, "servers": [
 {"address": "127.0.0.5", "kind": "goldsrc", "name": "LAN party de_dust2 24/7", "map": "de_dust2", "players": 12, "max": 20, "description": "Counter-Strike", "protocol": 48},
 {"address": "127.0.0.9", "kind": "source", "name": "Office CS:Source", "map": "cs_office", "players": 16, "max": 16, "description": "Counter-Strike: Source", "os": "w"},
 {"address": "127.0.0.9", "port": 27016, "kind": "goldsrc", "name": "Crossfire classic", "map": "crossfire", "players": 3, "max": 16, "description": "Half-Life", "gamedir": "valve", "os": "w", "password": 1},
 {"address": "127.0.0.12", "kind": "source", "name": "HL2 Deathmatch", "map": "dm_lockdown", "players": 4, "max": 12, "description": "Deathmatch", "gamedir": "hl2mp"},
 {"address": "127.0.0.20", "kind": "old", "name": "Old CZ box", "map": "de_aztec_cz", "players": 2, "max": 10, "description": "Condition Zero", "os": "w"},
 {"address": "127.0.0.33", "kind": "goldsrc", "name": "CS 1.5 veterans", "map": "de_nuke", "players": 9, "max": 18, "description": "CounterStrike", "protocol": 46}
]}
JSON
start_and_scan "$build"
sleep 2.3
shot "$out"
stop_program_and_lan
echo "screenshot: $out"
