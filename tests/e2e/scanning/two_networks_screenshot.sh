#!/usr/bin/env bash
# Takes a screenshot of the real program after a scan with only the broadcast
# on, on a machine on two networks with servers on three ports of one host
# each (tests/support/fake_lan/two_networks.py builds them inside the private
# namespace). Not a test; it makes docs/scan-two-networks.png.
#   tests/e2e/scanning/two_networks_screenshot.sh BUILD_DIR [OUT.png [DISPLAY]]
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=$(cd "${1:?build directory}" && pwd)
out=${2:-$root/docs/scan-two-networks.png}
source "$root/tests/support/desktop-shot.sh"
on_private_desktop "${3:-:28}" "$0" "$build" "$out"

if [ "${INSIDE_NETWORKS:-}" != 1 ]; then
  INSIDE_NETWORKS=1 exec python3 "$root/tests/support/fake_lan/two_networks.py" \
    "$root/tests/support/fake_lan" "$WORK" -- "$0" "$build" "$out"
fi

cat >"$WORK/zarnek.ini" <<'INI'
[Settings]
CSPort=27015
Delay=5
ScanOld=1
Broadcast=1
INI
# The servers are those of the two networks; none on loopback.
echo '{"servers": [], "lifetime": 60}' >"$WORK/lan.json"
start_and_scan "$build"
sleep 2.3
shot "$out"
stop_program_and_lan
echo "screenshot: $out"
