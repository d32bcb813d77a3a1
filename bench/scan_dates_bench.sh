#!/usr/bin/env bash
# Dates and attributes against the scan before them, natively and under Wine
# in the same run, then an update after 1 % changed against a fresh scan.
# BEFORE is a build folder of the commit before entries kept their times
# (its bench/scan_bench and, for Wine, bench/scan_bench.exe); the tree is
# the one scan_bench make generates, and the update changes it.
# Usage: bench/scan_dates_bench.sh BEFORE_NATIVE BEFORE_WIN64 [TREE] [ROUNDS]
# (WINEPREFIX set for the Wine runs, as scripts/lib/wine-session.sh does.)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BN=$1/bench/scan_bench BW=$2/bench/scan_bench.exe
TREE=${3:-/tmp/vorlune-bench/tree} ROUNDS=${4:-3}
AN=$ROOT/build/native/bench/scan_bench AW=$ROOT/build/win64/bench/scan_bench.exe
OUT=$(dirname "$TREE")
WTREE="Z:${TREE//\//\\}" WOUT="Z:${OUT//\//\\}"
wine() { WINEDEBUG=-all /usr/lib/wine/wine64 "$@"; }
"$AN" make "$TREE"
find "$TREE" -printf '%s %p\n' >/dev/null  # warm the cache
for ((r = 1; r <= ROUNDS; r++)); do
  echo "round $r"
  echo -n "native before: "; "$BN" scan "$TREE" "$OUT/before-native"
  echo -n "native after:  "; "$AN" scan "$TREE" "$OUT/after-native"
  echo -n "wine before:   "; wine "$BW" scan "$WTREE" "$WOUT\\before-win"
  echo -n "wine after:    "; wine "$AW" scan "$WTREE" "$WOUT\\after-win"
done
ls -l "$OUT"/before-native/* "$OUT"/after-native/* "$OUT"/before-win/* "$OUT"/after-win/* 2>/dev/null || true
echo -n "native: "; "$AN" update "$TREE" "$OUT/update-native"
echo -n "wine:   "; wine "$AW" update "$WTREE" "$WOUT\\update-win"
