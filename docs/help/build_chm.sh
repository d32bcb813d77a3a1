#!/usr/bin/env bash
# Compiles the help pages into Kestrova.chm.
#   build_chm.sh SOURCE_FOLDER PICTURES_FOLDER WORK_FOLDER OUTPUT_CHM
# Each picture a page shows comes from PICTURES_FOLDER (the windows, taken
# by take_pictures.sh) or else from SOURCE_FOLDER/images (static pictures);
# a page that shows a picture found in neither fails the build.
# The sources are UTF-8. The help viewer reads the contents, the index and
# the project in the system's ANSI code page, so the work copy is converted
# to GB18030 (byte for byte GBK for this text) and the pages say so.
set -euo pipefail
src=$1 pictures=$2 work=$3 out=$4
rm -rf "$work"
mkdir -p "$work/images"
for f in "$src"/*.htm "$src"/*.hhc "$src"/*.hhk "$src"/*.hhp; do
  iconv -f UTF-8 -t GB18030 "$f" | sed 's/charset=utf-8/charset=gb2312/' >"$work/$(basename "$f")"
done
cp "$src"/*.css "$work/"
for image in $(grep -oh 'images/[A-Za-z0-9_.-]*\.png' "$src"/*.htm | sort -u); do
  name=$(basename "$image")
  if [[ -f $pictures/$name ]]; then cp "$pictures/$name" "$work/images/"
  elif [[ -f $src/images/$name ]]; then cp "$src/images/$name" "$work/images/"
  else echo "build_chm: no picture $name (shown by the help pages)" >&2; exit 1
  fi
done
(cd "$work" && chmcmd --verbosity 0 Kestrova.hhp >chmcmd.log 2>&1) || { cat "$work/chmcmd.log" >&2; exit 1; }
[[ -s $work/Kestrova.chm ]] || { cat "$work/chmcmd.log" >&2; echo "build_chm: no Kestrova.chm made" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
cp "$work/Kestrova.chm" "$out"
