#!/usr/bin/env bash
# Keeps one wineserver alive for a test run, so that each test program does
# not pay for starting one, and a virtual X display of the run's own for the
# dialogs (unless TOLVI_NO_DISPLAY is set); ends both by their ids afterwards.
# usage: wine-session.sh start|stop PREFIX
set -eu
action=$1
export WINEPREFIX=$(realpath -m "$2")
export WINEDEBUG=-all
# Wine takes its code pages from the locale: C gives an English system's
# (ANSI 1252, OEM 437) whatever the host's language, and UTF-8 passes the
# names and paths it is given whole.
export LC_ALL=C.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
pidfile="$WINEPREFIX.wineserver.pid"
xpidfile="$WINEPREFIX.xvfb.pid"
# wine-run.sh takes the display from here.
displayfile="$WINEPREFIX.display"

alive() { [ -f "$1" ] && kill -0 "$(cat "$1")" 2>/dev/null; }

start_display() {
  rm -f "$displayfile"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile.new" </dev/null >/dev/null 2>&1 &
  echo $! >"$xpidfile"
  for _ in $(seq 100); do
    [ -s "$displayfile.new" ] && break
    sleep 0.1
  done
  [ -s "$displayfile.new" ] || { echo "Xvfb did not start" >&2; exit 1; }
  mv "$displayfile.new" "$displayfile"
}

stop() {
  local pid
  if alive "$1"; then
    pid=$(cat "$1")
    kill "$pid"
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$1"
}

start_server() {
  if ! alive "$pidfile"; then
    /usr/lib/wine/wineserver --foreground --persistent </dev/null >/dev/null 2>&1 &
    echo $! >"$pidfile"
  fi
}

# The server ends every Wine process of the prefix (services, devices),
# which killing the server alone would leave behind, then saves the
# registry and ends itself.
stop_server() {
  local pid
  if alive "$pidfile"; then
    pid=$(cat "$pidfile")
    /usr/lib/wine/wineserver --kill </dev/null >/dev/null 2>&1 || kill "$pid"
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$pidfile"
}

# Makes the prefix once per build folder and starts Wine's own services
# here, detached from any output: started by the first test instead, they
# would hold that test's output open and ctest would wait on it for ever.
boot() {
  if ! /usr/lib/wine/wine64 wineboot </dev/null >>"$WINEPREFIX.log" 2>&1; then
    cat "$WINEPREFIX.log" >&2
    exit 1
  fi
}

case "$action" in
start)
  : >"$WINEPREFIX.log"
  mkdir -p "$WINEPREFIX"
  if [ -z "${TOLVI_NO_DISPLAY:-}" ]; then
    alive "$xpidfile" || start_display
    export DISPLAY=":$(cat "$displayfile")"
  fi
  start_server
  boot
  # Wine does not find its own fonts where Debian installs them, and would
  # draw the dialogs in a wider substitute and the title bar buttons as
  # letters; in the prefix's font folder it finds them.
  for font in /usr/share/wine/fonts/*.ttf; do
    [ -f "$WINEPREFIX/drive_c/windows/Fonts/${font##*/}" ] || cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
  # There is no window manager: Wine draws the title bars itself, so the
  # screenshots show each dialog's caption, and does not wait two seconds
  # for one to acknowledge every window that is hidden.
  if [ -z "${TOLVI_NO_DISPLAY:-}" ]; then
    for value in Decorated Managed; do
      /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v $value /d N /f </dev/null >>"$WINEPREFIX.log" 2>&1
    done
  fi
  # A new prefix's registry is only in the server's memory until it is
  # saved, but tests copy the prefix from its files.
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    stop_server
    start_server
    boot
  fi
  ;;
stop)
  stop_server
  stop "$xpidfile"
  rm -f "$displayfile"
  ;;
*)
  echo "usage: $0 start|stop PREFIX" >&2
  exit 2
  ;;
esac
