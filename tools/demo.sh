#!/usr/bin/env bash
# The demo: the Today host simulator with the item, then with the messenger stand-in pushing notices, paging
# and tapping, one PNG per state; in Latin and in Chinese, at 96 dpi (240 x 320) and at 192 dpi (480 x 640).
# Then the page out of it, OUTDIR/index.html, which is checked before its path is printed.
#   usage: demo.sh BUILD_DIR OUTDIR
# Each run: the host runs tools/demo.host-script with the variables it names, writes its PNGs to
# OUTDIR/<language>-<dpi>dpi/ and a line per step to OUTDIR/work/<run>/steps.jsonl, next to the stand-in's
# transcript. 96 dpi uses the prefix in WINEPREFIX (default BUILD_DIR/wineprefix), 192 dpi the one in
# WINEPREFIX_192 (default BUILD_DIR/wineprefix-192; ./run prepares both).
set -euo pipefail
TOOLS=$(cd "$(dirname "$0")" && pwd)
. "$TOOLS/demo-lib.sh" "$@"
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
PREFIX_96=${WINEPREFIX:-$BUILD_DIR/wineprefix}
PREFIX_192=${WINEPREFIX_192:-$BUILD_DIR/wineprefix-192}
need_built
[ -f "$PREFIX_192/.ardeno-stamp" ] || die "the 192-dpi prefix $PREFIX_192 is not prepared: run ./run demo"

# What an earlier demo left, the flat PNGs of older versions too.
rm -rf "$OUT"/*dpi "$OUT"/work "$OUT"/index.html "$OUT"/*.png
trap 'WINEPREFIX=$PREFIX_192 wineserver -k >/dev/null 2>&1 || true' EXIT

# One host run: LANGUAGE (latin|chinese) at DPI (96|192).
demo_run() {
  local language=$1 dpi=$2 name shots work scale
  name=$language-${dpi}dpi
  shots=$OUT/$name
  work=$OUT/work/$name
  mkdir -p "$shots" "$work"
  scale=$((dpi / 96))
  python3 "$TOOLS/make-demo-data.py" "$work" "$(winpath "$work")" "$language"
  export DEMO_OUT DEMO_WORK DEMO_LANGUAGE=$language
  DEMO_OUT=$(winpath "$shots")
  DEMO_WORK=$(winpath "$work")
  # The item's measures are given at 96 dpi and grow with the screen.
  export DEMO_LINE=$((20 * scale)) DEMO_THREE_LINES=$((60 * scale)) DEMO_PREV_X=$((6 * scale)) \
         DEMO_PREV_Y=$((30 * scale)) DEMO_MIDDLE_X=$((120 * scale)) DEMO_MIDDLE_Y=$((40 * scale))
  local locale=en_US.UTF-8
  [ "$language" = chinese ] && locale=zh_CN.UTF-8
  echo "demo: $name"
  # No periodic refresh: the script refreshes where it means to, so every run pings the stand-in alike.
  HOST_LOCALE=$locale run_registered_script "$name" "$work/host.log" "$TOOLS/demo.host-script" \
    --refresh-interval 0 --step-log "$(winpath "$work/steps.jsonl")" \
    --watch "$(winpath "$work/peer-transcript.jsonl")"
}

export WINEPREFIX=$PREFIX_96
for language in latin chinese; do demo_run "$language" 96; done
export WINEPREFIX=$PREFIX_192
for language in latin chinese; do demo_run "$language" 192; done

python3 "$TOOLS/demo_page.py" build "$OUT" "$TOOLS/demo.host-script" latin-96dpi chinese-96dpi latin-192dpi chinese-192dpi
python3 "$TOOLS/demo_page.py" check "$OUT/index.html"
echo
echo "demo: the page, with every screenshot, its caption and what the stand-in saw:"
echo "$OUT/index.html"
