# Two network namespaces joined by a veth pair, for tests that must send
# packets: A holds 198.18.5.1 on v0, B holds 198.18.5.2 on v1. Sourced.
# Needs root and iproute2; netns_make exits 77 (skipped) without them.
NETNS_A="tolvi-a-$$"
NETNS_B="tolvi-b-$$"

# Like "ip netns exec", without the mount changes that need "/" to be a mount point.
in_ns() {
  local ns=$1
  shift
  nsenter --net="/run/netns/$ns" "$@"
}

netns_make() {
  if [ "$(id -u)" != 0 ] || ! command -v ip >/dev/null; then
    echo "network namespaces need root and iproute2; skipped"
    exit 77
  fi
  ip netns add "$NETNS_A" && ip netns add "$NETNS_B" &&
    ip link add v0 netns "$NETNS_A" type veth peer name v1 netns "$NETNS_B" &&
    in_ns "$NETNS_A" ip addr add 198.18.5.1/24 dev v0 && in_ns "$NETNS_B" ip addr add 198.18.5.2/24 dev v1 &&
    in_ns "$NETNS_A" ip link set v0 up && in_ns "$NETNS_B" ip link set v1 up &&
    in_ns "$NETNS_A" ip link set lo up && in_ns "$NETNS_B" ip link set lo up || {
    netns_delete
    echo "this machine does not let root make network namespaces; skipped"
    exit 77
  }
}

netns_delete() {
  ip netns del "$NETNS_A" 2>/dev/null
  ip netns del "$NETNS_B" 2>/dev/null
  return 0
}

# A copy of the test prefix whose own wineserver runs inside A, because Wine
# makes sockets in the wineserver: every packet then stays in the namespaces.
# Hard links make the copy quick, but Wine writes a registry file that has
# more than one link in place, so those are real copies.
# usage: netns_prefix BASE COPY [wine-session.sh start options in the environment]
netns_prefix() {
  rm -rf "$2"
  cp -al "$1" "$2"
  local hive
  for hive in "$1"/*.reg; do
    cp --remove-destination "$hive" "$2/"
  done
  in_ns "$NETNS_A" "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/wine-session.sh" start "$2"
}
