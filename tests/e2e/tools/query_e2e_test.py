#!/usr/bin/env python3
"""zarnek-query against the fake LAN, in a private network namespace.

    query_e2e_test.py ZARNEK_QUERY FAKE_LAN_DIR TEST_DATA_DIR
"""

import json
import os
import socket
import subprocess
import sys
import threading
import time
import unittest

QUERY, FAKE_LAN_DIR, TEST_DATA = sys.argv[1:4]
del sys.argv[1:4]
sys.path.insert(0, FAKE_LAN_DIR)
import fake_lan  # noqa: E402

WAIT = "500"
KEYS = ["game", "icon", "name", "address", "port", "pt", "map", "players", "os", "os_icon",
        "availability", "a_icon", "ping_ms"]

# Real servers number the fragments of a GoldSrc split answer 0x02 and 0x12
# (packet number high, count low), and the recorded answers are the best
# witness of what arrives. So a server may serve recorded rules fragments.
_generated_rules = fake_lan.rules_answer


def _rules_answer(s):
    if s.get("rules_files"):
        parts = []
        for name in s["rules_files"]:
            with open(os.path.join(TEST_DATA, name), "rb") as f:
                parts.append(f.read())
        return parts
    return _generated_rules(s)


fake_lan.rules_answer = _rules_answer


class Lan:
    def __init__(self, servers):
        self.lan = fake_lan.FakeLan({"servers": servers, "lifetime": 300}).start()
        self.thread = threading.Thread(target=self.lan.serve, daemon=True)
        self.thread.start()

    def heard(self, server):
        return [r for r in list(self.lan.received) if r["server"] == server]

    def close(self):
        self.lan.stop()
        self.thread.join()
        self.lan.close()


def query(*args):
    return subprocess.run([QUERY, *args], capture_output=True, text=True, timeout=120)


def server(address, **fields):
    return dict(address=address, **fields)


def row(game, icon, name, address, pt, players, os_name, availability, port="27015",
        map_name="de_dust2"):
    os_icon = {"WIN": 13, "LIN": 14}[os_name]
    a_icon = {"open": 8, "full": 9, "password": 10, "": None}[availability]
    return {"game": game, "icon": icon, "name": name, "address": address, "port": port,
            "pt": pt, "map": map_name, "players": players, "os": os_name,
            "os_icon": os_icon, "availability": availability, "a_icon": a_icon}


SCAN_SERVERS = [
    server("127.0.0.2", name="Gold"),
    server("127.0.0.3", kind="source", name="Source box", protocol=7, players=12, max=16,
           os="w", password=1),
    server("127.0.0.4", kind="old", name="Old box", players=16, max=16, os="w"),
    server("127.0.0.5", name="Relay", description="HLTV", protocol=46),
    server("127.0.0.6", kind="source", name="Deathmatch box", description="Deathmatch"),
    server("127.0.0.7", name="Lambda", description="Half-Life", players=20, max=20),
    server("127.0.0.8", name="Zero", description="Condition Zero"),
    server("127.0.0.9", name="Echo", info_copies=3),
    server("127.0.0.10", kind="silent"),
    server("127.0.0.11", kind="source", name="Challenger", info_challenge="01020304"),
    server("127.0.0.12", name="Fortress", description="Team Fortress", gamedir="tfc"),
    server("127.0.0.13", kind="old", name="Quake box", description="Quake"),
    server("127.0.0.14", name="Caf\u00e9 \u00e9t\u00e9"),
    server("127.0.0.20", port=27020, name="Tv", description="HLTV", protocol=48),
    server("127.0.0.40", port=27016, name="Heard by all", broadcast=True),
]

# What the server list shows for 127.0.0.2-127.0.0.15 with the old requests.
EXPECTED_ROWS = {r["address"]: r for r in [
    row("1.6", 0, "Gold", "127.0.0.2", "47", "5/20", "LIN", "open"),
    row("CSS", 3, "Source box", "127.0.0.3", "7", "12/16", "WIN", "password"),
    row("1.6", 0, "Old box", "127.0.0.4", "47", "16/16", "WIN", "full"),
    row("1.5", 4, "Relay", "127.0.0.5", "46", "5/20", "LIN", "open"),
    row("HL2", 5, "Deathmatch box", "127.0.0.6", "7", "5/20", "LIN", "open"),
    row("HL", 2, "Lambda", "127.0.0.7", "47", "20/20", "LIN", "full"),
    row("CZ", 1, "Zero", "127.0.0.8", "47", "5/20", "LIN", "open"),
    row("1.6", 0, "Echo", "127.0.0.9", "47", "5/20", "LIN", "open"),
    row("CSS", 3, "Challenger", "127.0.0.11", "7", "5/20", "LIN", "open"),
    row("?", 0, "Quake box", "127.0.0.13", "47", "5/20", "LIN", "open"),
    row("1.6", 0, "Caf\u00e9 \u00e9t\u00e9", "127.0.0.14", "47", "5/20", "LIN", "open"),
]}

