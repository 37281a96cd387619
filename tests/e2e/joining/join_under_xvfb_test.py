#!/usr/bin/env python3
"""Joining with the real program on a desktop under Xvfb (icewm: a window
manager with a tray), driven with the mouse and the keyboard as a user drives
it, against fake servers on loopback and a stand-in game that records how it
was started.

- A double click on an open server starts the game with exactly the connect
  arguments, in the game's own folder.
- A locked server asks for the password; the game gets it as one argument.
- The password is remembered: after a restart, OK alone joins with it.
- Auto-connect waits while the player count does not meet the condition and
  joins when it does.

Run inside a private network namespace; usage:
join_under_xvfb_test.py <path of the zarnek executable>.
"""
import json
import os
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "shell"))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support",
                                "fake_lan"))
from program_under_xvfb import TITLE, check, clean_up, finish, private_copy, start_window_manager, start_xvfb, stop, wait_until  # noqa: E402
from fake_lan import FakeLan  # noqa: E402

OPEN = "127.0.0.2"
LOCKED = "127.0.0.3"
# Where the rows of the server list are, from the window's client corner: the
# first two rows, on the Name column.
ROW_X, ROW_Y = 113, (48, 66)

STAND_IN = """#!%s
import json, os, sys
with open(%r, "a") as f:
    f.write(json.dumps({"cwd": os.getcwd(), "args": sys.argv[1:]}) + "\\n")
"""


def run(env, *args):
    return subprocess.run(list(args), env=env, capture_output=True, text=True).stdout


def visible(env, title):
    ids = run(env, "xdotool", "search", "--onlyvisible", "--name",
              "^" + title.replace(".", "\\.") + "$").split()
    # The tray icon carries the main window's title too; windows are larger.
    for w in ids:
        size = run(env, "xdotool", "getwindowgeometry", "--shell", w)
        fields = dict(line.split("=", 1) for line in size.split())
        if int(fields.get("WIDTH", 0)) >= 150:
            return w, int(fields["X"]), int(fields["Y"])
    return None


def click_row(env, row, button="1", repeat=1):
    shown = visible(env, TITLE)
    if not shown:
        return False
    _, x, y = shown
    subprocess.run(["xdotool", "mousemove", str(x + ROW_X), str(y + ROW_Y[row]), "click",
                    "--repeat", str(repeat), "--delay", "80", button], env=env)
    return True


def focus(env, window):
    subprocess.run(["xdotool", "windowactivate", "--sync", window], env=env, capture_output=True)


def answer(env, title, typed=""):
    """Waits for the window of that title, types into it and presses Enter
    (its default button); false when it never showed."""
    if not wait_until(lambda: visible(env, title) is not None, 10):
        return False
    focus(env, visible(env, title)[0])
    if typed:
        subprocess.run(["xdotool", "type", "--delay", "30", typed], env=env)
    subprocess.run(["xdotool", "key", "Return"], env=env)
    return True


def launch(record, number):
    """The number-th start of the stand-in game (from 1), once it happened."""
    wait_until(lambda: len(recorded(record)) >= number, 15)
    starts = recorded(record)
    if len(starts) < number:
        return {}
    print("     recorded: %r" % starts[number - 1])
    return starts[number - 1]


def recorded(path):
    if not os.path.exists(path):
        return []
    with open(path) as f:
        return [json.loads(line) for line in f if line.strip()]


def listed(lan, addresses):
    """Both favourites heard the program's info request (their rows follow)."""
    heard = {entry["server"].split(":")[0] for entry in lan.received}
    return all(a in heard for a in addresses)


