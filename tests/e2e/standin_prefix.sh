# Sourced by the tests that run the real Tolvi.exe as a process: a copy of
# the test prefix whose netsh.exe is the recording stand-in and whose only
# adapter, named as a connection, is the veth end in namespace A. Sets
# tolvi, helper, prefix and work; defines wine, which runs a program inside
# A with the stand-in taken for netsh, and commands. Everything made is gone
# at exit, and a background job left in $watcher is ended.
# usage: source standin_prefix.sh NAME PREFIX Tolvi.exe HELPER.exe STANDIN.exe DEMO_SETUP.exe
lib=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
source "$lib/../wine/netns.sh"
source "$lib/../support/checks.sh"
base=$(realpath -m "$2")
tolvi=$(realpath "$3")
helper=$(realpath "$4")
standin=$(realpath "$5")
setup=$(realpath "$6")
prefix="$base-$1"
work="$base-$1-runs"

cleanup() {
  [ -n "${watcher:-}" ] && kill "$watcher" 2>/dev/null
  [ -d "$prefix" ] && "$lib/../../scripts/lib/wine-session.sh" stop "$prefix" >/dev/null 2>&1
  netns_delete
  rm -rf "$prefix" "$prefix".* "$work"
}
trap cleanup EXIT

netns_make
netns_prefix "$base" "$prefix" || exit 1
# Replaced, not written through: the copy shares its files with the base prefix.
rm -f "$prefix/drive_c/windows/system32/netsh.exe"
cp "$standin" "$prefix/drive_c/windows/system32/netsh.exe"

# Ended if it hangs.
wine() {
  WINEDLLOVERRIDES="netsh.exe=n;winemenubuilder.exe=d" timeout 120 nsenter --net="/run/netns/$NETNS_A" \
    "$lib/../../cmake/wine-run.sh" "$prefix" "$@" </dev/null
}
wine "$setup" connections >/dev/null || { echo "FAIL naming the connection"; exit 1; }
mkdir -p "$work"
export TOLVI_NETSH_LOG="Z:$work/netsh.log"
# The commands run since the last call, without netsh's path.
commands() {
  [ -f "$work/netsh.log" ] && tr -d '\r' <"$work/netsh.log" | sed 's/^.*netsh\.exe"\{0,1\} //'
  rm -f "$work/netsh.log"
}
