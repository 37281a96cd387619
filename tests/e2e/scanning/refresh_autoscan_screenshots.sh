#!/usr/bin/env bash
# Screenshots of the real program after a favourites auto-scan pass and after
# a refresh, against the fake LAN: Xvfb on the host, the program and the fake
# servers in a private network namespace. Not a test; it makes
# docs/autoscan.png and docs/refresh-complete.png.
#   tests/e2e/scanning/refresh_autoscan_screenshots.sh BUILD_DIR [DOCS_DIR [DISPLAY]]
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=$(cd "${1:?build directory}" && pwd)
docs=${2:-$root/docs}

. "$root/tests/support/desktop-shot.sh"
on_private_desktop "${3:-:58}" "$0" "$build" "$docs"

# The auto-scan is on with a long period, so that the refresh's text is not
# overwritten by the next pass before the screenshot.
cat >"$WORK/zarnek.ini" <<'INI'
[Settings]
CSPort=27015
Delay=5
ScanOld=1
Broadcast=0
FavAutoScan=1
UpdInterval=60
[Ranges]
Ranges=1
RangeFrom0=127.0.0.1
RangeTo0=127.0.0.40
Checked=1
[Favorites]
127.0.0.9 0=27016
127.0.0.12 1=27015
INI
cp "$root/tests/e2e/scanning/screenshot_lan.json" "$WORK/lan.json"
start_program "$build"
# The first pass came 200 ms after start-up and listed the two favourites.
shot "$docs/autoscan.png"
click_scan
sleep 2
click_refresh
sleep 1
shot "$docs/refresh-complete.png"
stop_program_and_lan
echo "screenshots: $docs/autoscan.png $docs/refresh-complete.png"
