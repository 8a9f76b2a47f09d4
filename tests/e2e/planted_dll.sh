#!/usr/bin/env bash
# Plants an iphlpapi.dll that notes every program loading it beside a copy
# of Tolvi.exe, with Wine searching for a native copy as Windows does. Tolvi
# runs until its main window is up and must not load it; a probe in the same
# folder that loads iphlpapi.dll by its bare name must.
# usage: planted_dll.sh PREFIX Tolvi.exe PLANTED.dll PROBE.exe
set -u -o pipefail
here=$(dirname "$(realpath "$0")")
source "$here/../support/checks.sh"
prefix=$(realpath -m "$1")
work="$prefix-planted"
trap 'rm -rf "$work"' EXIT
rm -rf "$work"
mkdir -p "$work"
cp "$2" "$work/Tolvi.exe"
cp "$3" "$work/iphlpapi.dll"
cp "$4" "$work/probe.exe"

wine() {
  WINEDLLOVERRIDES="iphlpapi=n,b" timeout 120 "$here/../../cmake/wine-run.sh" "$prefix" "$work/probe.exe" "$@" </dev/null |
    tr -d '\r'
}
loaders() { [ -f "$work/loaded-by.txt" ] && tr -d '\r' <"$work/loaded-by.txt" | sed 's/.*\\//'; }

wine run "Z:$work/Tolvi.exe"
check "Tolvi came up with its main window and closed" "$?" 0
check "Tolvi did not load the planted DLL" "$(loaders)" ""
wine load
check "a program loading iphlpapi.dll by name did" "$(loaders)" "probe.exe"
[ "$failures" -eq 0 ]
