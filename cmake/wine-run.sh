#!/usr/bin/env bash
# Runs one Windows program under the project's Wine prefix: wine-run.sh [--prefix DIR] PROGRAM ARGS...
# WINEPREFIX from the environment wins over --prefix (tests that need another prefix set it).
# Output goes through files, never straight to the caller's pipes: processes Wine starts (wineserver,
# services) inherit them, and ctest would wait on them. Standard error stays apart, so Wine's own messages
# never mix into a test listing.
set -u
if [ "${1:-}" = --prefix ]; then
  : "${WINEPREFIX:=$2}"
  shift 2
fi
: "${WINEPREFIX:?must name the Wine prefix to use; ./run sets it}"
export WINEPREFIX WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}"
# Every Wine process of a prefix runs in the prefix's language, which also gives a Chinese prefix's programs
# Chinese as the system language.
. "$(dirname "${BASH_SOURCE[0]}")/../tools/prefix-env.sh"
out=$(mktemp)
err=$(mktemp)
in_prefix_locale wine "$@" </dev/null >"$out" 2>"$err"
rc=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit $rc
