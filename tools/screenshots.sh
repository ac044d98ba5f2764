#!/usr/bin/env bash
# The screenshot set: the item's one-line view, its three-line view with arrows, selected, with a lit arrow,
# in Latin and in Chinese, at 96 dpi (QVGA 240 x 320), 131 dpi (the host's QVGA screen; the item's measures
# round unevenly there) and 192 dpi (VGA 480 x 640).
#   usage: screenshots.sh BUILD_DIR OUTDIR
# 96 dpi uses the prefix in WINEPREFIX (default BUILD_DIR/wineprefix); 131 and 192 dpi prefixes of their own,
# WINEPREFIX_131 and WINEPREFIX_192 (default BUILD_DIR/wineprefix-131 and -192, as the tests), since the
# resolution is a setting of the whole prefix.
# Chinese: Wine takes the system language from the locale variables of the process (LC_ALL), by name; the
# Unix locale itself need not be installed.
set -euo pipefail
TOOLS=$(cd "$(dirname "$0")" && pwd)
. "$TOOLS/demo-lib.sh" "$@"
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
PREFIX_96=${WINEPREFIX:-$BUILD_DIR/wineprefix}
PREFIX_192=${WINEPREFIX_192:-$BUILD_DIR/wineprefix-192}
PREFIX_131=${WINEPREFIX_131:-$BUILD_DIR/wineprefix-131}
need_built

rm -f "$OUT"/*.png
WORK=$OUT/work
rm -rf "$WORK"
mkdir -p "$WORK"

stop_scaled() {
  WINEPREFIX=$PREFIX_192 wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$PREFIX_131 wineserver -k >/dev/null 2>&1 || true
}
trap stop_scaled EXIT

# One host run: LANGUAGE (latin|chinese), DPI (96|131|192). Names: <dpi>dpi-<language>-<n>-<view>.png
shoot() {
  local language=$1 dpi=$2 locale peer_title="" data script name
  case $language in
    latin) locale=en_US.UTF-8 ;;
    chinese) locale=zh_CN.UTF-8; peer_title=--title-chinese ;;
  esac
  name=${dpi}dpi-$language
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
  HOST_LOCALE=$locale run_registered_script "$name" "$WORK/$name.log" "$script"
}

export WINEPREFIX=$PREFIX_96
for language in latin chinese; do shoot "$language" 96; done

for dpi in 131 192; do
  prefix=$PREFIX_192; [ $dpi = 131 ] && prefix=$PREFIX_131
  "$TOOLS/prepare-prefix.sh" "$prefix" null $dpi
  export WINEPREFIX=$prefix
  for language in latin chinese; do shoot "$language" $dpi; done
done

echo
echo "screenshots: written to $OUT:"
ls -1 "$OUT"/*.png
