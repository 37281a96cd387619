"""What the tests of the real program under Xvfb share: the list of checks,
waiting with a hang guard, and an Xvfb display of the test's own."""
import os
import subprocess
import sys
import time

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)


def wait_until(predicate, limit=30.0):
    # A guard against hanging, not a measure of speed.
    end = time.monotonic() + limit
    while time.monotonic() < end:
        if predicate():
            return True
        time.sleep(0.05)
    return predicate()


def start_xvfb(env):
    """Starts Xvfb on a free display; returns the process and ":N"."""
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-nolisten", "tcp", "-screen", "0", "1024x768x24"],
        pass_fds=(write_fd,), env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    number = b""
    with os.fdopen(read_fd, "rb") as pipe:
        while not number.endswith(b"\n"):
            chunk = pipe.read(1)
            if not chunk:
                break
            number += chunk
    if not number.strip():
        xvfb.kill()
        sys.exit("Xvfb did not start")
    return xvfb, ":" + number.decode().strip()


def stop(process, limit=20):
    if process and process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=limit)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def finish():
    if failures:
        sys.exit("%d check(s) failed" % len(failures))
