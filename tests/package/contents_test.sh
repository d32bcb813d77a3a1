#!/usr/bin/env bash
# contents_test.sh: the four packages in dist/, checked without running them
# (this machine cannot run 32-bit code): the zips hold the product folder and
# 说明.txt, the installers hold the same files, 32-bit and 64-bit alike; the
# program and the help are the built ones byte for byte, the catalogue an
# empty one whatever dist/ holds; the zips are deflated at level 9; the
# 32-bit program is PE32 i386 and imports system DLLs only.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
version=$(<"$ROOT/build/win64/generated/vorlune-version.txt")
DIST=$ROOT/dist
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Windows' own DLLs that a statically linked program may import.
SYSTEM_DLLS=(kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll
  comctl32.dll comdlg32.dll winspool.drv msvcrt.dll winmm.dll shlwapi.dll uxtheme.dll msimg32.dll
  version.dll imm32.dll ws2_32.dll)

# Lists a zip's names as a Windows archiver reads them, after checking that
# each name is stored in GBK with a matching Unicode path field.
zip_names() {
  python3 - "$1" <<'EOF'
import struct, sys, zipfile, zlib
for info in zipfile.ZipFile(sys.argv[1]).infolist():
    if info.flag_bits & 0x800:
        sys.exit(f"{info.filename}: stored with the UTF-8 flag")
    raw = info.filename.encode("cp437")
    name = raw.decode("gbk")
    unicode_name, extra = None, info.extra
    while len(extra) >= 4:
        tag, size = struct.unpack("<HH", extra[:4])
        if tag == 0x7075:
            crc = struct.unpack("<I", extra[5:9])[0]
            unicode_name = extra[9:4 + size].decode("utf-8") if crc == zlib.crc32(raw) else "(stale)"
        extra = extra[4 + size:]
    if not name.isascii() and unicode_name != name:
        sys.exit(f"{name}: no matching Unicode path field ({unicode_name})")
    print(name)
EOF
}

