#!/usr/bin/env python3
"""The real program on a virtual X display of its own.

It starts with its window titled "Zarnek_v1.98"; the global hot key hides and
shows it; a second start ends at once, leaves the first running and does not
touch the settings file; SIGTERM ends the first in order, writing the settings
file. Run inside a private network namespace; usage: binary_under_xvfb_test.py
<path of the zarnek executable>.
"""
import os
import signal
import subprocess
import sys
import time

from program_under_xvfb import TITLE, check, finish, clean_up, private_copy, start_xvfb, wait_until

def visible_windows(env):
    r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^" + TITLE.replace(".", "\\.") + "$"],
                       env=env, capture_output=True, text=True)
    return [w for w in r.stdout.split() if w]


def snapshot(path):
    if not os.path.exists(path):
        return None
    st = os.stat(path)
    with open(path, "rb") as f:
        return (st.st_mtime_ns, st.st_ino, f.read())


def main():
    work, binary, env = private_copy(os.path.abspath(sys.argv[1]), "zarnek-xvfb-")
    ini = os.path.join(work, "bin", "zarnek.ini")
    with open(ini, "w") as f:
        f.write("[Settings]\nGameType=1\n")

    xvfb, display = start_xvfb(env)
    env["DISPLAY"] = display
    first = None
    try:
        first = subprocess.Popen([binary], env=env, cwd=work)
        check(wait_until(lambda: len(visible_windows(env)) == 1 or first.poll() is not None),
              "the window titled " + TITLE + " shows")
        check(first.poll() is None, "the first instance runs")
        # Let start-up finish its writes (the scan-port choice is stored at load).
        time.sleep(0.5)

        subprocess.run(["xdotool", "key", "shift+alt+s"], env=env)
        check(wait_until(lambda: not visible_windows(env), 10), "Shift+Alt+S hides the window")
        subprocess.run(["xdotool", "key", "shift+alt+s"], env=env)
        check(wait_until(lambda: len(visible_windows(env)) == 1, 10), "Shift+Alt+S shows it again")
        # The key works whatever the state of NumLock and CapsLock.
        for lock in ("Num_Lock", "Caps_Lock"):
            subprocess.run(["xdotool", "key", lock, "shift+alt+s"], env=env)
            hidden = wait_until(lambda: not visible_windows(env), 10)
            subprocess.run(["xdotool", "key", "shift+alt+s", lock], env=env)
            shown = wait_until(lambda: len(visible_windows(env)) == 1, 10)
            check(hidden and shown, "Shift+Alt+S toggles with " + lock + " on")

        before = snapshot(ini)
        started = time.monotonic()
        second = subprocess.Popen([binary], env=env, cwd=work)
        try:
            code = second.wait(timeout=10.0)
            ended = True
        except subprocess.TimeoutExpired:
            second.kill()
            code = second.wait()
            ended = False
        print("     second start ended after %.0f ms" % ((time.monotonic() - started) * 1000))
        check(ended and code == 0, "a second start ends by itself, with status 0")
        check(first.poll() is None, "the first instance still runs")
        check(snapshot(ini) == before, "the second start left the settings file alone")
        check(len(visible_windows(env)) == 1, "one window is shown")

        # Another user session on this display (its own runtime folder) finds
        # the hot key taken: one notice; SIGTERM while it is open ends that
        # instance before it opens the settings file.
        other_env = dict(env, XDG_RUNTIME_DIR=os.path.join(work, "runtime2"))
        os.mkdir(other_env["XDG_RUNTIME_DIR"], 0o700)
        before = snapshot(ini)
        other = subprocess.Popen([binary], env=other_env, cwd=work)
        check(wait_until(lambda: len(visible_windows(env)) == 2 or other.poll() is not None),
              "a refused hot key shows one notice")
        other.send_signal(signal.SIGTERM)
        try:
            code = other.wait(timeout=20)
        except subprocess.TimeoutExpired:
            other.kill()
            code = None
        check(code == 0, "SIGTERM during the notice ends that instance (status 0)")
        check(snapshot(ini) == before, "it left the settings file alone")

        started = time.monotonic()
        first.send_signal(signal.SIGTERM)
        try:
            code = first.wait(timeout=20)
        except subprocess.TimeoutExpired:
            first.kill()
            code = None
        print("     SIGTERM ended the program after %.0f ms" % ((time.monotonic() - started) * 1000))
        check(code == 0, "SIGTERM ends the first instance in order (status 0)")
        after = snapshot(ini)
        check(after is not None and after != before and b"Height=" in after[2],
              "the settings file was written at the end")
    finally:
        clean_up([first], xvfb, work)
    finish()


if __name__ == "__main__":
    main()
