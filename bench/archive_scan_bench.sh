#!/usr/bin/env bash
# What listing archives costs a scan, in the same run, natively and (when
# the win64 tree is built and a Wine session is up) under Wine:
#  - a tree of 1,000 zip files of 100 members each and 10 iso images of
#    1,000 entries, scanned with the option off and on;
#  - the same members unpacked as real folders and files, option off: what
#    a member costs beside what an entry of the disk costs;
#  - the 200,000-entry tree of scan_bench.sh (no archives), off and on;
#  - the peak memory of a scan of one 4 GB zip and of one 4 GB iso, off and
#    on (SIZE_GB=0 leaves them out: they take 8 GB of disk).
# Usage: bench/archive_scan_bench.sh [DIR] [ROUNDS]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
DIR=${1:-/tmp/vorlune-bench}
ROUNDS=${2:-3}
SIZE_GB=${SIZE_GB:-4}
NATIVE=$ROOT/build/native/bench/scan_bench
WIN=$ROOT/build/win64/bench/scan_bench.exe
ARCH=$DIR/archives-tree
UNPACKED=$DIR/archives-unpacked
PLAIN=$DIR/tree
BIG=$DIR/big-archives
mkdir -p "$DIR"

if [[ ! -f $ARCH/.complete ]]; then
  rm -rf "$ARCH"
  python3 - "$ARCH" <<'EOF'
import os, sys, zipfile
root = sys.argv[1]
for z in range(1000):
    folder = os.path.join(root, "backup%02d" % (z // 50))
    os.makedirs(folder, exist_ok=True)
    with zipfile.ZipFile(os.path.join(folder, "photos%04d.zip" % z), "w", zipfile.ZIP_STORED) as f:
        for m in range(100):
            f.writestr("%d/IMG_%04d.JPG" % (m // 25, m), b"x" * (m + 1))
EOF
  for i in $(seq 0 9); do
    src=$DIR/iso-src-$i
    rm -rf "$src"
    mkdir -p "$src"
    for d in $(seq 0 19); do
      mkdir -p "$src/d$d"
      for f in $(seq 0 48); do : >"$src/d$d/f$f.txt"; done
    done
    mkdir -p "$ARCH/images"
    xorriso -as mkisofs -quiet -J -R -o "$ARCH/images/disc$i.iso" "$src" 2>/dev/null
    rm -rf "$src"
  done
  touch "$ARCH/.complete"
fi
if [[ ! -f $UNPACKED/.complete ]]; then
  rm -rf "$UNPACKED"
  python3 - "$UNPACKED" <<'EOF'
import os, sys
root = sys.argv[1]
def touch(path, size):
    with open(path, "wb") as f:
        f.write(b"x" * size)
for z in range(1000):
    archive = os.path.join(root, "backup%02d" % (z // 50), "photos%04d" % z)
    for m in range(100):
        folder = os.path.join(archive, str(m // 25))
        os.makedirs(folder, exist_ok=True)
        touch(os.path.join(folder, "IMG_%04d.JPG" % m), m + 1)
for i in range(10):
    for d in range(20):
        folder = os.path.join(root, "images", "disc%d" % i, "d%d" % d)
        os.makedirs(folder, exist_ok=True)
        for f in range(49):
            touch(os.path.join(folder, "f%d.txt" % f), 0)
EOF
  touch "$UNPACKED/.complete"
fi
"$NATIVE" make "$PLAIN" 200000 >/dev/null

if ((SIZE_GB > 0)) && [[ ! -f $BIG/.complete ]]; then
  rm -rf "$BIG"
  mkdir -p "$BIG/zip" "$BIG/iso" "$BIG/src"
  # Four members of a quarter each: stored, so the file is the full size.
  for i in 1 2 3 4; do head -c $((SIZE_GB * 256))M /dev/zero >"$BIG/src/part$i.bin"; done
  (cd "$BIG/src" && zip -q -0 ../zip/big.zip part*.bin)
  xorriso -as mkisofs -quiet -iso-level 3 -J -R -o "$BIG/iso/big.iso" "$BIG/src" 2>/dev/null
  rm -rf "$BIG/src"
  touch "$BIG/.complete"
fi

run() {  # label, archives 0/1, tree
  echo -n "$1: "
  SCAN_BENCH_ARCHIVES=$2 "$NATIVE" scan "$3" "$DIR/archive-bench-catalogue"
  if [[ -x $WIN && -n ${WINEPREFIX:-} ]]; then
    echo -n "$1 (Wine): "
    SCAN_BENCH_ARCHIVES=$2 WINEDEBUG=-all /usr/lib/wine/wine64 "$WIN" scan "Z:${3//\//\\}" \
      "Z:${DIR//\//\\}\\archive-bench-win-catalogue"
  fi
}

find "$ARCH" "$UNPACKED" "$PLAIN" -printf '%s %p\n' >/dev/null  # warm the cache
for ((r = 1; r <= ROUNDS; r++)); do
  echo "round $r"
  run "archives tree, option off" 0 "$ARCH"
  run "archives tree, option on" 1 "$ARCH"
  # glibc's mktime, which the zip reader calls for each member's DOS time,
  # looks at /etc/localtime again at every call unless TZ names a zone
  # without a file (the Windows C runtime has no such cost).
  echo -n "archives tree, option on, TZ=UTC0 (native only): "
  TZ=UTC0 SCAN_BENCH_ARCHIVES=1 "$NATIVE" scan "$ARCH" "$DIR/archive-bench-catalogue"
  run "the same unpacked, option off" 0 "$UNPACKED"
  run "plain tree, option off" 0 "$PLAIN"
  run "plain tree, option on" 1 "$PLAIN"
done
if ((SIZE_GB > 0)); then
  for kind in zip iso; do
    run "one ${SIZE_GB} GB $kind, option off" 0 "$BIG/$kind"
    run "one ${SIZE_GB} GB $kind, option on" 1 "$BIG/$kind"
  done
fi
