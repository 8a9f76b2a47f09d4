#!/usr/bin/env bash
# Builds Tolvi for Windows and starts it under Wine, in a demo prefix of its
# own whose registry names the host's network adapters as Windows would and
# whose Tolvi.cfg tests connections against loopback only. With a display
# the window opens there; without one it opens on a virtual display, a
# screenshot of it is saved, and the program is closed again.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/common.sh
require_packages "${TOLVI_PACKAGES[@]}"

step "build: windows"
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tolvi tolvi_demo_setup tolvi_netsh_standin

demo=$(pwd)/build/demo
prefix=$demo/wineprefix
folder=$demo/Tolvi
mkdir -p "$folder"
cp build/windows/src/app/Tolvi.exe "$folder/"

# A display that answers is used as it is; otherwise the session makes one.
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  headless=
  export TOLVI_NO_DISPLAY=1
else
  headless=1
  unset TOLVI_NO_DISPLAY
fi
step "wine: demo prefix $prefix"
scripts/lib/wine-session.sh start "$prefix"
trap 'scripts/lib/wine-session.sh stop "$prefix"' EXIT
wine() { cmake/wine-run.sh "$prefix" "$@"; }
# Applying runs the tests' stand-in for netsh: it changes the demo prefix's
# registry as netsh changes Windows', so an apply visibly takes, and never
# touches the host.
rm -f "$prefix/drive_c/windows/system32/netsh.exe"
cp build/windows/tests/win32/tolvi_netsh_standin.exe "$prefix/drive_c/windows/system32/netsh.exe"
export WINEDLLOVERRIDES="netsh.exe=n"
wine build/windows/demo/tolvi_demo_setup.exe connections
wine build/windows/demo/tolvi_demo_setup.exe config "Z:$folder" </dev/null

if [ -z "$headless" ]; then
  # A window manager decorates the windows again, if an earlier run without
  # a display had Wine draw the title bars itself.
  for value in Decorated Managed; do
    wine reg delete 'HKCU\Software\Wine\X11 Driver' /v $value /f >/dev/null 2>&1 || true
  done
  step "Tolvi: close its window to end the demo"
  wine "$folder/Tolvi.exe"
  exit 0
fi

export DISPLAY=":$(cat "$prefix.display")"
step "Tolvi on a virtual display"
wine "$folder/Tolvi.exe" &
tolvi=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tolvi v1\.0$' | head -n 1)
sleep 1 # let it paint
shot=$demo/tolvi-main.png
import -window "$window" "$shot"
wine build/windows/demo/tolvi_demo_setup.exe close "Tolvi v1.0"
wait "$tolvi"
echo "screenshot of the main dialog: $shot"
