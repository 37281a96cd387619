#!/usr/bin/env bash
# The package on a clean Debian 12: makes a minimal root with debootstrap
# (from the Debian mirror that apt on this machine uses), installs the .deb
# there with apt-get, then, as an ordinary user and inside a private network
# namespace, starts the installed zarnek under Xvfb, ends it with SIGTERM and
# checks that it wrote ~/.config/zarnek/zarnek.ini; runs `zarnek-query --help`
# and `man zarnek-query`. Needs root. Slow (minutes): a manual check, not a
# test run by ctest.
#
#   scripts/check-deb-clean-root.sh DEB [ROOT] [SCREENSHOT.png]
# ROOT (default /tmp/zarnek-clean-root) is made anew; ROOT.debootstrap keeps
# the debootstrap result between runs.
set -euo pipefail
deb=$(realpath "$1")
root=${2:-/tmp/zarnek-clean-root}
shot=${3:-}
[ "$(id -u)" -eq 0 ] || { echo "run as root" >&2; exit 1; }
command -v debootstrap >/dev/null ||
  apt-get -o DPkg::Lock::Timeout=300 install -y -q --no-install-recommends debootstrap

mirror() {
  local uri
  uri=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
  [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $0 ~ /bookworm/ {print $2; exit}' /etc/apt/sources.list)
  echo "$uri"
}

# The debootstrap result is kept beside the root and copied afresh for every
# run, so each run starts from a root that never saw the package.
base="$root.debootstrap"
if [ ! -x "$base/usr/bin/apt-get" ]; then
  debootstrap --variant=minbase bookworm "$base" "$(mirror)"
fi
if mountpoint -q "$root/proc" 2>/dev/null; then
  echo "$root is still in use" >&2
  exit 1
fi
rm -rf "$root"
cp -a "$base" "$root"

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" || true; done
}
trap cleanup EXIT
for fs in proc sys dev dev/pts; do
  mount --bind "/$fs" "$root/$fs"
  mounted+=("$root/$fs")
done
in_root() {
  chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}

cp "$deb" "$root/tmp/"
name=$(basename "$deb")
echo "== apt-get install ./$name"
in_root apt-get -o DPkg::Lock::Timeout=300 update -q
pulled() { in_root apt-get -s install -y "$@" "./tmp/$name" | awk '/^Inst / {print $2}' | sort; }
pulled > "$root/tmp/pulled.txt"
pulled --no-install-recommends > "$root/tmp/pulled-needed.txt"
echo "packages apt-get installs with it: $(wc -l < "$root/tmp/pulled.txt")," \
  "$(wc -l < "$root/tmp/pulled-needed.txt") without recommended ones" \
  "(lists in $root/tmp/pulled*.txt)"
in_root apt-get install -y -q "./tmp/$name" | tail -n 3
in_root dpkg -s zarnek | grep -E '^(Status|Version|Depends):'
# The tools of the check itself come after the package, so they cannot hide a
# dependency the package lacks.
in_root apt-get install -y -q --no-install-recommends xvfb xauth man-db | tail -n 1
in_root id player >/dev/null 2>&1 || in_root useradd -m -s /bin/bash player

cat > "$root/tmp/run-as-player.sh" <<'INNER'
set -u
cd ~
rm -rf ~/.config/zarnek
rm -f /tmp/xvfb-display
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>/tmp/xvfb-display >/tmp/xvfb.log 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s /tmp/xvfb-display ] && break; sleep 0.2; done
display=$(tr -d '\n' < /tmp/xvfb-display)
[ -n "$display" ] || { echo "Xvfb did not start"; cat /tmp/xvfb.log; exit 1; }
export DISPLAY=:$display
echo "== $(command -v zarnek) under Xvfb on $DISPLAY"
zarnek >/tmp/zarnek.log 2>&1 &
app=$!
for _ in $(seq 50); do
  [ -d ~/.config/zarnek ] && break
  sleep 0.2
done
sleep 3
echo "$DISPLAY" > /tmp/display
touch /tmp/ready
for _ in $(seq 100); do [ -e /tmp/shot-done ] && break; sleep 0.2; done
kill -TERM "$app"
wait "$app"
echo "zarnek ended with status $?"
ls -l ~/.config/zarnek/
head -n 12 ~/.config/zarnek/zarnek.ini
echo "zarnek printed:"; cat /tmp/zarnek.log
kill "$xvfb"
echo "== zarnek-query --help"
zarnek-query --help | head -n 5
echo "== man zarnek-query"
MANWIDTH=80 man zarnek-query 2>&1 | col -b | head -n 12
INNER

rm -f "$root/tmp/ready" "$root/tmp/shot-done"
unshare -n bash -c '
  ip link set lo up
  root=$1 shot=$2
  chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    runuser -u player -- env HOME=/home/player bash /tmp/run-as-player.sh &
  runner=$!
  for _ in $(seq 150); do [ -e "$root/tmp/ready" ] && break; sleep 0.2; done
  if [ -n "$shot" ] && [ -e "$root/tmp/ready" ]; then
    # Same network namespace: the host reaches the X server in the root
    # through its abstract socket.
    import -display "$(cat "$root/tmp/display")" -window root "$shot" && echo "screenshot: $shot"
  fi
  touch "$root/tmp/shot-done"
  wait "$runner"
' check "$root" "$shot"
