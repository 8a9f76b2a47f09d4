#!/usr/bin/env bash
# What tray mode costs while nothing happens: the CPU time of the tray
# process over a minute idle, and what the whole Wine session (its server
# and the processes that answer the adapter reads) spends more than in a
# minute without it; then its memory against that of the main dialog.
# There is no Tolvi.cfg, so no configuration could send an echo request.
# usage: tray_idle.sh PREFIX Tolvi.exe [SECONDS]
set -u
root="$(dirname "$(realpath "$0")")/../.."
prefix=$(realpath -m "$1")
exe=$(realpath "$2")
seconds=${3:-60}
session="$root/scripts/lib/wine-session.sh"
folder=$(mktemp -d)
tray=
dialog=
cleanup() {
  for pid in $tray $dialog; do kill "$pid" 2>/dev/null; done
  "$session" stop "$prefix" >/dev/null 2>&1
  rm -rf "$folder"
}
trap cleanup EXIT
cp "$exe" "$folder/Tolvi.exe"
"$session" start "$prefix" >/dev/null || exit 1
start() {
  "$root/cmake/wine-run.sh" "$prefix" "$folder/Tolvi.exe" "$@" </dev/null >/dev/null 2>&1 &
  started=$!
}
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# Every process of this prefix, its server included.
session_ticks() {
  local total=0 pid
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$prefix"; then
      total=$((total + $(ticks "$pid" 2>/dev/null || echo 0)))
    fi
  done
  echo "$total"
}
memory() { awk '/^Rss/ { r = $2 } /^Private/ { p += $2 } END { printf "%d KiB resident, %d KiB private", r, p }' \
  "/proc/$1/smaps_rollup"; }
private() { awk '/^Private/ { p += $2 } END { print p }' "/proc/$1/smaps_rollup"; }
percent() { awk -v t="$1" -v hz="$(getconf CLK_TCK)" -v s="$seconds" 'BEGIN { printf "%.3f", 100 * t / hz / s }'; }

sleep 5
quiet0=$(session_ticks)
sleep "$seconds"
quiet=$(($(session_ticks) - quiet0))
start /tray
tray=$started
sleep 5
tray0=$(ticks "$tray")
session0=$(session_ticks)
sleep "$seconds"
tray1=$(ticks "$tray")
busy=$(($(session_ticks) - session0 - (tray1 - tray0)))
echo "idle for $seconds s, in ticks of 1/$(getconf CLK_TCK) s:"
echo "  tray process: $((tray1 - tray0)) ticks, $(percent $((tray1 - tray0))) % of one core (goal: under 0.1 %)"
echo "  the rest of the session: $busy ticks with tray mode, $quiet without"
echo "    ($(percent "$busy") % and $(percent "$quiet") % of one core)"
echo "memory:"
echo "  tray mode:   $(memory "$tray")"
tray_private=$(private "$tray")
start
dialog=$started
sleep 5
echo "  main dialog: $(memory "$dialog")"
awk -v t="$tray_private" -v d="$(private "$dialog")" \
  'BEGIN { printf "  tray mode takes %.2f times the private memory of the main dialog (goal: at most 1.5)\n", t / d }'
