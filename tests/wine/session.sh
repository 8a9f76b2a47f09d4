#!/usr/bin/env bash
# Keeps one wineserver alive for a test run, so that each test program does
# not pay for starting one, and ends it by its id afterwards.
# usage: session.sh start|stop PREFIX
set -eu
action=$1
export WINEPREFIX=$(realpath -m "$2")
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
pidfile="$WINEPREFIX.wineserver.pid"

alive() { [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null; }

case "$action" in
start)
  mkdir -p "$WINEPREFIX"
  if ! alive; then
    /usr/lib/wine/wineserver --foreground --persistent </dev/null >/dev/null 2>&1 &
    echo $! >"$pidfile"
  fi
  # Makes the prefix once per build folder and starts Wine's own services
  # here, detached from any output: started by the first test instead, they
  # would hold that test's output open and ctest would wait on it for ever.
  if ! /usr/lib/wine/wine64 wineboot </dev/null >"$WINEPREFIX.log" 2>&1; then
    cat "$WINEPREFIX.log" >&2
    exit 1
  fi
  ;;
stop)
  if alive; then
    pid=$(cat "$pidfile")
    # The server ends every Wine process of the prefix (services, devices),
    # which killing the server alone would leave behind, and then itself.
    /usr/lib/wine/wineserver --kill </dev/null >/dev/null 2>&1 || kill "$pid"
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$pidfile"
  ;;
*)
  echo "usage: $0 start|stop PREFIX" >&2
  exit 2
  ;;
esac
