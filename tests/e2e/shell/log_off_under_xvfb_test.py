#!/usr/bin/env python3
"""The end of a desktop session, asked by a real X session manager (xsm, over
XSMP) of the program on an Xvfb display of the test's own.

xsm starts the window manager and the program as its session; SIGTERM makes
xsm shut the session down, asking every client first.
- Idle, the program answers and closes in order: it ends and its settings
  file is written.
- During a scan, it still lets the session end and takes its icon out of the
  tray, but the close turns into a Stop and the window stays.

Run inside a private network namespace (the scan goes to loopback addresses
only); usage: log_off_under_xvfb_test.py <path of the zarnek executable>.
"""
import os
import re
import shutil
import signal
import subprocess
import sys

from program_under_xvfb import TITLE, check, clean_up, finish, private_copy, start_xvfb, stop, wait_until

# A scan that runs for minutes: 65,534 loopback addresses, 30 ms apart.
LONG_SCAN = ("[Settings]\nGameType=0\nDelay=30\nBroadcast=0\nScanOld=0\n"
             "[Ranges]\nRanges=1\nRangeFrom0=127.1.0.1\nRangeTo0=127.1.255.254\nChecked=1\n")


def run(env, *args):
    return subprocess.run(list(args), env=env, capture_output=True, text=True).stdout


def program_windows(env):
    """Sizes of the program's own top-level windows: the main window and the
    docked tray icon."""
    sizes = []
    for line in run(env, "xwininfo", "-root", "-tree").splitlines():
        m = re.search(r'\("zarnek" "zarnek"\)\s+(\d+)x(\d+)', line)
        if m:
            sizes.append((int(m.group(1)), int(m.group(2))))
    return sizes


def tray_icon_shown(env):
    return any(w <= 64 and h <= 64 for w, h in program_windows(env))


def program_pid(binary):
    out = subprocess.run(["pgrep", "-f", "^" + re.escape(binary) + "$"],
                         capture_output=True, text=True).stdout.split()
    return int(out[0]) if out else None


def alive(pid):
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    # A child of xsm that ended but was not yet reaped.
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().split(") ")[-1][0] != "Z"
    except FileNotFoundError:
        return False


def kill_session_processes(home):
    """Every process xsm started for this test (they carry its HOME), and only
    those: other tests may run their own window manager at the same time."""
    mark = ("HOME=" + home).encode() + b"\0"
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/environ" % entry, "rb") as f:
                if mark in f.read():
                    os.kill(int(entry), signal.SIGKILL)
        except (OSError, ProcessLookupError):
            pass


def session(env, work, binary):
    """xsm with a fresh home whose start-up list is the window manager and the
    program; returns xsm's process and the program's pid once it shows."""
    home = os.path.join(work, "home")
    shutil.rmtree(home, ignore_errors=True)
    os.mkdir(home)
    with open(os.path.join(home, ".xsmstartup"), "w") as f:
        f.write("icewm\n%s\n" % binary)
    xsm = subprocess.Popen(["xsm"], env=dict(env, HOME=home), cwd=work,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    shown = wait_until(lambda: program_pid(binary) is not None
                       and run(env, "xdotool", "search", "--onlyvisible", "--name",
                               "^" + TITLE.replace(".", "\\.") + "$").strip() != ""
                       and tray_icon_shown(env))
    return xsm, (program_pid(binary) if shown else None)


def main():
    for tool in ("xsm", "iceauth", "icewm", "xwininfo", "pgrep"):
        if shutil.which(tool) is None:
            sys.exit(tool + " is missing: run scripts/install-deps.sh")
    work, binary, env = private_copy(os.path.abspath(sys.argv[1]), "zarnek-log-off-")
    ini = os.path.join(work, "bin", "zarnek.ini")
    xvfb, display = start_xvfb(env)
    env["DISPLAY"] = display
    env.pop("SESSION_MANAGER", None)
    running = []
    try:
        # Idle: the program lets the session end and closes in order.
        xsm, pid = session(env, work, binary)
        running.append(xsm)
        check(pid is not None, "xsm starts the program, its window and its tray icon")
        if pid:
            xsm.send_signal(signal.SIGTERM)
            check(wait_until(lambda: not alive(pid), 20), "the session's end ends the program")
            with open(ini, encoding="latin-1") as f:
                check("[Password]" in f.read(), "after writing its settings file")
        stop(xsm)

        # During a scan: yes to the session, the icon leaves the tray, the
        # close becomes a Stop.
        with open(ini, "w") as f:
            f.write(LONG_SCAN)
        xsm, pid = session(env, work, binary)
        running.append(xsm)
        check(pid is not None, "a second session starts the program")
        if pid:
            window = run(env, "xdotool", "search", "--onlyvisible", "--name",
                         "^" + TITLE.replace(".", "\\.") + "$").split()[0]
            geometry = dict(line.split("=", 1) for line in
                            run(env, "xdotool", "getwindowgeometry", "--shell", window).split())
            x, y = int(geometry["X"]), int(geometry["Y"])
            # Scan, left of the middle of the button row of the window at its
            # default size.
            subprocess.run(["xdotool", "mousemove", str(x + 211), str(y + 306), "click", "1"], env=env)
            wait_until(lambda: False, 1.5)
            xsm.send_signal(signal.SIGTERM)
            check(wait_until(lambda: not tray_icon_shown(env), 20), "the tray icon goes")
            wait_until(lambda: False, 2)
            check(alive(pid), "the program still runs: the close became a Stop")
            check(any(w >= 300 for w, _ in program_windows(env)), "with its window")
            os.kill(pid, signal.SIGTERM)
            check(wait_until(lambda: not alive(pid), 20), "SIGTERM ends it afterwards")
    finally:
        for p in running:
            stop(p)
        kill_session_processes(os.path.join(work, "home"))
        clean_up([], xvfb, work)
    finish()


if __name__ == "__main__":
    main()
