#!/usr/bin/env bash
# Runs a cross-built program under Wine in the build's own prefix.
# usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]
set -eu
export WINEPREFIX=$(realpath -m "$1")
shift
export WINEDEBUG="${WINEDEBUG:--all}"
# The test session's own display, when it has one.
if [ -s "$WINEPREFIX.display" ]; then
  export DISPLAY=":$(cat "$WINEPREFIX.display")"
fi
# No Mono or Gecko prompts; a caller may add overrides of its own.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
exec /usr/lib/wine/wine64 "$@"