DETAIL_SERVERS = [
    server("127.0.1.2", challenge="0a0b0c0d",
           player_list=[["bob", 1], ["alice", 9], ["neg", -3], ["Zo\u00eb", 4]],
           rules=[["mp_timelimit", "20"], ["sv_gravity", "800"], ["a b", "c\\d"]]),
    server("127.0.1.3", rules_files=["rules/cs16_sgk_goldsrc_split_gameq_p0.bin",
                                     "rules/cs16_sgk_goldsrc_split_gameq_p1.bin"]),
    server("127.0.1.4", kind="source",
           rules_files=["rules/css_plaguefest_split_gameq_p0.bin",
                        "rules/css_plaguefest_split_gameq_p1.bin"]),
    server("127.0.1.5", kind="silent"),
]


class QueryTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.net = Lan(SCAN_SERVERS + DETAIL_SERVERS)

    @classmethod
    def tearDownClass(cls):
        cls.net.close()

    def run_ok(self, *args):
        done = query(*args)
        self.assertEqual(done.returncode, 0, done.stderr)
        return done

    def scan_json(self, *args):
        return json.loads(self.run_ok("scan", "--json", "--wait", WAIT, *args).stdout)

    # --- scan ---------------------------------------------------------------

    def test_scan_lists_each_kind_of_server_as_the_window_does(self):
        rows = self.scan_json("--old", "127.0.0.2-127.0.0.15")
        for r in rows:
            self.assertEqual(list(r), KEYS)
            self.assertIsInstance(r["ping_ms"], int)
            self.assertGreaterEqual(r["ping_ms"], 0)
        # One row per server: the repeated answers of 127.0.0.9, the old
        # answers of servers listed from their info answer, the silent
        # address and the game the program does not know add nothing.
        self.assertEqual(sorted(r["address"] for r in rows), sorted(EXPECTED_ROWS))
        for r in rows:
            got = {k: v for k, v in r.items() if k != "ping_ms"}
            self.assertEqual(got, EXPECTED_ROWS[r["address"]])

    def test_lines_carry_the_same_cells(self):
        text = self.run_ok("scan", "--old", "--wait", WAIT, "127.0.0.2-127.0.0.15").stdout
        lines = text.splitlines()
        self.assertEqual(len(lines), len(EXPECTED_ROWS))
        for line in lines:
            cells = line.split("\t")
            self.assertEqual(len(cells), 10, line)
            e = EXPECTED_ROWS[cells[2]]
            self.assertEqual(cells[:9], [e[k] for k in ("game", "name", "address", "port", "pt",
                                                       "map", "players", "os", "availability")])
            self.assertTrue(cells[9].isdigit(), line)

    def test_scan_port_choice(self):
        self.assertEqual(query("scan", "--wait", WAIT, "127.0.0.20").stdout, "")
        tv = self.scan_json("--hltv", "127.0.0.20")
        self.assertEqual([(r["game"], r["icon"], r["port"]) for r in tv], [("1.6", 4, "27020")])
        self.assertEqual(len(self.scan_json("127.0.0.20:27020")), 1)

    def test_nothing_answered(self):
        done = self.run_ok("scan", "--wait", WAIT, "127.0.0.10", "127.0.0.30-127.0.0.31")
        self.assertEqual(done.stdout, "")
        self.assertEqual(done.stderr, "zarnek-query: no server listed; 3 targets probed\n")

    def test_broadcast_only_when_asked(self):
        self.run_ok("scan", "--port", "27016", "--wait", WAIT, "127.0.0.41")
        self.assertEqual([h for h in self.net.heard("127.0.0.40:27016")
                          if h["via"] == "broadcast"], [])
        rows = self.scan_json("--broadcast", "--port", "27016")
        self.assertEqual([(r["name"], r["address"]) for r in rows],
                         [("Heard by all", "127.0.0.40")])
        self.assertTrue(any(h["via"] == "broadcast" for h in self.net.heard("127.0.0.40:27016")))

    def test_local_port(self):
        self.run_ok("scan", "--local-port", "40001", "--wait", "0", "127.0.0.2")
        # With no wait the tool may end before the fake server has logged what
        # it heard: give the server a moment (a hang guard, not a measure).
        deadline = time.monotonic() + 10
        while (time.monotonic() < deadline and "127.0.0.1:40001"
               not in [h["from"] for h in self.net.heard("127.0.0.2:27015")]):
            time.sleep(0.05)
        self.assertIn("127.0.0.1:40001", [h["from"] for h in self.net.heard("127.0.0.2:27015")])
        with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as taken:
            taken.bind(("0.0.0.0", 40002))
            done = query("scan", "--local-port", "40002", "127.0.0.2")
        self.assertEqual(done.returncode, 1)
        self.assertEqual(done.stdout, "")
        self.assertEqual(done.stderr, "zarnek-query: cannot bind local UDP port 40002\n")

    # --- details ------------------------------------------------------------

    def test_details_follow_the_challenge(self):
        done = self.run_ok("details", "--json", "--wait", WAIT, "127.0.1.2")
        self.assertEqual(json.loads(done.stdout), {
            "players": [{"name": "alice", "frags": 9}, {"name": "Zo\u00eb", "frags": 4},
                        {"name": "bob", "frags": 1}, {"name": "neg", "frags": -3}],
            "rules": [{"name": "mp_timelimit", "value": "20"},
                      {"name": "sv_gravity", "value": "800"}, {"name": "a b", "value": "c\\d"}],
        })
        sent = [bytes.fromhex(h["data"]) for h in self.net.heard("127.0.1.2:27015")]
        challenged = bytes.fromhex("ffffffff") + b"U" + bytes.fromhex("0a0b0c0d")
        self.assertIn(challenged, sent)
        self.assertEqual(sent[:2], [bytes.fromhex("ffffffff") + b"V" + b"Source Engine Query\0",
                                    bytes.fromhex("ffffffff") + b"U" + b"Source Engine Query\0"])

        text = self.run_ok("details", "--wait", WAIT, "127.0.1.2:27015").stdout
        self.assertEqual(text, "NickName\tFrags\nalice\t9\nZo\u00eb\t4\nbob\t1\nneg\t-3\n\n"
                               "Rule\tValue\nmp_timelimit\t20\nsv_gravity\t800\na b\tc\\d\n")

    def test_split_rules_answers(self):
        # (server, rules announced, first rule, last rule), from the recorded answers.
        cases = [
            ("127.0.1.3", 98, ["_tutor_bomb_viewable_check_interval", "0.5"],
             ["WalkGuard", "1.3.2"]),
            ("127.0.1.4", 101, ["bot_quota", "0"], ["webshortcutsredux_version", "1.1"]),
        ]
        for address, count, first, last in cases:
            with self.subTest(address=address):
                rules = json.loads(self.run_ok("details", "--json", "--wait", WAIT,
                                               address).stdout)["rules"]
                pairs = [[r["name"], r["value"]] for r in rules]
                self.assertEqual(len(pairs), count)
                self.assertEqual((pairs[0], pairs[-1]), (first, last))

    def test_details_of_a_silent_server(self):
        done = self.run_ok("details", "--wait", WAIT, "127.0.1.5")
        self.assertEqual(done.stdout, "")
        self.assertEqual(done.stderr, "zarnek-query: no players or rules answer from "
                                      "127.0.1.5:27015; 1 target probed\n")

    # --- the command line ---------------------------------------------------

    def test_malformed_command_lines_exit_2(self):
        lines = [
            [], ["frobnicate"], ["scan"], ["scan", "1.2.3"], ["scan", "1.2.3.256"],
            ["scan", "localhost"], ["scan", "127.0.0.1:0"], ["scan", "127.0.0.1:65536"],
            ["scan", "127.0.0.1-"], ["scan", "--port", "0", "127.0.0.1"],
            ["scan", "--port", "x", "127.0.0.1"], ["scan", "--port"],
            ["scan", "--hltv", "--port", "27016", "127.0.0.1"], ["scan", "--delay", "-1", "1.2.3.4"],
            ["scan", "--wait", "1s", "127.0.0.1"], ["scan", "--json=1", "127.0.0.1"],
            ["scan", "--bogus", "127.0.0.1"], ["scan", "--local-port", "70000", "127.0.0.1"],
            ["details"], ["details", "127.0.0.1", "127.0.0.2"], ["details", "127.0.0.1-127.0.0.2"],
            ["details", "--port", "27016", "127.0.0.1"], ["details", "127.0.0.1:x"],
        ]
        for args in lines:
            with self.subTest(args=args):
                done = query(*args)
                self.assertEqual(done.returncode, 2)
                self.assertEqual(done.stdout, "")
                self.assertRegex(done.stderr, r"^zarnek-query: [^\n]+\n$")

    def test_help(self):
        for args in (["--help"], ["scan", "--help"], ["details", "-h"]):
            with self.subTest(args=args):
                done = self.run_ok(*args)
                self.assertTrue(done.stdout.startswith("Usage:"))


if __name__ == "__main__":
    unittest.main(verbosity=2)
