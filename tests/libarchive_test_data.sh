#!/usr/bin/env bash
# tests/libarchive_test_data.sh OUT NAME...: writes into OUT the archives
# NAME (rar, cab: formats no Debian tool writes) of libarchive's own tests,
# uudecoded from its Debian source package, which scripts/fetch-archive-libs
# keeps in build/archive-libs/packages. Exits 3 when the package is not there.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
out=$1
shift
orig=$(ls "$ROOT"/build/archive-libs/packages/libarchive_*.orig.tar.xz 2>/dev/null | head -1 || true)
[[ -n $orig ]] || { echo "no libarchive source package in $ROOT/build/archive-libs/packages" >&2; exit 3; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for n in "$@"; do
  tar -xJf "$orig" -C "$work" --strip-components=3 --wildcards "*/libarchive/test/$n.uu"
  python3 - "$work/$n.uu" "$out/$n" <<'PY'
import binascii, sys
out = bytearray(); on = False
for line in open(sys.argv[1], 'rb'):
    if line.startswith(b'begin'): on = True; continue
    if line.strip() == b'end': break
    if on and line.strip(): out += binascii.a2b_uu(line)
open(sys.argv[2], 'wb').write(out)
PY
done
