#!/usr/bin/env bash
# The scan against the build of an earlier commit, each beside a find of its
# own in the same round: find, the earlier scan, find, today's scan, then
# (with WINE=1, the win64 tree built) today's Windows scan under Wine and the
# bare find-first/find-next walk under Wine.
# Usage: bench/scan_pipeline_bench.sh BEFORE_NATIVE_BUILD [TREE] [ROUNDS]
# (TREE as scan_bench make leaves it; default /tmp/vorlune-bench/tree, 3)
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
B=$1/bench/scan_bench
TREE=${2:-/tmp/vorlune-bench/tree} ROUNDS=${3:-3}
OUT=$(dirname "$TREE")
A=$ROOT/build/native/bench/scan_bench W=$ROOT/build/win64/bench/scan_bench.exe
if [[ ${WINE:-1} == 1 && -x $W ]]; then
  source "$ROOT/scripts/lib/wine-session.sh"
  wine_session_start >/dev/null
  trap wine_session_stop EXIT
else
  W=
fi
find "$TREE" -printf '%s %p\n' >/dev/null  # warm the cache
for ((r = 1; r <= ROUNDS; r++)); do
  echo "round $r: $(uptime | sed 's/.*load/load/')"
  /usr/bin/time -f "find: %e s" find "$TREE" -printf '%s %p\n' >/dev/null
  echo -n "before "; "$B" scan "$TREE" "$OUT/before-catalogue"
  /usr/bin/time -f "find: %e s" find "$TREE" -printf '%s %p\n' >/dev/null
  echo -n "now "; "$A" scan "$TREE" "$OUT/native-catalogue"
  if [[ -n $W ]]; then
    echo -n "wine "; WINEDEBUG=-all /usr/lib/wine/wine64 "$W" scan "Z:${TREE//\//\\}" "Z:${OUT//\//\\}\\win-catalogue"
    echo -n "wine bare "; SCAN_BENCH_THREADS=0 WINEDEBUG=-all /usr/lib/wine/wine64 "$W" walk "Z:${TREE//\//\\}"
  fi
done
