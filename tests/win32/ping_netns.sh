#!/usr/bin/env bash
# Probes hosts in two network namespaces made for this test and joined by a
# veth pair: one that answers, then the same one ignoring echo requests,
# loopback ignoring them too (the socket sees only its own request), and a
# name that cannot be resolved. Wine makes sockets in the wineserver, so a
# prefix of its own with a wineserver started inside namespace A keeps every
# packet inside the namespaces.
# usage: ping_netns.sh PREFIX PROBE.exe
set -u
if [ "$(id -u)" != 0 ] || ! command -v ip >/dev/null; then
  echo "network namespaces need root and iproute2; skipped"
  exit 77
fi
here=$(dirname "$(realpath "$0")")
base=$(realpath -m "$1")
probe=$(realpath "$2")
prefix="$base-netns"
A="tolvi-a-$$"
B="tolvi-b-$$"
failures=0

# Like "ip netns exec", without the mount changes that need "/" to be a mount point.
in_ns() {
  local ns=$1
  shift
  nsenter --net="/run/netns/$ns" "$@"
}

cleanup() {
  [ -d "$prefix" ] && "$here/../wine/session.sh" stop "$prefix" >/dev/null 2>&1
  ip netns del "$A" 2>/dev/null
  ip netns del "$B" 2>/dev/null
  rm -rf "$prefix" "$prefix.log" "$prefix.wineserver.pid"
}
trap cleanup EXIT

ip netns add "$A" && ip netns add "$B" &&
  ip link add v0 netns "$A" type veth peer name v1 netns "$B" &&
  in_ns "$A" ip addr add 198.18.5.1/24 dev v0 && in_ns "$B" ip addr add 198.18.5.2/24 dev v1 &&
  in_ns "$A" ip link set v0 up && in_ns "$B" ip link set v1 up &&
  in_ns "$A" ip link set lo up && in_ns "$B" ip link set lo up || {
  echo "this machine does not let root make network namespaces; skipped"
  exit 77
}

# Hard links make the copy quick; Wine replaces the registry files it writes.
rm -rf "$prefix"
cp -al "$base" "$prefix"
TOLVI_NO_DISPLAY=1 in_ns "$A" "$here/../wine/session.sh" start "$prefix" || exit 1

# expect NAME HOST RESULT MIN_MS MAX_MS
expect() {
  local out result ms
  out=$(WINEPREFIX="$prefix" WINEDEBUG=-all in_ns "$A" /usr/lib/wine/wine64 "$probe" "$2" </dev/null 2>&1 | tr -d '\r')
  read -r result ms _ <<<"$out"
  if [ "$result" = "$3" ] && [ "${ms:-99999}" -ge "$4" ] && [ "${ms:-99999}" -le "$5" ]; then
    echo "ok   $1: $out"
  else
    echo "FAIL $1: got '$out', want $3 in $4..$5 ms"
    failures=$((failures + 1))
  fi
}

expect "answering host" 198.18.5.2 1 900 2500
in_ns "$B" sysctl -qw net.ipv4.icmp_echo_ignore_all=1
expect "host ignoring echo requests" 198.18.5.2 0 1900 2800
in_ns "$A" sysctl -qw net.ipv4.icmp_echo_ignore_all=1
expect "loopback ignoring echo requests" 127.0.0.1 0 1900 2800
expect "unresolvable name" tolvi-no-such-host.invalid 0 0 900
[ "$failures" -eq 0 ]
