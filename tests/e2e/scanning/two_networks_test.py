#!/usr/bin/env python3
"""A machine on two networks, each with servers on 27015, 27016 and 27020 of
one host: the broadcast of the window's scan and of `zarnek-query scan
--broadcast` finds all six. Runs inside a private network namespace (the
networks are made inside it and removed after each test).

    two_networks_test.py ZARNEK_QUERY WINDOW_TEST FAKE_LAN_DIR
"""

import json
import os
import subprocess
import sys
import tempfile
import unittest

QUERY, WINDOW_TEST, FAKE_LAN_DIR = sys.argv[1:4]
del sys.argv[1:4]
sys.path.insert(0, FAKE_LAN_DIR)
from two_networks import TwoNetworks  # noqa: E402


def udp_sent():
    """UDP datagrams this namespace has sent so far."""
    with open("/proc/net/snmp", encoding="ascii") as f:
        lines = [line.split() for line in f if line.startswith("Udp:")]
    return int(lines[1][lines[0].index("OutDatagrams")])


class TwoNetworksTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.TemporaryDirectory()
        self.lans = TwoNetworks(FAKE_LAN_DIR, self.work.name).__enter__()

    def tearDown(self):
        self.lans.__exit__(None, None, None)
        self.work.cleanup()

    def expected(self):
        return sorted("%s:%d" % s for s in self.lans.servers)

    def test_the_window_lists_the_servers_of_both_networks(self):
        env = dict(os.environ, ZARNEK_TWO_NETWORK_SERVERS=" ".join(self.expected()),
                   QT_QPA_PLATFORM="offscreen")
        done = subprocess.run([WINDOW_TEST], env=env, capture_output=True, text=True,
                              timeout=120)
        sys.stdout.write(done.stdout)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        self.assertNotIn("SKIPPED", done.stdout)

    def test_zarnek_query_broadcast_lists_them_all(self):
        before = udp_sent()
        done = subprocess.run([QUERY, "scan", "--broadcast", "--json", "--wait", "1000"],
                              capture_output=True, text=True, timeout=60)
        sent = udp_sent() - before
        self.assertEqual(done.returncode, 0, done.stderr)
        listed = sorted("%s:%s" % (r["address"], r["port"]) for r in json.loads(done.stdout))
        self.assertEqual(listed, self.expected())
        # Both networks' broadcasts, on the scan port and the 13 other ports.
        self.assertEqual(sent, 2 * 14)
        heard = {(h["server"], h["via"]) for h in self.lans.heard()}
        self.assertEqual(heard, {(s, "broadcast") for s in self.expected()})


if __name__ == "__main__":
    unittest.main()
