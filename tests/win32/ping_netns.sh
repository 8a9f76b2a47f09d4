#!/usr/bin/env bash
# Probes hosts in two network namespaces made for this test and joined by a
# veth pair: one that answers, then the same one ignoring echo requests,
# and loopback ignoring them too (the socket sees only its own request).
# usage: ping_netns.sh PREFIX PROBE.exe
set -u
here=$(dirname "$(realpath "$0")")
source "$here/../wine/netns.sh"
base=$(realpath -m "$1")
probe=$(realpath "$2")
prefix="$base-netns"
A=$NETNS_A
B=$NETNS_B
failures=0

cleanup() {
  [ -d "$prefix" ] && "$here/../../scripts/lib/wine-session.sh" stop "$prefix" >/dev/null 2>&1
  netns_delete
  rm -rf "$prefix" "$prefix.log" "$prefix.wineserver.pid"
}
trap cleanup EXIT

netns_make
TOLVI_NO_DISPLAY=1 netns_prefix "$base" "$prefix" || exit 1

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
[ "$failures" -eq 0 ]
