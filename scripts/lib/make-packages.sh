#!/usr/bin/env bash
# Writes the four packages into dist/ from the built win32 and win64 trees
# (the program and the help) and a fresh empty catalogue:
#   Vorlune-<version>-win32.zip, -win64.zip       the product folder + 说明.txt
#   Vorlune-<version>-setup-win32.exe, -win64.exe  the NSIS installers
# Run by scripts/package and scripts/build package, which build first, and
# by the package tests. Each package is written under a temporary name and
# renamed when complete.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
DIST=$ROOT/dist

version=
for arch in win32 win64; do
  file=$ROOT/build/$arch/generated/vorlune-version.txt
  [[ -f $file ]] || { echo "package: build the $arch tree first (scripts/build $arch)" >&2; exit 1; }
  v=$(<"$file")
  [[ -z $version || $v == "$version" ]] || { echo "package: win32 and win64 trees disagree on the version" >&2; exit 1; }
  version=$v
done
copyright=$(sed -n 's/^#define VORLUNE_COPYRIGHT "\(.*\)"$/\1/p' "$ROOT/build/win32/generated/vorlune_version.h")
quad=$(sed -n 's/^#define VORLUNE_VERSION_QUAD "\(.*\)"$/\1/p' "$ROOT/build/win32/generated/vorlune_version.h")

# The catalogue in dist/ may have been used (a program started there writes
# snapshots, Kestrova.ini, -wal, -shm and .bak beside it): the packages take
# the program and the help from dist/ and a catalogue made afresh.
make_catalog=$ROOT/build/native/tools/make_catalog
[[ -x $make_catalog ]] || { echo "package: build the native tree first (scripts/build native)" >&2; exit 1; }

for arch in win32 win64; do
  for f in Kestrova.exe Kestrova.chm; do
    [[ -f $DIST/$arch/$f ]] || { echo "package: $DIST/$arch/$f is missing (scripts/build $arch)" >&2; exit 1; }
  done
  work=$ROOT/build/$arch/package
  rm -rf "$work" && mkdir -p "$work"
  product=$work/product
  mkdir "$product"
  cp "$DIST/$arch/Kestrova.exe" "$DIST/$arch/Kestrova.chm" "$product/"
  "$make_catalog" "$product/Kestrova"

  # UTF-8 with a byte-order mark and CRLF line ends: Notepad then shows the
  # Chinese text right whatever the system's code page.
  readme=$work/说明.txt
  { printf '\xEF\xBB\xBF'; sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$ROOT/package/说明.txt"; } >"$readme"

  python3 "$ROOT/package/make_zip.py" "$DIST/Vorlune-$version-$arch.zip" "Vorlune-$version-$arch" \
    "$product/Kestrova.exe" "$product/Kestrova" "$product/Kestrova.chm" "$readme"

  setup=$DIST/Vorlune-$version-setup-$arch.exe
  if ! makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION_QUAD="$quad" \
      -DCOPYRIGHT="$copyright" -DARCH="$arch" -DDIST="$product" -DICON="$ROOT/build/$arch/icons/app.ico" \
      -DOUTFILE="$setup.part" "$ROOT/package/vorlune.nsi" >"$work/makensis.log" 2>&1; then
    cat "$work/makensis.log" >&2
    echo "package: makensis failed for $arch" >&2
    exit 1
  fi
  mv "$setup.part" "$setup"
done
ls -l "$DIST"/Vorlune-"$version"-* | awk '{print "package: " $9 " " $5 " bytes"}'
