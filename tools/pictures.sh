#!/usr/bin/env bash
# The README's two pictures: the item's three-line view at 96 dpi, in English and in Chinese, on the host's
# whole 240 x 320 screen with the messenger's notification, showing the second of three notices.   usage: pictures.sh BUILD_DIR DOCS_DIR
# Writes DOCS_DIR/three-lines-english.png and DOCS_DIR/three-lines-chinese.png. Uses the prefix in
# WINEPREFIX (default BUILD_DIR/wineprefix), whose screen has 96 dpi.
set -euo pipefail
TOOLS=$(cd "$(dirname "$0")" && pwd)
. "$TOOLS/demo-lib.sh" "$@"
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wineprefix} WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
need_built
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

picture() {
  local language=$1 name=$2 locale=en_US.UTF-8 data=$WORK/$1
  [ "$language" = chinese ] && locale=zh_CN.UTF-8
  python3 "$TOOLS/make-demo-data.py" "$data" "$(winpath "$data")" "$language"
  cat >"$WORK/$language.script" <<SCRIPT
timeout 20000
start "$(winpath "$PEER")" run --language $language --notices "$(winpath "$data/notices-first.json")"
wait-event ArdenoPeerReady
refresh
expect-height Ardeno 60
# The second notice, with a portrait and both arrows; the tap on the bar takes the selection away again.
key down
key right
pump 400
tap 2 2
screenshot "$(winpath "$OUT/$name")"
run "$(winpath "$PEER")" exit
SCRIPT
  HOST_LOCALE=$locale run_registered_script "the $language picture" "$WORK/$language.log" \
    "$WORK/$language.script" --qvga --refresh-interval 0
  echo "pictures: $OUT/$name"
}

picture latin three-lines-english.png
picture chinese three-lines-chinese.png
