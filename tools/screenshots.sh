#!/usr/bin/env bash
# The screenshot set: the item's one-line view, its three-line view with arrows, selected, with a lit arrow,
# in Latin and in Chinese, on every screen a handheld has (HANDHELD_SCREENS in demo-lib.sh: portrait 240 x 320
# and 480 x 640, landscape 320 x 240, 640 x 480 and 800 x 480, square 240 x 240 and 480 x 480, tall 480 x 800,
# and 320 x 320 at 131 dpi), and on 240 x 320 at 131 dpi, where the item's measures round unevenly.
#   usage: screenshots.sh BUILD_DIR OUTDIR
# Names: <width>x<height>-<dpi>dpi-<language>-<n>-<view>.png. Each resolution and language runs in a prefix of
# its own (demo-lib.sh's use_prefix), since the resolution is a setting of the whole prefix and its language
# must not change. Chinese: Wine takes the system language from the locale variables of the process (LC_ALL),
# by name; the Unix locale itself need not be installed.
set -euo pipefail
TOOLS=$(cd "$(dirname "$0")" && pwd)
. "$TOOLS/demo-lib.sh" "$@"
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
need_built

rm -f "$OUT"/*.png
WORK=$OUT/work
rm -rf "$WORK"
mkdir -p "$WORK"

trap stop_prefixes EXIT

# One host run: LANGUAGE (latin|chinese) on SCREEN (WIDTHxHEIGHT@DPI), in the prefix in use.
shoot() {
  local language=$1 screen=$2 peer_title="" data script name
  [ "$language" = chinese ] && peer_title=--title-chinese
  name=${screen%@*}-${screen#*@}dpi-$language
  data=$WORK/$name
  script=$WORK/$name.script
  mkdir -p "$data"
  shot() { printf 'screenshot "%s"\n' "$(winpath "$OUT/$name-$1.png")"; }
  python3 "$TOOLS/make-demo-data.py" "$data" "$(winpath "$data")" "$language"
  {
    echo "timeout 20000"
    shot 1-one-line
    echo "start \"$(winpath "$PEER")\" run $peer_title --notices \"$(winpath "$data/notices-first.json")\""
    echo "wait-event ArdenoPeerReady"
    echo "refresh"
    shot 2-three-line
    echo "key down"
    shot 3-selected
    echo "key right"
    shot 4-lit-arrow
    echo "pump 400"
    echo "tap 2 2"  # the bar: the selection leaves the item
    shot 5-both-arrows
    echo "run \"$(winpath "$PEER")\" exit"
    echo "exit"
  } >"$script"
  echo "screenshots: $name"
  run_registered_script "$name" "$WORK/$name.log" "$script" --screen "$screen"
}

for dpi in 96 131 192; do
  for language in latin chinese; do
    use_prefix $dpi $language
    for screen in $HANDHELD_SCREENS 240x320@131; do
      if [ "${screen#*@}" = $dpi ]; then shoot "$language" "$screen"; fi
    done
  done
done

echo
echo "screenshots: written to $OUT:"
ls -1 "$OUT"/*.png
