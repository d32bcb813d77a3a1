#!/usr/bin/env bash
# Builds the skin fuzz targets with clang and runs each for SECONDS seconds
# (default 300) with inputs up to MAX_LEN bytes (default 200000). The
# working corpus (build/fuzz/corpus) starts from the kept one
# (tests/fuzz/corpus: small inputs only) and the program's four skins from
# the native build (build/native, or NATIVE=path); new small finds are
# merged back into the kept corpus.
#   tests/fuzz/run.sh [SECONDS] [MAX_LEN]
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
SECONDS_EACH=${1:-300}
MAX_LEN=${2:-200000}
NATIVE=${NATIVE:-$ROOT/build/native}
OUT=$ROOT/build/fuzz
CC=clang CXX=clang++ cmake -S "$HERE" -B "$OUT" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$OUT" -j2 >/dev/null

WORK=$OUT/corpus
mkdir -p "$WORK/stored_skin" "$WORK/archive" "$OUT/artifacts"
cp -n "$HERE"/corpus/stored_skin/* "$WORK/stored_skin/"
cp -n "$HERE"/corpus/archive/* "$WORK/archive/"
for skn in "$NATIVE"/skins/skin*.skn; do
  [[ -f $skn ]] || { echo "run.sh: build the native tree first (no $skn)" >&2; exit 1; }
  name=$(basename "$skn" .skn)
  cp "$skn" "$WORK/stored_skin/seed-$name"
  "$OUT/unpack_skin" "$skn" "$WORK/archive/seed-$name"
done

for target in stored_skin archive; do
  echo "fuzz_$target: $SECONDS_EACH s"
  "$OUT/fuzz_$target" -max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 -max_len="$MAX_LEN" -timeout=10 \
    -artifact_prefix="$OUT/artifacts/$target-" -print_final_stats=1 "$WORK/$target" 2>"$OUT/$target.log" || {
    tail -40 "$OUT/$target.log"
    exit 1
  }
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ *DONE)' "$OUT/$target.log" || true
  # Keep the small inputs that add coverage.
  small=$(mktemp -d)
  find "$WORK/$target" -type f -size -16k -exec cp {} "$small/" \;
  "$OUT/fuzz_$target" -merge=1 "$HERE/corpus/$target" "$small" >/dev/null 2>&1 || true
  rm -rf "$small"
done
