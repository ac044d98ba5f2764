#!/usr/bin/env bash
# The demo: the Today host simulator with the item, then with the messenger stand-in pushing notices,
# paging and tapping, one PNG per state.   usage: demo.sh BUILD_DIR OUTDIR
# Uses the prefix in WINEPREFIX (default BUILD_DIR/wineprefix), as ./run sets it up.
set -euo pipefail
. "$(dirname "$0")/demo-lib.sh" "$@"
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wineprefix} WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
need_built

rm -f "$OUT"/*.png
WORK=$OUT/work
rm -rf "$WORK"
mkdir -p "$WORK"
register_item
trap unregister_item EXIT
shot() { printf 'screenshot "%s"\n' "$(winpath "$OUT/$1")"; }

script=$WORK/demo.script
{
  echo "# The item alone: its one-line view, then selected."
  echo "timeout 20000"
  echo "expect-height Ardeno 20"
  shot 01-one-line.png
  echo "key down"
  echo "expect-selected Ardeno"
  shot 02-one-line-selected.png
} >"$script"

if [ -f "$PEER" ]; then
  python3 "$(dirname "$0")/make-demo-data.py" "$WORK" "$(winpath "$WORK")" latin
  peer=$(winpath "$PEER")
  {
    echo "# The messenger starts and pushes three notices; the item grows to three lines at the next refresh."
    echo "tap 2 2"
    echo "start \"$peer\" run --notices \"$(winpath "$WORK/notices-first.json")\" --transcript \"$(winpath "$WORK/peer-transcript.jsonl")\""
    echo "wait-event ArdenoPeerReady"
    echo "expect-notifications 1"
    echo "refresh"
    echo "expect-height Ardeno 60"
    shot 03-three-line.png
    echo "# Select it and page with the right key: the next arrow lights for 200 ms."
    echo "key down"
    echo "key right"
    shot 04-next-arrow-lit.png
    echo "pump 400"
    shot 05-second-notice.png
    echo "key right"
    echo "pump 400"
    shot 06-third-notice.png
    echo "key left"
    echo "pump 400"
    echo "# A tap on the previous arrow pages back."
    echo "tap-item Ardeno 6 30"
    shot 07-tap-previous-arrow.png
    echo "pump 400"
    echo "# Two more notices arrive."
    echo "run \"$peer\" send \"$(winpath "$WORK/notices-more.json")\""
    echo "refresh"
    shot 08-five-notices.png
    echo "# A tap in the middle of the item: the action hands the notice back to the messenger."
    echo "tap-item Ardeno 120 40"
    echo "refresh"
    shot 09-after-action.png
    echo "# The messenger exits: the notification goes, and the item returns to one line."
    echo "run \"$peer\" exit"
    echo "refresh"
    echo "expect-notifications 0"
    echo "expect-height Ardeno 20"
    shot 10-messenger-gone.png
    echo "options ok Ardeno"
  } >>"$script"
else
  echo "demo: $PEER is not built yet (the messenger stand-in comes from peer/);" >&2
  echo "demo: showing the item's one-line view only." >&2
fi
echo "exit" >>"$script"

echo "demo: running the Today host simulator on $script"
run_host_script "$script" >"$WORK/host.log" 2>&1 || {
  cat "$WORK/host.log" >&2
  die "the host's script failed (log above)"
}
cat "$WORK/host.log"
echo
echo "demo: screenshots in $OUT:"
ls -1 "$OUT"/*.png
