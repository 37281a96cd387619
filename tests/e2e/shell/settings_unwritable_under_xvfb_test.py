#!/usr/bin/env python3
"""The real program on a virtual X display of its own, with a settings file
that cannot be written (zarnek.ini is a folder).

Closed by the user, it reports the failed write in a box whose caption is
exactly "Error" (the window system shows the program's captions as they are,
with nothing appended) and ends when the box is answered. Ended by SIGTERM, it
reports the failed write on standard error instead and ends without waiting for
anyone. Run inside a private network namespace; usage:
settings_unwritable_under_xvfb_test.py <path of the zarnek executable>.
"""
import ctypes
import os
import signal
import subprocess
import sys
import time

from program_under_xvfb import TITLE, check, finish, clean_up, private_copy, start_xvfb, wait_until

def window_names(env):
    """The title of every visible window, as the window system has it."""
    r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."],
                       env=env, capture_output=True, text=True)
    names = []
    for w in r.stdout.split():
        p = subprocess.run(["xdotool", "getwindowname", w], env=env, capture_output=True, text=True)
        if p.returncode == 0 and p.stdout.strip():
            names.append((w, p.stdout.rstrip("\n")))
    return names


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def close_as_user(display, window):
    """What the close button of a window manager does: WM_DELETE_WINDOW."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(XEvent)]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    dpy = x11.XOpenDisplay(display.encode())
    if not dpy:
        return False
    event = XEvent()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = window
    event.xclient.message_type = x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
    event.xclient.data[1] = 0  # CurrentTime
    x11.XSendEvent(dpy, window, 0, 0, ctypes.byref(event))
    x11.XFlush(dpy)
    x11.XCloseDisplay(dpy)
    return True


def start(binary, env, work):
    return subprocess.Popen([binary], env=env, cwd=work, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True)


def ended(process, limit):
    try:
        process.wait(timeout=limit)
        return True
    except subprocess.TimeoutExpired:
        return False


def main():
    work, binary, env = private_copy(os.path.abspath(sys.argv[1]), "zarnek-unwritable-")
    # A folder where the file should be: reading finds nothing, every write fails.
    ini = os.path.join(work, "bin", "zarnek.ini")
    os.mkdir(ini)

    xvfb, display = start_xvfb(env)
    env["DISPLAY"] = display
    running = []
    try:
        # Closed by the user: the box, with the program's own caption.
        first = start(binary, env, work)
        running.append(first)
        check(wait_until(lambda: [n for _, n in window_names(env)] == [TITLE] or first.poll() is not None),
              "the main window shows, titled exactly " + TITLE)
        main_window = [w for w, n in window_names(env) if n == TITLE]
        check(len(main_window) == 1 and close_as_user(display, int(main_window[0])),
              "the window is closed as a window manager closes it")
        check(wait_until(lambda: any(n != TITLE for _, n in window_names(env)) or first.poll() is not None),
              "a box opens")
        # The main window may not have gone from the list yet; the box is
        # what is checked.
        shown = [(w, n) for w, n in window_names(env) if n != TITLE]
        names = [n for _, n in shown]
        boxes = [w for w, _ in shown]
        print("     boxes: %r" % names)
        check(names == ["Error"], "its caption is exactly \"Error\"")
        if boxes:
            subprocess.run(["xdotool", "windowactivate", "--sync", boxes[0]], env=env,
                           capture_output=True)
            subprocess.run(["xdotool", "key", "--window", boxes[0], "Return"], env=env,
                           capture_output=True)
        check(ended(first, 20) and first.returncode == 0, "answering the box ends the program")

        # Ended by SIGTERM: no box, a line on standard error, and the end.
        second = start(binary, env, work)
        running.append(second)
        check(wait_until(lambda: [n for _, n in window_names(env)] == [TITLE] or second.poll() is not None),
              "the program runs again")
        started = time.monotonic()
        second.send_signal(signal.SIGTERM)
        done = ended(second, 20)
        print("     SIGTERM ended it after %.0f ms" % ((time.monotonic() - started) * 1000))
        check(done and second.returncode == 0, "SIGTERM ends it by itself, with status 0")
        if done:
            err = second.stderr.read()
            check("Unable to write to " + ini in err, "the failed write is on standard error: %r" % err)
    finally:
        clean_up(running, xvfb, work)
    finish()


if __name__ == "__main__":
    main()
