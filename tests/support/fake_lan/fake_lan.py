#!/usr/bin/env python3
"""A fake LAN of game servers for the tests: UDP sockets on chosen loopback
addresses and ports that answer the info, players and rules requests the way
GoldSrc, Source and old-protocol servers do, or stay silent, and record every
datagram they receive.

Run it as a program with a JSON configuration file:

    fake_lan.py CONFIG.json

It binds every socket, prints READY on standard output and then serves until
SIGTERM or SIGINT, or until the configuration's "lifetime" (seconds, default
120) runs out, so a forgotten process ends by itself. Every received datagram
is appended to the "log" file (one JSON object a line, flushed at once):
{"server": "127.0.0.5:27015", "from": "127.0.0.1:27005",
 "via": "unicast" | "broadcast", "data": "<hex>"}.

The configuration:

    {"log": "/tmp/x/received.jsonl", "lifetime": 60,
     "servers": [{"address": "127.0.0.5", "port": 27015, "kind": "goldsrc",
                  ...server fields...}]}

Server fields (all optional except address):
  port         27015
  kind         "goldsrc" (answers the info request with 'm'), "source" ('I'),
               "old" (answers only the old text info request), "silent"
  old          true: a goldsrc or source server also answers the old request
  broadcast    true: also hears datagrams sent to 127.255.255.255 on its port
  bind_any     true: the socket is bound to 0.0.0.0 as real servers bind it,
               so it hears unicast and directed broadcasts of every network
               of its namespace; "address" is then the server's address on
               its network and need not be loopback. Only for a process run
               inside a network namespace the test made for it.
  name, map, gamedir, description, players, max, protocol, os, password,
  bots, server_type, stated_address ("address:port" by default), proxy
  player_list  [[name, frags], ...]           for the players answer
  rules        [[name, value], ...]           for the rules answer
  split_rules  true: the rules answer goes out as two fragments, the first
               of exactly 1400 bytes; "source": in fragments of Source
               servers (12-byte header, payloads of 1248 bytes)
  challenge    eight hex digits: players and rules requests that do not carry
               these four bytes get a challenge answer instead
  raw_info     hex bytes sent as-is in answer to the info request
  info_challenge  eight hex digits: an info request that does not end with
               these four bytes gets a challenge answer instead (as servers
               of today do)
  info_copies  how many times the info answer is sent (default 1)
  answer_delay_ms  answers leave this long after the request came (default 0)
  players_sequence [n1, n2, ...]: the player counts of the info answers in
               turn (new and old protocol alike), the last one for every
               answer after it; a server whose players come and go

Only loopback addresses are accepted (except for bind_any servers, which live
in a namespace of the test's own): the fake LAN never talks to anything
else. The module can also be used from Python: FakeLan(config).start().
"""

import ipaddress
import json
import os
import selectors
import signal
import socket
import struct
import sys
import heapq
import itertools
import time

HEADER = b"\xff\xff\xff\xff"
INFO_REQUEST = HEADER + b"TSource Engine Query\x00"
OLD_INFO_REQUEST = HEADER + b"infostring\x00"
OLD_PLAYERS_REQUEST = HEADER + b"players\x00"
OLD_RULES_REQUEST = HEADER + b"rules\x00"
BROADCAST = "127.255.255.255"

DEFAULTS = {
    "port": 27015,
    "kind": "goldsrc",
    "old": False,
    "broadcast": False,
    "bind_any": False,
    "name": "Fake server",
    "map": "de_dust2",
    "gamedir": None,
    "description": None,
    "players": 5,
    "max": 20,
    "protocol": None,
    "os": "l",
    "password": 0,
    "bots": 0,
    "server_type": "d",
    "proxy": 0,
    "player_list": [["Player", 3]],
    "rules": [["mp_timelimit", "20"]],
    "split_rules": False,
    "challenge": None,
    "raw_info": None,
    "info_challenge": None,
    "info_copies": 1,
    "answer_delay_ms": 0,
    "players_sequence": None,
}


def _cstr(text):
    return text.encode("latin-1") + b"\x00"


def goldsrc_info(s):
    stated = s["stated_address"] or "%s:%d" % (s["address"], s["port"])
    body = b"m" + _cstr(stated) + _cstr(s["name"]) + _cstr(s["map"])
    body += _cstr(s["gamedir"] or "cstrike") + _cstr(s["description"] or "Counter-Strike")
    protocol = 47 if s["protocol"] is None else s["protocol"]
    body += bytes([s["players"], s["max"], protocol, ord(s["server_type"]),
                   ord(s["os"]), s["password"], 0])
    # After a mod flag of 0 come the VAC flag and the bot count.
    body += bytes([0, s["bots"]])
    return HEADER + body


