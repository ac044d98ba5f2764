#!/usr/bin/env bash
# Runs the benchmarks and writes their table: tools/bench.sh BUILD_DIR OUT_DIR
# Each figure comes with its floor, measured by the same program in the same run; tools/bench-report.py prints
# the table and writes OUT_DIR/results.md and results.json. Goals are reported, never enforced.
set -euo pipefail
build=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
figures="$out/figures.jsonl"
: > "$figures"
measure() {
  echo "  $*" >&2
  "$here/../cmake/wine-run.sh" "$@" --json >> "$figures" || echo "  (no figure: $* failed)" >&2
}
# One process per figure: each starts from a fresh heap and a fresh load of the item.
for figure in refresh ingest paint portrait longtext memory peak; do
  measure "$build/bin/item_bench.exe" "$figure"
done
measure "$build/bin/list_bench.exe"
python3 "$here/bench-report.py" --figures "$figures" --dll "$build/bin/ArdenoToday.dll" \
  --floor-dll "$build/bench/RuntimeFloor.dll" --out "$out"
