#!/usr/bin/env bash
# The demo: the Today host simulator with the item, then with the messenger stand-in pushing notices,
# paging and tapping, one PNG per state.   usage: demo.sh BUILD_DIR OUTDIR
# The host runs tools/demo.host-script; DEMO_OUT and DEMO_WORK hand it the folders as Windows paths.
# Uses the prefix in WINEPREFIX (default BUILD_DIR/wineprefix), as ./run sets it up.
set -euo pipefail
TOOLS=$(cd "$(dirname "$0")" && pwd)
. "$TOOLS/demo-lib.sh" "$@"
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wineprefix} WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
need_built

rm -f "$OUT"/*.png
WORK=$OUT/work
rm -rf "$WORK"
mkdir -p "$WORK"
register_item
trap unregister_item EXIT

python3 "$TOOLS/make-demo-data.py" "$WORK" "$(winpath "$WORK")" latin
export DEMO_OUT DEMO_WORK
DEMO_OUT=$(winpath "$OUT")
DEMO_WORK=$(winpath "$WORK")

echo "demo: running the Today host simulator on $TOOLS/demo.host-script"
run_host_script "$TOOLS/demo.host-script" >"$WORK/host.log" 2>&1 || {
  cat "$WORK/host.log" >&2
  die "the host's script failed (log above)"
}
cat "$WORK/host.log"
echo
echo "demo: screenshots in $OUT:"
ls -1 "$OUT"/*.png
