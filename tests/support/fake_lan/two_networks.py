#!/usr/bin/env python3
"""Two LANs for the tests, built inside the caller's own private network
namespace: the caller's namespace gets one veth interface on each of two
networks, and each network's far end lives in a namespace of its own (held
by a `sleep` process) where fake servers bound to 0.0.0.0 answer as real
servers do. Nothing is connected to any real interface.

    with TwoNetworks(fake_lan_dir, work_dir, ports) as lans:
        lans.servers    # [(address, port), ...] of every fake server
        lans.heard()    # what the servers received, as fake_lan logs it

Run as a program it builds the networks, runs a command in the caller's
namespace and takes them down again:

    two_networks.py FAKE_LAN_DIR WORK_DIR -- COMMAND ...

It refuses to run unless the namespace it is in has no interface but
loopback, so it is never run beside the machine's real interfaces.
"""

import json
import os
import subprocess
import sys
import time

# (our interface, its address/prefix, the far end, its address/prefix, server name prefix)
NETWORKS = [
    ("zk-cable", "10.201.1.1/24", "zk-cable-far", "10.201.1.2/24", "Cable"),
    ("zk-vpn", "10.202.0.1/16", "zk-vpn-far", "10.202.7.2/16", "VPN"),
]
PORTS = [27015, 27016, 27020]


def _ip(*args, pid=None):
    command = ["ip", *args]
    if pid is not None:
        command = ["nsenter", "-t", str(pid), "-n", *command]
    subprocess.run(command, check=True)


def only_loopback():
    out = subprocess.run(["ip", "-o", "link"], capture_output=True, text=True, check=True).stdout
    names = [line.split(":")[1].strip().split("@")[0] for line in out.splitlines()]
    return names == ["lo"]


class TwoNetworks:
    def __init__(self, fake_lan_dir, work_dir, ports=PORTS):
        self.fake_lan = os.path.join(fake_lan_dir, "fake_lan.py")
        self.work = work_dir
        self.ports = ports
        self.holders = []
        self.lans = []
        self.logs = []
        self.links = []
        self.servers = []

    def __enter__(self):
        if not only_loopback():
            raise RuntimeError("run inside a private network namespace that has only lo")
        try:
            for index, network in enumerate(NETWORKS):
                self._network(index, *network)
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _network(self, index, ours, our_address, far, far_address, name):
        holder = subprocess.Popen(["unshare", "-n", "sleep", "600"])
        self.holders.append(holder)
        # unshare has made the namespace once sleep runs in it.
        own = os.readlink("/proc/self/ns/net")
        for _ in range(200):
            if os.readlink("/proc/%d/ns/net" % holder.pid) != own:
                break
            time.sleep(0.01)
        _ip("link", "add", ours, "type", "veth", "peer", "name", far)
        self.links.append(ours)
        _ip("link", "set", far, "netns", str(holder.pid))
        _ip("addr", "add", our_address, "brd", "+", "dev", ours)
        _ip("link", "set", ours, "up")
        _ip("link", "set", "lo", "up", pid=holder.pid)
        _ip("addr", "add", far_address, "brd", "+", "dev", far, pid=holder.pid)
        _ip("link", "set", far, "up", pid=holder.pid)

        address = far_address.split("/")[0]
        servers = [{"address": address, "port": port, "bind_any": True,
                    "kind": "source" if port != 27020 else "goldsrc",
                    "name": "%s server on %d" % (name, port), "map": "de_dust2",
                    "players": index + 1, "max": 16} for port in self.ports]
        self.servers += [(address, port) for port in self.ports]
        log = os.path.join(self.work, "heard-%d.jsonl" % index)
        config = os.path.join(self.work, "lan-%d.json" % index)
        with open(config, "w", encoding="utf-8") as f:
            json.dump({"log": log, "lifetime": 300, "servers": servers}, f)
        lan = subprocess.Popen(["nsenter", "-t", str(holder.pid), "-n", sys.executable,
                                self.fake_lan, config], stdout=subprocess.PIPE, text=True)
        self.lans.append(lan)
        self.logs.append(log)
        if not lan.stdout.readline().startswith("READY"):
            raise RuntimeError("the fake servers of %s did not start" % ours)

    def heard(self):
        entries = []
        for log in self.logs:
            if os.path.exists(log):
                with open(log, encoding="ascii") as f:
                    entries += [json.loads(line) for line in f]
        return entries

    def __exit__(self, *_):
        for lan in self.lans:
            lan.terminate()
            lan.wait()
        for holder in self.holders:
            holder.kill()
            holder.wait()
        # The far ends went with their namespaces; ours go with them, but a
        # half-built network may have left one.
        for link in self.links:
            subprocess.run(["ip", "link", "del", link], stderr=subprocess.DEVNULL)
        return False


def main(argv):
    if len(argv) < 5 or argv[3] != "--":
        sys.stderr.write("usage: two_networks.py FAKE_LAN_DIR WORK_DIR -- COMMAND ...\n")
        return 2
    with TwoNetworks(argv[1], argv[2]):
        return subprocess.run(argv[4:]).returncode


if __name__ == "__main__":
    sys.exit(main(sys.argv))
