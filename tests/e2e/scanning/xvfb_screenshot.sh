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
cp "$root/tests/e2e/scanning/screenshot_lan.json" "$WORK/lan.json"
start_and_scan "$build"
sleep 2.3
shot "$out"
stop_program_and_lan
echo "screenshot: $out"