def source_info(s):
    protocol = 7 if s["protocol"] is None else s["protocol"]
    body = b"I" + bytes([protocol]) + _cstr(s["name"]) + _cstr(s["map"])
    body += _cstr(s["gamedir"] or "cstrike") + _cstr(s["description"] or "Counter-Strike: Source")
    body += struct.pack("<H", 240)
    body += bytes([s["players"], s["max"], s["bots"], ord(s["server_type"]),
                   ord(s["os"]), s["password"], 0])
    body += _cstr("1.0.0.34")
    return HEADER + body


def old_info(s):
    protocol = 47 if s["protocol"] is None else s["protocol"]
    pairs = [
        ("hostname", s["name"]), ("map", s["map"]),
        ("players", str(s["players"])), ("max", str(s["max"])),
        ("os", s["os"]), ("password", str(s["password"])),
        ("proxy", str(s["proxy"])), ("protocol", str(protocol)),
        ("description", s["description"] or "Counter-Strike"),
    ]
    text = "".join("\\%s\\%s" % kv for kv in pairs) + "\\"
    return HEADER + b"infostringresponse\x00" + text.encode("latin-1") + b"\x00"


def players_answer(s):
    body = b"D" + bytes([len(s["player_list"]) & 0xFF])
    for index, (name, frags) in enumerate(s["player_list"]):
        body += bytes([index & 0xFF]) + name.encode("utf-8") + b"\x00"
        body += struct.pack("<i", frags) + struct.pack("<f", 60.0)
    return [HEADER + body]


def rules_answer(s):
    message = HEADER + b"E" + struct.pack("<H", len(s["rules"]) & 0xFFFF)
    for name, value in s["rules"]:
        message += _cstr(name) + _cstr(value)
    if not s["split_rules"]:
        return [message]
    if s["split_rules"] == "source":
        # Header: FE FF FF FF, the message id, the fragment count, the
        # fragment number, and the largest fragment size, 16-bit.
        ident = struct.pack("<I", 0x4321)
        size = 1248
        parts = [message[i:i + size] for i in range(0, len(message), size)]
        return [b"\xfe\xff\xff\xff" + ident + bytes([len(parts), number])
                + struct.pack("<H", size) + part
                for number, part in enumerate(parts)]
    # Two fragments in the GoldSrc form: the first exactly 1400 bytes with its
    # 9-byte header, whose last byte packs the fragment number (high nibble)
    # and the count (low nibble).
    ident = struct.pack("<I", 0x1234)
    cut = 1400 - 9
    return [b"\xfe\xff\xff\xff" + ident + bytes([0x02]) + message[:cut],
            b"\xfe\xff\xff\xff" + ident + bytes([0x12]) + message[cut:]]


def _next_info(s):
    """The server as its next info answer shows it: with players_sequence the
    player count moves on by one entry per answer."""
    sequence = s["players_sequence"]
    if not sequence:
        return s
    answered = s.get("_info_answers", 0)
    s["_info_answers"] = answered + 1
    return dict(s, players=sequence[min(answered, len(sequence) - 1)])


def answers_for(s, data):
    """The datagrams a configured server sends back for one request."""
    kind = s["kind"]
    if kind == "silent":
        return []
    if data[:4] != HEADER:
        return []
    if data[4:5] == b"T":
        wanted = s["info_challenge"]
        if wanted is not None and (len(data) < 29 or data[25:29] != bytes.fromhex(wanted)):
            return [HEADER + b"A" + bytes.fromhex(wanted)]
        if s["raw_info"] is not None:
            return [bytes.fromhex(s["raw_info"])] * s["info_copies"]
        s = _next_info(s) if kind in ("goldsrc", "source") else s
        if kind == "goldsrc":
            return [goldsrc_info(s)] * s["info_copies"]
        if kind == "source":
            return [source_info(s)] * s["info_copies"]
        return []
    if data == OLD_INFO_REQUEST:
        return [old_info(_next_info(s))] if kind == "old" or s["old"] else []
    if data[4:5] in (b"U", b"V") and len(data) >= 9:
        wanted = s["challenge"]
        if wanted is not None and data[5:9] != bytes.fromhex(wanted):
            return [HEADER + b"A" + bytes.fromhex(wanted)]
        return players_answer(s) if data[4:5] == b"U" else rules_answer(s)
    if data == OLD_PLAYERS_REQUEST:
        return players_answer(s)
    if data == OLD_RULES_REQUEST:
        return rules_answer(s)
    return []


def _loopback(address):
    if ipaddress.ip_address(address) not in ipaddress.ip_network("127.0.0.0/8"):
        raise ValueError("fake servers live on loopback only, not on " + address)


IP_PKTINFO = getattr(socket, "IP_PKTINFO", 8)


