"""What the tests of the real program on a virtual X display share: a display
of their own, a private copy of the program with its own folders, checks that
print as they go, and waits that guard against a hang."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

TITLE = "Zarnek_v1.98"
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)


def finish():
    if failures:
        sys.exit("%d check(s) failed" % len(failures))


def wait_until(predicate, limit=30.0):
    # A guard against hanging, not a measure of speed.
    end = time.monotonic() + limit
    while time.monotonic() < end:
        if predicate():
            return True
        time.sleep(0.05)
    return predicate()


def start_xvfb(env):
    """An Xvfb on a free display; returns the process and the display name."""
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(
        # -noreset: a server that resets when its last client leaves makes its
        # socket again if the file under /tmp/.X11-unix is gone, and the file
        # is shared: an Xvfb of another test, in another network namespace,
        # may hold the same display number and remove it when it ends. A
        # program started right then could not connect.
        ["Xvfb", "-displayfd", str(write_fd), "-nolisten", "tcp", "-noreset",
         "-screen", "0", "1024x768x24"],
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


def stop_xvfb(xvfb):
    xvfb.terminate()
    try:
        xvfb.wait(timeout=10)
    except subprocess.TimeoutExpired:
        xvfb.kill()


def start_window_manager(env):
    """icewm, a window manager with a task bar and a tray, on env's display;
    returns once it manages the display."""
    if shutil.which("icewm") is None:
        sys.exit("icewm is missing: run scripts/install-deps.sh")
    wm = subprocess.Popen(["icewm"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_until(lambda: "_NET_SUPPORTING_WM_CHECK" in subprocess.run(
        ["xprop", "-root"], env=env, capture_output=True, text=True).stdout)
    return wm


def stop(process, limit=20):
    """Asks a program to end (SIGTERM) and kills it when it will not."""
    if process and process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=limit)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def clean_up(processes, xvfb, work):
    """Kills the programs still running, ends the display, removes the folder."""
    for p in processes:
        if p and p.poll() is None:
            p.kill()
            p.wait()
    stop_xvfb(xvfb)
    shutil.rmtree(work, ignore_errors=True)


def private_copy(program, prefix):
    """A folder with a copy of the program (so its settings file lands there),
    a runtime folder, a home and a temporary folder; returns the folder, the
    copy and an environment that uses them on the xcb platform."""
    for tool in ("Xvfb", "xdotool"):
        if shutil.which(tool) is None:
            sys.exit(tool + " is missing: run scripts/install-deps.sh")
    work = tempfile.mkdtemp(prefix=prefix)
    runtime = os.path.join(work, "runtime")
    os.mkdir(runtime, 0o700)
    for d in ("bin", "home", "tmp"):
        os.mkdir(os.path.join(work, d))
    binary = os.path.join(work, "bin", "zarnek")
    shutil.copy2(program, binary)
    env = {k: v for k, v in os.environ.items() if not k.startswith(("DBUS_", "QT_", "WAYLAND", "XDG_SESSION"))}
    env.update(TMPDIR=os.path.join(work, "tmp"), XDG_RUNTIME_DIR=runtime,
               HOME=os.path.join(work, "home"), XDG_CONFIG_HOME=os.path.join(work, "home", ".config"),
               QT_QPA_PLATFORM="xcb")
    return work, binary, env
