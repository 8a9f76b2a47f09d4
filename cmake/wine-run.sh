#!/usr/bin/env bash
# Runs a cross-built program under Wine in the build's own prefix.
# usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]
set -eu
export WINEPREFIX=$(realpath -m "$1")
shift
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec /usr/lib/wine/wine64 "$@"
