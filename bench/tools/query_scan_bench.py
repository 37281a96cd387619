#!/usr/bin/env python3
"""Figures of `zarnek-query scan` over 1000 fake servers on loopback, beside a
bare loop that sends the same info requests and only collects the answers.
Prints figures; asserts nothing. Runs inside a private network namespace:

    netns-run.sh python3 query_scan_bench.py ZARNEK_QUERY BARE_LOOP FAKE_LAN_DIR [WAIT_MS [ROUNDS]]
"""

import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

QUERY, BARE, FAKE_LAN_DIR = sys.argv[1:4]
WAIT = sys.argv[4] if len(sys.argv) > 4 else "1000"
ROUNDS = int(sys.argv[5]) if len(sys.argv) > 5 else 5

# 1000 addresses in the window's range walk: the last octet runs 1..254 in
# the blocks of third octet 1, 2 and 3, and 1..238 in the last one.
RANGE = "127.0.1.1-127.0.4.238"
KINDS = ["goldsrc", "source"]


def servers():
    result = []
    for third in range(1, 5):
        for last in range(1, 239 if third == 4 else 255):
            n = len(result)
            result.append({"address": "127.0.%d.%d" % (third, last), "port": 27015,
                           "kind": KINDS[n % 2], "name": "Bench server %d" % n,
                           "players": n % 21, "max": 20})
    return result


def timed(args):
    start = time.monotonic()
    done = subprocess.run(args, capture_output=True, text=True, timeout=600)
    wall = (time.monotonic() - start) * 1000.0
    if done.returncode != 0:
        raise SystemExit("%s failed: %s" % (args[0], done.stderr))
    return wall, done.stdout


def main():
    config_servers = servers()
    assert len(config_servers) == 1000
    with tempfile.TemporaryDirectory() as tmp:
        config = os.path.join(tmp, "lan.json")
        with open(config, "w", encoding="utf-8") as f:
            json.dump({"lifetime": 900, "servers": config_servers}, f)
        lan = subprocess.Popen([sys.executable, os.path.join(FAKE_LAN_DIR, "fake_lan.py"), config],
                               stdout=subprocess.PIPE, text=True)
        try:
            if not lan.stdout.readline().startswith("READY"):
                raise SystemExit("the fake LAN did not start")
            tool, bare = [], []
            for _ in range(ROUNDS):
                wall, out = timed([QUERY, "scan", "--json", "--wait", WAIT, RANGE])
                tool.append((wall, len(json.loads(out)) if out else 0))
                wall, out = timed([BARE, WAIT, "27015", RANGE])
                bare.append((wall, int(out.split()[3])))
        finally:
            lan.terminate()
            lan.wait()

    def line(name, runs):
        walls = [w for w, _ in runs]
        listed = [n for _, n in runs]
        print("%-20s wall ms median %7.1f (min %7.1f, max %7.1f); servers listed %s"
              % (name, statistics.median(walls), min(walls), max(walls), listed))
        return statistics.median(walls)

    print("1000 fake servers on loopback, range %s, --wait %s ms, %d rounds"
          % (RANGE, WAIT, ROUNDS))
    t = line("zarnek-query scan", tool)
    b = line("bare send/collect", bare)
    print("ratio zarnek-query / bare loop: %.3f" % (t / b))
    print("beyond the wait: zarnek-query %.1f ms, bare loop %.1f ms"
          % (t - float(WAIT), b - float(WAIT)))


if __name__ == "__main__":
    main()
