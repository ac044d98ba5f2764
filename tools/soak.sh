#!/usr/bin/env bash
# The long robustness run: tools/soak.sh BUILD_DIR
# Runs the robustness suite's programs with ARDENO_SOAK=1 (100,000+ notices, 2,000 reload cycles, long fault
# runs, hostile texts painted in child processes) and prints what was tried and what survived. ARDENO_SEED
# picks other seeds. Exits non-zero when anything did not survive.
set -uo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
export ARDENO_SOAK=1
log=$(mktemp)
status=0
for program in robustness_tests fault_tests; do
  echo "==> $program (soak; a few minutes)"
  started=$(date +%s)
  "$here/../cmake/wine-run.sh" "$build/bin/$program.exe" --gtest_filter=-InChild* > "$log.out" 2>&1 || status=1
  cat "$log.out" >> "$log"
  grep -E '^\[ +(OK|FAILED) +\] [A-Za-z]' "$log.out" | sed 's/^/  /'
  echo "  ($(( $(date +%s) - started )) s)"
done
echo
echo "==> What was tried and what survived"
grep -E '^\[ robustness \]' "$log" | sed 's/^\[ robustness \] /  /'
if [ "$status" = 0 ]; then
  echo "==> Soak: everything survived"
else
  echo "==> Soak: FAILED (full output above; failures:)"
  grep -E -A6 'Failure$' "$log" | head -80
fi
rm -f "$log" "$log.out"
exit $status
