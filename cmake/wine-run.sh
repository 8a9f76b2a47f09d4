#!/usr/bin/env bash
# Runs a cross-built program under Wine in the build's own prefix.
# usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]
set -eu
export WINEPREFIX=$(realpath -m "$1")
shift
export WINEDEBUG="${WINEDEBUG:--all}"
# Wine takes its code pages from the locale: C gives an English system's
# (ANSI 1252, OEM 437) whatever the host's language, and UTF-8 passes the
# names and paths it is given whole.
export LC_ALL=C.UTF-8
# The test session's own display, when it has one.
if [ -s "$WINEPREFIX.display" ]; then
  export DISPLAY=":$(cat "$WINEPREFIX.display")"
fi
# No Mono or Gecko prompts; a caller may add overrides of its own.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
exec /usr/lib/wine/wine64 "$@"
