#!/usr/bin/env bash
# Runs a command in a fresh network namespace that has only loopback, up.
# Every test that opens a socket runs through this.
set -euo pipefail
exec unshare -n bash -c 'ip link set lo up && exec "$@"' netns-run "$@"
