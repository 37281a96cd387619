#!/usr/bin/env python3
"""The real program in the tray of a real desktop under Xvfb.

A window manager with a task bar and a tray (icewm) runs on a display of the
test's own. Shift+Alt+S hides and shows the window; the minimise command hides
it (no task-bar entry, never left minimised); a double click on the tray icon
and the tray menu's Show bring it back in front. Run inside a private network
namespace; usage: tray_under_xvfb_test.py <path of the zarnek executable>.
"""
import os
import re
import shutil
import socket
import subprocess
import sys
import time

from program_under_xvfb import TITLE, check, clean_up, finish, private_copy, start_window_manager, start_xvfb, stop, wait_until

FAVOURITE = ("127.0.0.2", 27015)


class FavouriteServer:
    """Notes when each request of the favourites auto-scan reaches the favourite."""

    def __init__(self):
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.sock.bind(FAVOURITE)
        self.sock.setblocking(False)
        self.arrivals = []

    def heard(self):
        while True:
            try:
                self.sock.recvfrom(2048)
            except BlockingIOError:
                return len(self.arrivals)
            self.arrivals.append(time.monotonic())


def run(env, *args):
    return subprocess.run(list(args), env=env, capture_output=True, text=True).stdout


def main_window(env):
    ids = run(env, "xdotool", "search", "--onlyvisible", "--name",
              "^" + TITLE.replace(".", "\\.") + "$").split()
    # The tray icon carries the title too; the main window is the big one.
    for w in ids:
        geometry = run(env, "xdotool", "getwindowgeometry", w)
        m = re.search(r"Geometry: (\d+)x(\d+)", geometry)
        if m and int(m.group(1)) >= 300:
            return w
    return None


def in_task_bar(env, window):
    listed = run(env, "xprop", "-root", "_NET_CLIENT_LIST")
    return window is not None and ("0x%x" % int(window)) in listed


def tray_icon_centre(env):
    # The docked icon: a small window of the program inside the tray.
    for line in run(env, "xwininfo", "-root", "-tree").splitlines():
        m = re.search(r'\("zarnek" "zarnek"\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)', line)
        if m:
            w, h, x, y = map(int, m.groups())
            if w <= 64 and h <= 64:
                return x + w // 2, y + h // 2
    return None


def active_is(env, window):
    return run(env, "xdotool", "getactivewindow").strip() == window


def main():
    for tool in ("xprop", "xwininfo"):
        if shutil.which(tool) is None:
            sys.exit(tool + " is missing: run scripts/install-deps.sh")
    work, binary, env = private_copy(os.path.abspath(sys.argv[1]), "zarnek-tray-")
    # One favourite, scanned again every 5 seconds while the window is shown.
    with open(os.path.join(work, "bin", "zarnek.ini"), "w") as f:
        f.write("[Settings]\nGameType=0\nFavAutoScan=1\nUpdInterval=5\n"
                "[Favorites]\n%s 0=%d\n" % FAVOURITE)
    favourite = FavouriteServer()
    xvfb, display = start_xvfb(env)
    env["DISPLAY"] = display
    wm = program_process = None
    try:
        wm = start_window_manager(env)
        program_process = subprocess.Popen([binary], env=env, cwd=work)
        check(wait_until(lambda: main_window(env) is not None), "the window shows")
        window = main_window(env)
        check(wait_until(lambda: tray_icon_centre(env) is not None), "the tray icon docks")
        check(wait_until(lambda: in_task_bar(env, window)), "the shown window has a task-bar entry")
        check(wait_until(lambda: favourite.heard() > 0), "the favourites auto-scan runs while shown")

        subprocess.run(["xdotool", "key", "shift+alt+s"], env=env)
        check(wait_until(lambda: main_window(env) is None, 10), "Shift+Alt+S hides the window")
        check(not in_task_bar(env, window), "the hidden window has no task-bar entry")
        # Longer than the 5-second interval: a running timer would have fired.
        before = favourite.heard()
        time.sleep(7)
        check(favourite.heard() == before, "the favourites auto-scan stops while hidden")
        subprocess.run(["xdotool", "key", "shift+alt+s"], env=env)
        shown_at = time.monotonic()
        check(wait_until(lambda: main_window(env) == window, 10), "Shift+Alt+S shows it again")
        check(wait_until(lambda: favourite.heard() > before, 20), "and resumes when shown")
        if favourite.heard() > before:
            print("     first auto-scan %.1f s after showing" % (favourite.arrivals[before] - shown_at))
        check(wait_until(lambda: active_is(env, window), 10), "it comes back in front")

        subprocess.run(["xdotool", "windowminimize", window], env=env)
        check(wait_until(lambda: main_window(env) is None and not in_task_bar(env, window), 10),
              "minimising hides the window and leaves no task-bar entry")
        state = run(env, "xprop", "-id", window, "WM_STATE")
        check("Iconic" not in state, "the window is not left minimised")

        x, y = tray_icon_centre(env)
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "--repeat", "2",
                        "--delay", "80", "1"], env=env)
        check(wait_until(lambda: main_window(env) == window, 10), "a double click on the tray icon shows it")
        check(wait_until(lambda: in_task_bar(env, window), 10), "with its task-bar entry back")
        check(wait_until(lambda: active_is(env, window), 10), "in front")

        # The tray menu: Show brings a hidden window back.
        subprocess.run(["xdotool", "key", "shift+alt+s"], env=env)
        wait_until(lambda: main_window(env) is None, 10)
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "3"], env=env)
        menu = []
        wait_until(lambda: bool(menu.append(tray_menu(env, window)) or menu[-1]), 10)
        shown = False
        if menu[-1]:
            mx, my, mw, mh = menu[-1]
            # The first item, "Show  (Shift+Alt+S)".
            subprocess.run(["xdotool", "mousemove", str(mx + mw // 2), str(my + 12), "click", "1"],
                           env=env)
            shown = wait_until(lambda: main_window(env) == window, 10)
        check(shown, "the tray menu's first item shows the window")
        check(program_process.poll() is None, "the program still runs")
    finally:
        for p in (program_process, wm):
            stop(p)
        favourite.sock.close()
        clean_up([], xvfb, work)
    finish()


def tray_menu(env, main):
    # The tray menu: a small shown window of the program that is not the main one.
    for w in run(env, "xdotool", "search", "--onlyvisible", "--class", "zarnek").split():
        if w == main:
            continue
        out = run(env, "xdotool", "getwindowgeometry", w)
        pos = re.search(r"Position: (-?\d+),(-?\d+)", out)
        size = re.search(r"Geometry: (\d+)x(\d+)", out)
        if pos and size and 60 <= int(size.group(1)) <= 400 and 30 <= int(size.group(2)) <= 120:
            return int(pos.group(1)), int(pos.group(2)), int(size.group(1)), int(size.group(2))
    return None


if __name__ == "__main__":
    main()
