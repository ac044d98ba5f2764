#!/usr/bin/env bash
# Runs one Windows program under the project's Wine prefix: wine-run.sh [--prefix DIR] PROGRAM ARGS...
# WINEPREFIX from the environment wins over --prefix (tests that need another prefix set it).
# Wine's own output goes to a file, never to the caller's pipes: processes Wine starts inherit them, and
# ctest would wait on them.
set -u
if [ "${1:-}" = --prefix ]; then
  : "${WINEPREFIX:=$2}"
  shift 2
fi
: "${WINEPREFIX:?must name the Wine prefix to use; ./run sets it}"
export WINEPREFIX WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}"
tmp=$(mktemp)
wine "$@" </dev/null >"$tmp" 2>&1
rc=$?
cat "$tmp"
rm -f "$tmp"
exit $rc
