#!/usr/bin/env bash
# Scan throughput against find on one generated tree, in the same run:
# find -printf '%s %p\n', the native engine (walk alone, then into a real
# catalogue) and, when the win64 tree is built, the Windows engine under Wine.
# Usage: bench/scan_bench.sh [TREE] [ROUNDS] [ENTRIES]
#   (default /tmp/vorlune-bench/tree, 3 rounds, 200000 entries; a tree already
#   made keeps its size, so give each size a folder of its own)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
TREE=${1:-/tmp/vorlune-bench/tree}
ROUNDS=${2:-3}
ENTRIES=${3:-200000}
NATIVE=$ROOT/build/native/bench/scan_bench
WIN=$ROOT/build/win64/bench/scan_bench.exe
OUT=$(dirname "$TREE")
"$NATIVE" make "$TREE" "$ENTRIES"
find "$TREE" -printf '%s %p\n' >/dev/null  # warm the cache
for ((r = 1; r <= ROUNDS; r++)); do
  echo "round $r"
  /usr/bin/time -f "find: %e s" find "$TREE" -printf '%s %p\n' >/dev/null
  "$NATIVE" walk "$TREE"
  "$NATIVE" scan "$TREE" "$OUT/native-catalogue"
  # find again, so that each scan has a find beside it under the same load
  /usr/bin/time -f "find: %e s" find "$TREE" -printf '%s %p\n' >/dev/null
  if [[ -x $WIN && -n ${WINEPREFIX:-} ]]; then
    WINEDEBUG=-all /usr/lib/wine/wine64 "$WIN" scan "Z:${TREE//\//\\}" "Z:${OUT//\//\\}\\win-catalogue"
    # The same walk without the catalogue and without readers: the floor of
    # find-first/find-next under Wine.
    SCAN_BENCH_THREADS=0 WINEDEBUG=-all /usr/lib/wine/wine64 "$WIN" walk "Z:${TREE//\//\\}"
  fi
done