def _destination(ancillary):
    """The address a datagram was sent to, from its in_pktinfo, if given."""
    for level, kind, data in ancillary:
        if level == socket.IPPROTO_IP and kind == IP_PKTINFO and len(data) >= 12:
            return socket.inet_ntoa(data[8:12])
    return None


def _udp_socket(address, port):
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    if address == "0.0.0.0":
        # To tell a directed broadcast from a datagram sent to the server.
        sock.setsockopt(socket.IPPROTO_IP, IP_PKTINFO, 1)
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 1 << 20)
    sock.bind((address, port))
    sock.setblocking(False)
    return sock


class FakeLan:
    def __init__(self, config):
        self.log_path = config.get("log")
        self.lifetime = float(config.get("lifetime", 120))
        self.servers = []
        for entry in config.get("servers", []):
            s = dict(DEFAULTS)
            s["stated_address"] = None
            s.update(entry)
            if not s["bind_any"]:
                _loopback(s["address"])
            self.servers.append(s)
        self.received = []
        self._selector = selectors.DefaultSelector()
        self._sockets = {}   # (address, port) -> socket
        self._log = None
        self._running = False
        self._later = []  # (due, order, socket, datagram, address)
        self._order = itertools.count()

    def start(self):
        for s in self.servers:
            key = (s["address"], s["port"])
            if key not in self._sockets:
                sock = _udp_socket("0.0.0.0" if s["bind_any"] else s["address"], s["port"])
                self._sockets[key] = sock
                self._selector.register(sock, selectors.EVENT_READ, ("unicast", key))
            if s["broadcast"]:
                bkey = (BROADCAST, s["port"])
                if bkey not in self._sockets:
                    sock = _udp_socket(*bkey)
                    self._sockets[bkey] = sock
                    self._selector.register(sock, selectors.EVENT_READ, ("broadcast", bkey))
        if self.log_path:
            self._log = open(self.log_path, "a", encoding="ascii")
        self._running = True
        return self

    def stop(self):
        self._running = False

    def close(self):
        for sock in self._sockets.values():
            self._selector.unregister(sock)
            sock.close()
        self._sockets.clear()
        if self._log:
            self._log.close()
            self._log = None

    def _record(self, server_key, sender, via, data):
        entry = {"server": "%s:%d" % server_key, "from": "%s:%d" % sender,
                 "via": via, "data": data.hex()}
        self.received.append(entry)
        if self._log:
            self._log.write(json.dumps(entry) + "\n")
            self._log.flush()

    def _handle(self, via, key, sock):
        while True:
            try:
                data, ancillary, _, sender = sock.recvmsg(65535, socket.CMSG_SPACE(12))
            except BlockingIOError:
                return
            heard = via
            destination = _destination(ancillary)
            if destination is not None and destination != key[0]:
                heard = "broadcast"
            if via == "unicast":
                targets = [s for s in self.servers if (s["address"], s["port"]) == key]
            else:
                targets = [s for s in self.servers if s["broadcast"] and s["port"] == key[1]]
            for s in targets:
                own = (s["address"], s["port"])
                self._record(own, sender, heard, data)
                # Answers always leave from the server's own address and port.
                due = time.monotonic() + s["answer_delay_ms"] / 1000.0
                for answer in answers_for(s, data):
                    if s["answer_delay_ms"] > 0:
                        heapq.heappush(self._later, (due, next(self._order), self._sockets[own],
                                                     answer, sender))
                    else:
                        self._sockets[own].sendto(answer, sender)

    def _send_due(self):
        now = time.monotonic()
        while self._later and self._later[0][0] <= now:
            _, _, sock, answer, sender = heapq.heappop(self._later)
            sock.sendto(answer, sender)

    def serve(self, until=None):
        deadline = time.monotonic() + self.lifetime
        if until is not None:
            deadline = min(deadline, until)
        while self._running:
            now = time.monotonic()
            left = deadline - now
            if left <= 0:
                break
            wait = min(left, 0.2)
            if self._later:
                wait = max(0.0, min(wait, self._later[0][0] - now))
            for key, _ in self._selector.select(timeout=wait):
                via, addr = key.data
                self._handle(via, addr, key.fileobj)
            self._send_due()


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: fake_lan.py CONFIG.json\n")
        return 2
    with open(argv[1], encoding="utf-8") as f:
        config = json.load(f)
    lan = FakeLan(config).start()
    signal.signal(signal.SIGTERM, lambda *_: lan.stop())
    signal.signal(signal.SIGINT, lambda *_: lan.stop())
    sys.stdout.write("READY %d\n" % os.getpid())
    sys.stdout.flush()
    try:
        lan.serve()
    finally:
        lan.close()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
