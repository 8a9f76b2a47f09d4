#!/usr/bin/env bash
# Builds Tolvi for Windows and starts it under Wine, in a demo prefix of its
# own whose registry names the host's network adapters as Windows would and
# whose Tolvi.cfg tests connections against loopback only. With a display
# the window opens there; without one it opens on a virtual display, with a
# configuration applied, and screenshots of it, of Preferences and of the
# tray menu are saved before the program is closed again.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/common.sh
require_packages "${TOLVI_PACKAGES[@]}"

step "build: windows"
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tolvi tolvi_demo_setup tolvi_netsh_standin tolvi_auto_helper

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
setup() { wine build/windows/demo/tolvi_demo_setup.exe "$@"; }
helper() { wine build/windows/tests/e2e/tolvi_auto_helper.exe "$@" >/dev/null; }
# Saves the top-level window of this title as build/demo/NAME.png.
shoot() {
  local window
  window=$(timeout 60 xdotool search --sync --onlyvisible --name "$1" | head -n 1)
  sleep 1 # let it paint
  import -window "$window" "$demo/$2.png"
  echo "screenshot: $demo/$2.png"
}
# The pictures show a configuration in force, as after Apply.
wine "$folder/Tolvi.exe" /apply Office /quiet || echo "Office was not applied here"
wine "$folder/Tolvi.exe" &
tolvi=$!
shoot '^Tolvi v1\.0$' tolvi-main
setup press "Tolvi v1.0" "P&references"
shoot '^Preferences$' tolvi-preferences
setup close Preferences
sleep 1
setup close "Tolvi v1.0"
wait "$tolvi"

# The tray menu alone, without the window Wine keeps its icons in.
wine "$folder/Tolvi.exe" /tray &
tolvi=$!
helper icons 1
helper click
menu=$(setup rect '#32768' | tr -d '\r')
sleep 1
import -window root -crop "$menu" +repage "$demo/tolvi-tray-menu.png"
echo "screenshot: $demo/tolvi-tray-menu.png"
helper menu ue # Exit
wait "$tolvi"
