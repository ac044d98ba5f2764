#!/usr/bin/env bash
# The demo by hand: the Today host simulator on the display, with the item and the messenger stand-in, for a
# person to press keys and tap, and to drive the stand-in from a second terminal with ./run peer COMMAND.
#   usage: demo-live.sh BUILD_DIR OUTDIR [latin|chinese]
# The host runs tools/demo-live.host-script, which starts the stand-in, and then stays open (--stay).
# Needs an X display (DISPLAY). Uses the prefix in WINEPREFIX_LIVE (default BUILD_DIR/wineprefix-live), made
# with Wine's X11 graphics driver: the driver is a setting of the whole prefix, and the tests' prefixes keep
# the null one. The prefix is made again for the other language when the language changes (its Wine processes
# must all run in one language: see prepare-prefix.sh); ./run peer reads which from the prefix. Ends when the host's window is closed; the stand-in goes with it.
set -euo pipefail
TOOLS=$(cd "$(dirname "$0")" && pwd)
language=${3:-latin}
case $language in latin|chinese) ;; *) echo "$0: the language is latin or chinese, not '$language'" >&2; exit 2 ;; esac
. "$TOOLS/demo-lib.sh" "$1" "$2"
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
export WINEPREFIX=$WINEPREFIX_LIVE
need_built
problem=$(python3 "$TOOLS/display-reachable.py" 2>&1) ||
  die "no display to show the host on: $problem. Live mode needs an X display (DISPLAY=:0, or a virtual one such as Xvfb); ./run demo writes the page without one"
"$TOOLS/prepare-prefix.sh" "$WINEPREFIX" x11 96 "$language"

WORK=$OUT/work
rm -rf "$WORK"
mkdir -p "$WORK"
python3 "$TOOLS/make-demo-data.py" "$WORK" "$(winpath "$WORK")" "$language"
transcript=$WORK/peer-transcript.jsonl

# The item starts the messenger from its install path with no command line when there is none to ask:
# that is this stand-in, which then finds its notices and transcript in the environment it inherits.
export ARDENO_PEER_NOTICES ARDENO_PEER_TRANSCRIPT
ARDENO_PEER_NOTICES=$(winpath "$WORK/notices-first.json")
ARDENO_PEER_TRANSCRIPT=$(winpath "$transcript")
register_item
in_prefix_locale wine reg add 'HKEY_LOCAL_MACHINE\Software\Ulmara\Ardeno' /v InstallPath /t REG_SZ /d "$(winpath "$PEER")" /f \
  >/dev/null 2>&1 || die "cannot set the messenger's install path in $WINEPREFIX"

host_pid=
finish() {
  [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null || true
  in_prefix_locale wine "$PEER" exit >/dev/null 2>&1 || true  # no running stand-in: nothing to do
  unregister_item
  in_prefix_locale wine reg delete 'HKEY_LOCAL_MACHINE\Software\Ulmara\Ardeno' /f >/dev/null 2>&1 || true
  wineserver -k >/dev/null 2>&1 || true
}
trap finish EXIT

DEMO_NOW=  # a person sees the real clock
export DEMO_WORK DEMO_LANGUAGE=$language
DEMO_WORK=$(winpath "$WORK")
run_host_script "$TOOLS/demo-live.host-script" --stay >"$WORK/host.log" 2>&1 &
host_pid=$!

cat <<TEXT
demo: the Today host is on the display $DISPLAY, with the item and the messenger stand-in.
  On the host: up/down select, left/right page, Enter opens the shown notice (so does a tap on the item
  away from its arrows), a tap on an arrow pages, F5 refreshes, O opens the options dialog.
  From a second terminal, in $(cd "$TOOLS/.." && pwd):
    ./run peer send $WORK/notices-more.json   two more notices
    ./run peer status | clear | sort | detach | exit | crash
    ./run peer run --notices $WORK/notices-first.json --transcript $transcript
                                               starts the stand-in again (so does a tap on the one-line item)
  What the stand-in exchanges with the item: $transcript
  Close the host's window to end.
TEXT
status=0
wait "$host_pid" || status=$?
host_pid=
[ $status = 0 ] || { cat "$WORK/host.log" >&2; die "the host ended with code $status (its log above)"; }
echo "demo: the host was closed"
