#!/usr/bin/env bash
# zip_writer_test.sh: package/make_zip.py deflates every entry at level 9,
# on content where zlib's default level gives other bytes.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work/sample.bin" <<'PY'
import random, sys, zlib
rng = random.Random(7)
words = [bytes(rng.choice(b"abcdefghij") for _ in range(rng.randint(3, 9))) for _ in range(400)]
data = b" ".join(rng.choice(words) for _ in range(60000))
assert zlib.compress(data, 9) != zlib.compress(data, 6), "the sample does not tell the levels apart"
open(sys.argv[1], "wb").write(data)
PY
printf 'x' >"$work/说明.txt"
python3 "$ROOT/package/make_zip.py" "$work/out.zip" "Vorlune-test" "$work/sample.bin" "$work/说明.txt"
python3 "$(dirname "$0")/check_zip_level.py" "$work/out.zip"
echo "zip writer: passed"
