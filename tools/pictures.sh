#!/usr/bin/env bash
# The README's two pictures: the item's three-line view at 96 dpi, in English and in Chinese, on the host's
# whole 240 x 320 screen with the messenger's notification, showing the second of three notices.   usage: pictures.sh BUILD_DIR DOCS_DIR
# Writes DOCS_DIR/three-lines-english.png and DOCS_DIR/three-lines-chinese.png, each in the 96-dpi prefix of
# its language (demo-lib.sh's use_prefix).
set -euo pipefail
TOOLS=$(cd "$(dirname "$0")" && pwd)
. "$TOOLS/demo-lib.sh" "$@"
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
need_built
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"; stop_prefixes' EXIT

picture() {
  local language=$1 name=$2 data=$WORK/$1
  use_prefix 96 "$language"
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
  run_registered_script "the $language picture" "$WORK/$language.log" \
    "$WORK/$language.script" --qvga --refresh-interval 0
  echo "pictures: $OUT/$name"
}

picture latin three-lines-english.png
picture chinese three-lines-chinese.png
