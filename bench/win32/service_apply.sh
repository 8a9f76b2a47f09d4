#!/usr/bin/env bash
# What going through the service costs a script: the wall time of
# "Tolvi.exe /apply Lab /quiet" in the program's own process, and with the
# service "Tolvi" installed and running, which then applies it. Both apply
# the demo's "Lab" to the first adapter, named as a connection in the
# prefix only, with the recording stand-in as the prefix's netsh.exe: the
# host's network is never touched and no packet is sent. Runs alternate in
# blocks, after one unmeasured run of each kind. Then the same applies
# inside one process (tolvi_service_bench), which leaves out the start of
# a program, the larger and more variable part of a run under Wine.
# usage: service_apply.sh PREFIX Tolvi.exe STANDIN.exe DEMO_SETUP.exe SERVICE_BENCH.exe [RUNS]
set -u
root="$(dirname "$(realpath "$0")")/../.."
prefix=$(realpath -m "$1")
exe=$(realpath "$2")
standin=$(realpath "$3")
setup=$(realpath "$4")
bench=$(realpath "$5")
runs=${6:-20}
session="$root/scripts/lib/wine-session.sh"
folder=$(mktemp -d)
cleanup() {
  "$session" stop "$prefix" >/dev/null 2>&1
  rm -rf "$folder"
}
trap cleanup EXIT
wine() { WINEDLLOVERRIDES="netsh.exe=n" "$root/cmake/wine-run.sh" "$prefix" "$@" </dev/null; }
TOLVI_NO_DISPLAY=1 "$session" start "$prefix" >/dev/null || exit 1
cp "$exe" "$folder/Tolvi.exe"
cp "$bench" "$folder/"
cp "$standin" "$prefix/drive_c/windows/system32/netsh.exe"
# The service's own runs of netsh take the stand-in too.
wine reg add 'HKCU\Software\Wine\DllOverrides' /v netsh.exe /d native /f >/dev/null
wine "$setup" connections >/dev/null && wine "$setup" config "Z:$folder" >/dev/null || exit 1
wine sc delete Tolvi >/dev/null 2>&1

# Prints the milliseconds one apply took; fails when it did not work.
apply_ms() {
  local start=$(date +%s%N)
  wine "$folder/Tolvi.exe" /apply Lab /quiet >/dev/null || return 1
  echo $((($(date +%s%N) - start) / 1000000))
}
# Runs block of $2 applies, adding each time to the file $1.
block() { for _ in $(seq "$2"); do apply_ms >>"$1" || { echo "the apply failed" >&2; exit 1; }; done; }
service() {
  if [ "$1" = on ]; then
    wine sc create Tolvi binPath= "\"Z:${folder//\//\\}\\Tolvi.exe\" /service" >/dev/null && wine sc start Tolvi >/dev/null
  else
    wine sc stop Tolvi >/dev/null && wine sc delete Tolvi >/dev/null
  fi
}
stats() { sort -n "$1" | awk '{ t[NR] = $1; s += $1 } END { printf "median %d ms, mean %.1f ms, min %d, max %d", t[int((NR + 1) / 2)], s / NR, t[1], t[NR] }'; }
median() { sort -n "$1" | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }

apply_ms >/dev/null || { echo "the apply failed in-process" >&2; exit 1; }
service on && apply_ms >/dev/null || { echo "the apply failed through the service" >&2; exit 1; }
service off
blocks=4
for _ in $(seq $blocks); do
  block "$folder/here" $((runs / blocks))
  service on
  block "$folder/through" $((runs / blocks))
  service off
done
echo "Tolvi.exe /apply Lab /quiet, $(wc -l <"$folder/here") runs each, wall time under Wine:"
echo "  in its own process:   $(stats "$folder/here")"
echo "  through the service:  $(stats "$folder/through")"
echo "  the service adds $(($(median "$folder/through") - $(median "$folder/here"))) ms to the median (goal: at most 50 ms)"
service on
wine "$folder/${bench##*/}" "$runs"
