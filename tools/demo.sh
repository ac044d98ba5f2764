#!/usr/bin/env bash
# The demo: the Today host simulator with the item, then with the messenger stand-in pushing notices, paging
# and tapping, one PNG per state; in Latin and in Chinese, on every screen a handheld has (HANDHELD_SCREENS in
# demo-lib.sh: portrait, landscape, square, tall, and 320 x 320 at 131 dpi), and on the default screen in the
# host's dark and high-contrast themes too. Then the pages out of it, OUTDIR/index.html first, which are
# checked before the index's path is printed.
#   usage: demo.sh BUILD_DIR OUTDIR
# Each run: the host runs tools/demo.host-script with the variables it names, writes its PNGs to
# OUTDIR/<language>-<width>x<height>-<dpi>dpi[-<theme>]/ and a line per step to OUTDIR/work/<run>/steps.jsonl,
# next to the stand-in's transcript. Each resolution and language runs in its own prefix (demo-lib.sh's use_prefix, which
# prepares what is missing): 96 dpi in WINEPREFIX (default BUILD_DIR/wineprefix), 131 and 192 dpi in
# WINEPREFIX_131 and WINEPREFIX_192, Chinese in WINEPREFIX_ZH, WINEPREFIX_131_ZH and WINEPREFIX_192_ZH.
set -euo pipefail
TOOLS=$(cd "$(dirname "$0")" && pwd)
. "$TOOLS/demo-lib.sh" "$@"
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
need_built

# What an earlier demo left, the flat PNGs of older versions too.
rm -rf "$OUT"/*dpi "$OUT"/*dpi-* "$OUT"/work "$OUT"/*.html "$OUT"/*.png
trap stop_prefixes EXIT

# The screen the story is told on in every theme, and the themes besides the host's default (light) one.
STORY_SCREEN=240x320@96
OTHER_THEMES="dark contrast"

# One host run: LANGUAGE (latin|chinese) on SCREEN (WIDTHxHEIGHT@DPI) in THEME (default light), in the prefix in
# use.
demo_run() {
  local language=$1 screen=$2 theme=${3:-light} dpi name shots work
  dpi=${screen#*@}
  name=$language-${screen%@*}-${dpi}dpi
  [ "$theme" = light ] || name=$name-$theme
  shots=$OUT/$name
  work=$OUT/work/$name
  mkdir -p "$shots" "$work"
  python3 "$TOOLS/make-demo-data.py" "$work" "$(winpath "$work")" "$language"
  export DEMO_OUT DEMO_WORK DEMO_LANGUAGE=$language
  DEMO_OUT=$(winpath "$shots")
  DEMO_WORK=$(winpath "$work")
  # The item's measures are given at 96 dpi and grow with the screen.
  export DEMO_LINE DEMO_THREE_LINES DEMO_PREV_X DEMO_PREV_Y DEMO_MIDDLE_X DEMO_MIDDLE_Y
  DEMO_LINE=$(item_measure 20 "$dpi")
  DEMO_THREE_LINES=$((3 * DEMO_LINE))
  DEMO_PREV_X=$(item_measure 6 "$dpi")
  DEMO_PREV_Y=$(item_measure 30 "$dpi")
  DEMO_MIDDLE_X=$(item_measure 120 "$dpi")
  DEMO_MIDDLE_Y=$(item_measure 40 "$dpi")
  echo "demo: $name"
  # No periodic refresh: the script refreshes where it means to, so every run pings the stand-in alike.
  run_registered_script "$name" "$work/host.log" "$TOOLS/demo.host-script" \
    --screen "$screen" --theme "$theme" --refresh-interval 0 --step-log "$(winpath "$work/steps.jsonl")" \
    --watch "$(winpath "$work/peer-transcript.jsonl")"
}

# Runs grouped by prefix, so that each prefix's server starts once; the page lists them by language and screen.
runs=()
for dpi in 96 131 192; do
  for language in latin chinese; do
    use_prefix $dpi $language
    for screen in $HANDHELD_SCREENS; do
      if [ "${screen#*@}" = $dpi ]; then demo_run "$language" "$screen"; fi
    done
    if [ "${STORY_SCREEN#*@}" = $dpi ]; then
      for theme in $OTHER_THEMES; do demo_run "$language" "$STORY_SCREEN" "$theme"; done
    fi
  done
done
for language in latin chinese; do
  for screen in $HANDHELD_SCREENS; do runs+=("$language-${screen%@*}-${screen#*@}dpi"); done
  for theme in $OTHER_THEMES; do runs+=("$language-${STORY_SCREEN%@*}-${STORY_SCREEN#*@}dpi-$theme"); done
done

python3 "$TOOLS/demo_page.py" build "$OUT" "$TOOLS/demo.host-script" "${runs[@]}"
python3 "$TOOLS/demo_page.py" check "$OUT/index.html"
echo
echo "demo: the story, with a page for every other screen and theme one click away:"
echo "$OUT/index.html"
