#!/usr/bin/env bash
# Takes screenshots of the real program on a desktop with a window manager, a
# task bar and a tray (icewm): the tray icon's menu over the task bar, and the
# about box. Not a test; it makes docs/tray-menu.png and docs/about-box.png.
#   tests/e2e/shell/xvfb_screenshot.sh BUILD_DIR [DISPLAY]
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=$(cd "${1:?build directory}" && pwd)
display=${2:-:59}

. "$root/tests/support/desktop-shot.sh"
on_private_desktop "$display" "$0" "$build" "$display"

unset DBUS_SESSION_BUS_ADDRESS
icewm >/dev/null 2>&1 &
wm_pid=$!
sleep 2
cp "$build/src/app/zarnek" "$WORK/"
printf '[Settings]\nGameType=0\n' >"$WORK/zarnek.ini"
cd "$WORK"
./zarnek >/dev/null 2>&1 &
program_pid=$!
sleep 3
window=$(xdotool search --onlyvisible --name '^Zarnek_v1\.98$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"

# The docked icon: the program's small window inside the tray.
read -r tx ty < <(xwininfo -root -tree | awk '/\("zarnek" "zarnek"\)/ {
  split($(NF-1), s, /[x+]/); split($NF, p, "+");
  if (s[1] <= 64) { print p[2] + s[1] / 2, p[3] + s[2] / 2; exit } }')
xdotool mousemove "$tx" "$ty" click 3
sleep 1
import -window root -crop 420x150+604+618 +repage "$root/docs/tray-menu.png"
xdotool key Escape

# "About" on the menu bar.
xdotool mousemove $((X + 120)) $((Y + 8)) click 1
sleep 1
about=$(xdotool search --onlyvisible --name '^About$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$about")"
import -window root -crop "$((WIDTH + 8))x$((HEIGHT + 30))+$((X - 4))+$((Y - 26))" +repage \
  "$root/docs/about-box.png"

kill $program_pid $wm_pid
wait $program_pid $wm_pid || true
echo "screenshots: $root/docs/tray-menu.png $root/docs/about-box.png"
