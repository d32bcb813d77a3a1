#!/usr/bin/env bash
# Builds the archive lister's fuzz target with clang and runs it for SECONDS
# seconds (default 1800), seeded with small archives of every format made
# here with Debian's tools (zip, 7zz, tar with gzip, bzip2 and xz, xorriso).
#   tests/fuzz/run_archives.sh [SECONDS]
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
SECONDS_TOTAL=${1:-1800}
OUT=$ROOT/build/fuzz
CC=clang CXX=clang++ cmake -S "$HERE" -B "$OUT" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$OUT" fuzz_archive_lister >/dev/null

WORK=$OUT/corpus/archive_lister
SEEDS=$OUT/archive_seeds
mkdir -p "$WORK" "$OUT/artifacts"
rm -rf "$SEEDS" && mkdir -p "$SEEDS/tree/sub/深"
printf 'hello' >"$SEEDS/tree/a.txt"
printf 'x%.0s' {1..300} >"$SEEDS/tree/sub/深/照片.jpg"
(cd "$SEEDS/tree" && zip -qr ../s.zip . && zip -qr -P pw ../locked.zip . && 7zz a -bd -y ../s.7z . >/dev/null &&
  7zz a -bd -y -ppw -mhe=on ../hidden.7z . >/dev/null)
tar -C "$SEEDS/tree" -cf "$SEEDS/s.tar" .
tar -C "$SEEDS/tree" -czf "$SEEDS/s.tgz" .
tar -C "$SEEDS/tree" -cjf "$SEEDS/s.tbz2" .
tar -C "$SEEDS/tree" -cJf "$SEEDS/s.txz" .
xorriso -as mkisofs -quiet -J -R -o "$SEEDS/s.iso" "$SEEDS/tree" 2>/dev/null
cp -n "$SEEDS"/s.* "$SEEDS"/locked.zip "$SEEDS"/hidden.7z "$WORK/"
# libarchive sizes some buffers from header fields (a crafted iso asks for
# 4 GB at once, and clears it): those inputs end as out-of-memory or
# timeouts inside the library, which are written to the artifacts and
# counted, and the run goes on (fork mode); a crash ends it.
"$OUT/fuzz_archive_lister" -fork=1 -ignore_ooms=1 -ignore_timeouts=1 -max_total_time="$SECONDS_TOTAL" \
  -rss_limit_mb=2048 -max_len=400000 -timeout=10 \
  -artifact_prefix="$OUT/artifacts/archive_lister-" -print_final_stats=1 "$WORK" 2>"$OUT/archive_lister.log" || {
  tail -40 "$OUT/archive_lister.log"
  exit 1
}
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ *DONE)' "$OUT/archive_lister.log" || true