def main():
    work, binary, env = private_copy(os.path.abspath(sys.argv[1]), "zarnek-join-")
    game = os.path.join(work, "game")
    os.mkdir(game)
    record = os.path.join(work, "launches.jsonl")
    stand_in = os.path.join(game, "hl_linux")
    with open(stand_in, "w") as f:
        f.write(STAND_IN % (sys.executable, record))
    os.chmod(stand_in, 0o755)
    ini = os.path.join(work, "bin", "zarnek.ini")
    # The favourites are listed by the auto-scan right after start-up.
    with open(ini, "w") as f:
        f.write("[Settings]\nGameType=0\nBroadcast=0\nFavAutoScan=1\nUpdInterval=60\n"
                "ExePath2=%s\n[Favorites]\n%s 0=27015\n%s 1=27015\n" % (stand_in, OPEN, LOCKED))

    lan = FakeLan({"lifetime": 600, "servers": [
        {"address": OPEN, "name": "Open server", "players": 6, "max": 20},
        {"address": LOCKED, "name": "Locked server", "players": 3, "max": 20, "password": 1}]})
    lan.start()
    threading.Thread(target=lan.serve, daemon=True).start()

    xvfb, display = start_xvfb(env)
    env["DISPLAY"] = display
    wm = program = None
    try:
        wm = start_window_manager(env)

        def start_and_list():
            lan.received.clear()
            p = subprocess.Popen([binary], env=env, cwd=work)
            ok = wait_until(lambda: visible(env, TITLE) is not None and listed(lan, (OPEN, LOCKED)))
            time.sleep(1)  # the answers become rows in the next turn of the event loop
            return p, ok

        program, ok = start_and_list()
        check(ok, "the window shows and the favourites are queried")

        # An open server: a double click starts the game.
        click_row(env, 0, repeat=2)
        first = launch(record, 1)
        check(bool(first), "a double click starts the game")
        check(first.get("args") == ["-game", "cstrike", "+connect", OPEN + ":27015"],
              "with exactly -game cstrike +connect %s:27015" % OPEN)
        check(first.get("cwd") == game, "in the game's own folder")
        check(wait_until(lambda: visible(env, TITLE) is None, 10), "the window hides to the tray")

        # A locked server: the password prompt, and the password as one argument.
        subprocess.run(["xdotool", "key", "shift+alt+s"], env=env)
        check(wait_until(lambda: visible(env, TITLE) is not None, 10), "Shift+Alt+S brings it back")
        click_row(env, 1, repeat=2)
        check(answer(env, "Password", "my pass"), "a locked server asks for the password")
        check(launch(record, 2).get("args") == ["-game", "cstrike", "+connect", LOCKED + ":27015",
                                     "+password", "my pass"],
              "with the password as one argument after +password")
        check(wait_until(lambda: visible(env, TITLE) is None, 10), "the window hides to the tray")

        stop(program)
        check(program.returncode == 0, "the program ends on SIGTERM with status 0")
        with open(ini, encoding="latin-1") as f:
            text = f.read()
        check("LastPass=my pass" in text, "the password is in the settings file")

        # The next start remembers it: OK alone joins with it.
        program, ok = start_and_list()
        check(ok, "the program runs again")
        click_row(env, 1, repeat=2)
        check(answer(env, "Password"), "the prompt opens again")
        check(launch(record, 3).get("args", [])[-2:] == ["+password", "my pass"],
              "OK alone starts the game with the remembered password")

        # Auto-connect: the dialog proposes one player less than the row shows
        # (6/20 gives "<= 5"); while the server has more, nothing happens.
        check(wait_until(lambda: visible(env, TITLE) is None, 10), "the window hides again")
        subprocess.run(["xdotool", "key", "shift+alt+s"], env=env)
        check(wait_until(lambda: visible(env, TITLE) is not None, 10), "and comes back")
        lan.servers[0]["players"] = 9
        # The pop-up menu opens over the row that was selected when the button
        # went down: select it first.
        click_row(env, 0)
        time.sleep(0.5)
        click_row(env, 0, button="3")
        time.sleep(0.5)
        # The pop-up menu: "Play", then "Auto connect".
        subprocess.run(["xdotool", "key", "--delay", "100", "Down", "Down", "Return"], env=env)
        check(answer(env, "Auto connect to " + OPEN), "it opens \"Auto connect to %s\"" % OPEN)
        check(wait_until(lambda: visible(env, "Auto connect to " + OPEN) is None, 10),
              "OK arms auto-connect")
        # Two polls (every 5 seconds) answer 9 players.
        polls = lambda: sum(1 for e in lan.received if e["server"].startswith(OPEN + ":")
                            and bytes.fromhex(e["data"])[4:5] == b"T")
        before = polls()
        wait_until(lambda: polls() >= before + 2, 15)
        check(len(recorded(record)) == 3, "9 players: no join")
        lan.servers[0]["players"] = 4
        joined = launch(record, 4)
        check(bool(joined), "4 players: auto-connect joins")
        # The password given earlier goes with every later join.
        check(joined.get("args") == ["-game", "cstrike", "+connect", OPEN + ":27015",
                                     "+password", "my pass"],
              "the server it watched, with the password given before")
        check(program.poll() is None, "the program still runs")
    finally:
        for p in (program, wm):
            stop(p)
        lan.stop()
        clean_up([], xvfb, work)
    finish()


if __name__ == "__main__":
    main()
