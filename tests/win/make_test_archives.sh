#!/usr/bin/env bash
# tests/win/make_test_archives.sh OUT: makes on the build machine the
# archives that ArchiveListerWineTest lists under Wine, which has none of
# zip, 7zz, tar or xorriso. They land in OUT/归档/ (a Chinese folder name,
# so that each open goes through the UTF-16 path). One tree packed by every
# tool: nested folders, Chinese, quotes, "%", "[", a Latin-1 name and a path
# over 260 characters, files modified at 2010-01-02 03:04:05 UTC.
set -euo pipefail
OUT=$1
DIR=$OUT/归档
WORK=$OUT/work
rm -rf "$OUT"
mkdir -p "$DIR" "$WORK/src"
file() {  # relative path, size
  mkdir -p "$(dirname "$WORK/src/$1")"
  head -c "$2" /dev/zero | tr '\0' x >"$WORK/src/$1"
  touch -d @1262401445 "$WORK/src/$1"
}
file a.txt 10
file sub/b.bin 1000
file sub/深/照片.jpg 2345
file "odd/it's \"q\" 100%[1].txt" 7
file Café.txt 4
long=ddddd/$(printf 'e%.0s' {1..90})/$(printf 'f%.0s' {1..90})/$(printf 'g%.0s' {1..90}).txt
file "$long" 3
find "$WORK/src" -type d -exec touch -d @1262401445 {} +

# Info-ZIP stores the names' UTF-8 bytes without the UTF-8 flag, and the
# time as UTC in an extended-timestamp field.
(cd "$WORK/src" && zip -qr "$DIR/tree.zip" .)
(cd "$WORK/src" && 7zz a -bd -y "$DIR/tree.7z" . >/dev/null)
tar -C "$WORK/src" -czf "$DIR/tree.tar.gz" .
# Rock Ridge names (bytes), and one image with Joliet names (UTF-16) only.
xorriso -as mkisofs -quiet -J -joliet-long -R -o "$DIR/tree.iso" "$WORK/src" 2>/dev/null
xorriso -as mkisofs -quiet --norock -J -joliet-long -o "$DIR/joliet.iso" "$WORK/src" 2>/dev/null

# Names as a Chinese archiver writes them (GBK, no flag) beside UTF-8 bytes:
# files named so on disk, packed by zip in the C locale.
python3 - "$WORK/gbk" <<'PY'
import os, sys
root = sys.argv[1].encode()
os.makedirs(os.path.join(root, '照片'.encode('gbk')))
open(os.path.join(root, '照片/春节.jpg'.encode('gbk')), 'wb').write(b'12345')
os.makedirs(os.path.join(root, '文档'.encode()))
open(os.path.join(root, '文档/报告.doc'.encode()), 'wb').write(b'123')
PY
(cd "$WORK/gbk" && LC_ALL=C zip -qr "$DIR/gbk.zip" .)

# Names with the UTF-8 flag (python sets it for any name beyond ASCII), the
# time also in an extended-timestamp field, as UTC.
python3 - "$DIR/flagged.zip" <<'PY'
import struct, sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    for name, data in [('文档/报告.doc', b'123'), ('Café.txt', b'4444')]:
        info = zipfile.ZipInfo(name, (2010, 1, 2, 3, 4, 5))
        info.extra = b'UT' + struct.pack('<HBI', 5, 1, 1262401445)
        z.writestr(info, data)
PY

# Rar 4 (Unicode names), rar 5 and cab, which no Debian tool writes: from
# libarchive's own test data.
bash "$(dirname "$0")/../libarchive_test_data.sh" "$DIR" test_read_format_rar_unicode.rar \
  test_read_format_rar5_stored_manyfiles.rar test_read_format_cab_1.cab

# Cut short: a gzip stream ending halfway through the tar.
size=$(stat -c %s "$DIR/tree.tar.gz")
head -c $((size / 2)) "$DIR/tree.tar.gz" >"$DIR/cut.tar.gz"
rm -rf "$WORK"
