#!/usr/bin/env python3
"""Self-test of the fake LAN; runs in a private network namespace."""

import json
import os
import socket
import subprocess
import sys
import tempfile
import threading
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import fake_lan  # noqa: E402

CLIENT = ("127.0.0.1", 27005)


class Lan:
    """A fake LAN served from a thread, and a client socket on port 27005."""

    def __init__(self, servers):
        self.lan = fake_lan.FakeLan({"servers": servers, "lifetime": 30}).start()
        self.thread = threading.Thread(target=self.lan.serve, daemon=True)
        self.thread.start()
        self.client = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.client.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
        self.client.bind(CLIENT)

    def ask(self, target, data, answers=1):
        self.client.sendto(data, target)
        got = []
        self.client.settimeout(5)
        for _ in range(answers):
            got.append(self.client.recvfrom(2048))
        return got

    def first_answer_after(self, target, unanswered, answered):
        """Sends two requests to one server; the first answer that comes back
        shows whether the first request got one (a socket keeps their order)."""
        self.client.sendto(unanswered, target)
        return self.ask(target, answered)[0][0]

    def wait_heard(self, server, count):
        for _ in range(500):
            if sum(r["server"] == server for r in self.lan.received) >= count:
                return True
            threading.Event().wait(0.01)
        return False

    def close(self):
        self.lan.stop()
        self.thread.join()
        self.lan.close()
        self.client.close()