zip_extract() {  # zip folder: extracts under the GBK names
  python3 - "$1" "$2" <<'EOF'
import os, sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
for info in z.infolist():
    path = os.path.join(sys.argv[2], info.filename.encode("cp437").decode("gbk"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(z.read(info))
EOF
}

# The packaged catalogue: made afresh, a catalogue with no row (whatever the
# program started in dist/ wrote into the catalogue there).
check_empty_catalogue() {  # file, package
  python3 - "$1" "$2" <<'EOF'
import sqlite3, sys, urllib.parse
db = sqlite3.connect("file:" + urllib.parse.quote(sys.argv[1]) + "?mode=ro&immutable=1", uri=True)
tables = [r[0] for r in db.execute("SELECT name FROM sqlite_schema WHERE type = 'table'")]
if "CDFile" not in tables or "CDName" not in tables:
    sys.exit(f"FAIL: {sys.argv[2]}: Kestrova is no catalogue ({tables})")
for t in tables:
    if t != "CatalogInfo" and db.execute(f'SELECT count(*) FROM "{t}"').fetchone()[0]:
        sys.exit(f"FAIL: {sys.argv[2]}: the packaged catalogue holds rows in {t}")
EOF
}

installer_names() {
  7zz l -slt "$1" | sed -n 's/^Path = //p' | grep -v '^\$PLUGINSDIR' | tail -n +2 | sort
}

check_version() {  # exe windres: the version information names the product and its version
  local rc
  rc=$("$2" -i "$1" -O rc 2>/dev/null) || fail "$1: no resources"
  grep -q "VALUE \"ProductName\", \"Vorlune\"" <<<"$rc" &&
    grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$rc" &&
    grep -q "VALUE \"FileVersion\", \"$version\.0" <<<"$rc" || fail "$1: version information is not Vorlune $version"
}

check_imports() {  # exe objdump
  local dlls
  dlls=$("$2" -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
  [[ -n $dlls ]] || fail "$1: no imports found"
  for d in $dlls; do
    [[ " ${SYSTEM_DLLS[*]} " == *" $d "* ]] || fail "$1 imports $d, which is not a system DLL"
  done
}

for arch in win32 win64; do
  zip=$DIST/Vorlune-$version-$arch.zip setup=$DIST/Vorlune-$version-setup-$arch.exe
  [[ -f $zip && -f $setup ]] || fail "the $arch packages are missing"
  folder=Vorlune-$version-$arch
  names=$(zip_names "$zip" | sort)
  [[ $names == "$(printf '%s\n' "$folder/Kestrova" "$folder/Kestrova.chm" "$folder/Kestrova.exe" "$folder/说明.txt" | sort)" ]] ||
    fail "$zip holds: $names"
  python3 "$ROOT/tests/package/check_zip_level.py" "$zip" || fail "$zip is not deflated at level 9"
  zip_extract "$zip" "$work/zip-$arch"
  for f in Kestrova.exe Kestrova.chm; do
    cmp -s "$DIST/$arch/$f" "$work/zip-$arch/$folder/$f" || fail "$zip: $f differs from dist/$arch"
  done
  check_empty_catalogue "$work/zip-$arch/$folder/Kestrova" "$zip" || exit 1
  readme=$work/zip-$arch/$folder/说明.txt
  [[ $(head -c 3 "$readme" | od -An -tx1 | tr -d ' ') == efbbbf ]] || fail "说明.txt has no UTF-8 byte-order mark"
  iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null || fail "说明.txt is not UTF-8"
  [[ $(grep -c $'\r$' "$readme") == $(wc -l <"$readme") ]] || fail "说明.txt has lines without CRLF"
  grep -q "Vorlune $version" "$readme" && grep -q 'Kestrova.ini' "$readme" || fail "说明.txt lacks the version or the settings file"

  installer_names "$setup" >"$work/setup-$arch.list"
  7zz x -y -o"$work/setup-$arch" "$setup" >/dev/null
  for f in Kestrova.exe Kestrova.chm; do
    cmp -s "$DIST/$arch/$f" "$work/setup-$arch/$f" || fail "$setup: $f differs from dist/$arch"
  done
  check_empty_catalogue "$work/setup-$arch/Kestrova" "$setup" || exit 1
done

diff "$work/setup-win32.list" "$work/setup-win64.list" >&2 || fail "the installers hold different files"
[[ $(cat "$work/setup-win32.list") == "$(printf '%s\n' Kestrova Kestrova.chm Kestrova.exe uninstall.exe)" ]] ||
  fail "the installer holds: $(cat "$work/setup-win32.list")"

# The shipped programs: 32-bit Intel, system DLLs only; the 32-bit
# installer itself runs on 32-bit Windows.
for exe in "$work/zip-win32/Vorlune-$version-win32/Kestrova.exe" "$work/setup-win32/Kestrova.exe"; do
  file -b "$exe" | grep -q '^PE32 executable (GUI) Intel 80386' || fail "$exe: $(file -b "$exe")"
  check_imports "$exe" i686-w64-mingw32-objdump
  check_version "$exe" i686-w64-mingw32-windres
done
file -b "$DIST/Vorlune-$version-setup-win32.exe" | grep -q '^PE32 executable (GUI) Intel 80386' ||
  fail "the 32-bit installer is $(file -b "$DIST/Vorlune-$version-setup-win32.exe")"
file -b "$DIST/Vorlune-$version-setup-win64.exe" | grep -q '^PE32+ executable (GUI) x86-64' ||
  fail "the 64-bit installer is $(file -b "$DIST/Vorlune-$version-setup-win64.exe")"
check_imports "$work/setup-win64/Kestrova.exe" x86_64-w64-mingw32-objdump
check_version "$work/setup-win64/Kestrova.exe" x86_64-w64-mingw32-windres
echo "package contents: passed"
