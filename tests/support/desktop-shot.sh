# Shared by the screenshot scripts: the real program and the fake LAN in a
# private network namespace, drawing on an Xvfb display of their own. Not a
# test. A script sources this file and then:
#   on_private_desktop DISPLAY "$0" ARGS...  runs the script again inside the
#       namespace with DISPLAY and WORK (a scratch folder) set; it returns only
#       there, and the outer run ends with the inner one's status
#   start_program BUILD_DIR   starts the fake LAN of $WORK/lan.json and the
#       program with $WORK/zarnek.ini; sets X Y WIDTH HEIGHT
#   click_scan, click_refresh  the Scan and RF buttons
#   start_and_scan BUILD_DIR  start_program, then click_scan
#   shot OUT.png              the program's window as it is now
#   stop_program_and_lan
desktop_shot_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

on_private_desktop() {
  local display=$1 script=$2
  shift 2
  [ "${INSIDE_NETNS:-}" = 1 ] && return 0
  local work xvfb status=0
  work=$(mktemp -d)
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  sleep 1
  INSIDE_NETNS=1 WORK="$work" DISPLAY=$display \
    "$desktop_shot_root/tests/support/netns-run.sh" "$script" "$@" || status=$?
  kill $xvfb
  rm -rf "$work"
  exit $status
}

start_program() {
  cp "$1/src/app/zarnek" "$WORK/"
  unset DBUS_SESSION_BUS_ADDRESS
  cd "$WORK"
  python3 "$desktop_shot_root/tests/support/fake_lan/fake_lan.py" lan.json >/dev/null &
  lan_pid=$!
  sleep 1
  ./zarnek >/dev/null 2>&1 &
  program_pid=$!
  sleep 3
  local window
  window=$(xdotool search --name "Zarnek_v1.98" | head -1)
  eval "$(xdotool getwindowgeometry --shell "$window")"
}

# The buttons of the window at its default size: Scan left of the middle of
# the button row, RF two buttons right of Scan's right end.
click_scan() { xdotool mousemove $((X + 211)) $((Y + 306)) click 1; }
click_refresh() { xdotool mousemove $((X + 340)) $((Y + 306)) click 1; }

start_and_scan() {
  start_program "$1"
  click_scan
}

shot() {
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
}

stop_program_and_lan() {
  kill $program_pid $lan_pid
  wait $program_pid $lan_pid || true
}