class FakeLanTest(unittest.TestCase):
    def setUp(self):
        self.net = None

    def tearDown(self):
        if self.net:
            self.net.close()

    def test_each_kind_answers_its_own_request(self):
        self.net = Lan([
            {"address": "127.0.0.5", "kind": "goldsrc", "name": "Gold",
             "stated_address": "127.0.0.5:27016"},
            {"address": "127.0.0.9", "kind": "source", "name": "Src", "port": 27016},
            {"address": "127.0.0.20", "kind": "old", "name": "Old"},
            {"address": "127.0.0.21", "kind": "silent"},
        ])
        (data, sender), = self.net.ask(("127.0.0.5", 27015), fake_lan.INFO_REQUEST)
        self.assertEqual(sender, ("127.0.0.5", 27015))
        self.assertTrue(data.startswith(b"\xff\xff\xff\xffm127.0.0.5:27016\x00Gold\x00"))
        (data, sender), = self.net.ask(("127.0.0.9", 27016), fake_lan.INFO_REQUEST)
        self.assertEqual(data[:6], b"\xff\xff\xff\xffI\x07")
        self.assertEqual(data[6:10], b"Src\x00")
        (data, _), = self.net.ask(("127.0.0.20", 27015), fake_lan.OLD_INFO_REQUEST)
        self.assertEqual(data[14:15] + data[21:22], b"re")
        self.assertIn(b"\\hostname\\Old\\", data)
        # The old server ignores the info request, GoldSrc the old request.
        data = self.net.first_answer_after(("127.0.0.20", 27015), fake_lan.INFO_REQUEST,
                                           fake_lan.OLD_INFO_REQUEST)
        self.assertEqual(data[4:5], b"i")
        data = self.net.first_answer_after(("127.0.0.5", 27015), fake_lan.OLD_INFO_REQUEST,
                                           fake_lan.INFO_REQUEST)
        self.assertEqual(data[4:5], b"m")
        # The silent one only listens.
        self.net.client.sendto(fake_lan.INFO_REQUEST, ("127.0.0.21", 27015))
        self.assertTrue(self.net.wait_heard("127.0.0.21:27015", 1))
        entry = [r for r in self.net.lan.received if r["server"] == "127.0.0.21:27015"][0]
        self.assertEqual((entry["from"], bytes.fromhex(entry["data"])),
                         ("127.0.0.1:27005", fake_lan.INFO_REQUEST))

    def test_broadcast_is_heard_and_answered_from_the_own_address(self):
        self.net = Lan([{"address": "127.0.0.7", "broadcast": True},
                        {"address": "127.0.0.8"}])
        (data, sender), = self.net.ask((fake_lan.BROADCAST, 27015), fake_lan.INFO_REQUEST)
        self.assertEqual(sender, ("127.0.0.7", 27015))
        self.assertEqual(data[4:5], b"m")
        vias = [(r["server"], r["via"]) for r in self.net.lan.received]
        self.assertEqual(vias, [("127.0.0.7:27015", "broadcast")])

    def test_challenge_then_players_and_split_rules(self):
        rules = [["rule%03d" % i, "value%03d" % i] for i in range(120)]
        self.net = Lan([{"address": "127.0.0.3", "challenge": "0a0b0c0d", "rules": rules,
                         "split_rules": True, "player_list": [["Ann", 7], ["Bob", -1]]}])
        target = ("127.0.0.3", 27015)
        player_query = b"\xff\xff\xff\xffUSource Engine Query\x00"
        (data, _), = self.net.ask(target, player_query)
        self.assertEqual(data, b"\xff\xff\xff\xffA\x0a\x0b\x0c\x0d")
        (data, _), = self.net.ask(target, b"\xff\xff\xff\xffU\x0a\x0b\x0c\x0d")
        self.assertEqual(data[:7], b"\xff\xff\xff\xffD\x02\x00")
        self.assertEqual(data[7:11], b"Ann\x00")
        first, second = self.net.ask(target, b"\xff\xff\xff\xffV\x0a\x0b\x0c\x0d", answers=2)
        self.assertEqual(len(first[0]), 1400)
        whole = first[0][9:] + second[0][9:]
        self.assertEqual(whole[:7], b"\xff\xff\xff\xffE\x78\x00")
        self.assertTrue(whole.endswith(b"rule119\x00value119\x00"))

    def test_split_rules_in_the_source_form(self):
        rules = [["rule%03d" % i, "value%03d" % i] for i in range(200)]
        self.net = Lan([{"address": "127.0.0.3", "rules": rules, "split_rules": "source"}])
        parts = self.net.ask(("127.0.0.3", 27015), b"\xff\xff\xff\xffV\x00\x00\x00\x00",
                             answers=3)
        headers = [data[:12] for data, _ in parts]
        self.assertEqual([h[:4] for h in headers], [b"\xfe\xff\xff\xff"] * 3)
        self.assertEqual([(h[8], h[9]) for h in headers], [(3, 0), (3, 1), (3, 2)])
        whole = b"".join(data[12:] for data, _ in parts)
        self.assertEqual(whole[:7], b"\xff\xff\xff\xffE\xc8\x00")
        self.assertTrue(whole.endswith(b"rule199\x00value199\x00"))

    def test_info_challenge_is_asked_for_before_the_info_answer(self):
        self.net = Lan([{"address": "127.0.0.4", "kind": "source", "info_challenge": "01020304"}])
        target = ("127.0.0.4", 27015)
        (data, _), = self.net.ask(target, fake_lan.INFO_REQUEST)
        self.assertEqual(data, b"\xff\xff\xff\xffA\x01\x02\x03\x04")
        (data, _), = self.net.ask(target, fake_lan.INFO_REQUEST + b"\x01\x02\x03\x04")
        self.assertEqual(data[4:5], b"I")

    def test_a_delayed_answer_comes_after_an_immediate_one(self):
        self.net = Lan([{"address": "127.0.0.40", "answer_delay_ms": 1500, "name": "Slow"},
                        {"address": "127.0.0.41", "name": "Quick"}])
        self.net.client.sendto(fake_lan.INFO_REQUEST, ("127.0.0.40", 27015))
        (first, _), = self.net.ask(("127.0.0.41", 27015), fake_lan.INFO_REQUEST)
        (second, _), = self.net.ask(("127.0.0.40", 27015), b"unanswered")
        self.assertIn(b"Quick", first)
        self.assertIn(b"Slow", second)

    def test_players_sequence_moves_on_with_each_info_answer(self):
        self.net = Lan([{"address": "127.0.0.5", "players_sequence": [12, 7, 5]}])
        counts = []
        for _ in range(4):
            (data, _), = self.net.ask(("127.0.0.5", 27015), fake_lan.INFO_REQUEST)
            fields = data[5:].split(b"\x00", 5)
            counts.append(fields[5][0])
        self.assertEqual(counts, [12, 7, 5, 5])

    def test_refuses_addresses_off_loopback(self):
        with self.assertRaises(ValueError):
            fake_lan.FakeLan({"servers": [{"address": "192.168.0.5"}]})

    def test_program_prints_ready_and_logs_what_it_heard(self):
        with tempfile.TemporaryDirectory() as tmp:
            log = os.path.join(tmp, "received.jsonl")
            config = os.path.join(tmp, "config.json")
            with open(config, "w") as f:
                json.dump({"log": log, "lifetime": 30,
                           "servers": [{"address": "127.0.0.30", "kind": "source"}]}, f)
            script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fake_lan.py")
            proc = subprocess.Popen([sys.executable, script, config], stdout=subprocess.PIPE)
            with proc:
                self.assertTrue(proc.stdout.readline().startswith(b"READY"))
                client = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
                client.settimeout(5)
                client.sendto(fake_lan.INFO_REQUEST, ("127.0.0.30", 27015))
                self.assertEqual(client.recvfrom(2048)[0][4:5], b"I")
                client.close()
                proc.terminate()
                self.assertEqual(proc.wait(timeout=10), 0)
            with open(log) as f:
                entry = json.loads(f.readline())
            self.assertEqual(entry["server"], "127.0.0.30:27015")
            self.assertEqual(bytes.fromhex(entry["data"]), fake_lan.INFO_REQUEST)


if __name__ == "__main__":
    unittest.main()
