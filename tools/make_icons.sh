#!/usr/bin/env bash
# make_icons.sh LIST OUTDIR: converts the Tango pictures named in LIST into
# OUTDIR/<name>.ico (16 and 32 pixels) and writes OUTDIR/icons.rc.
set -euo pipefail
list=$1 out=$2
theme=/usr/share/icons/Tango
mkdir -p "$out"
rc=$out/icons.rc.tmp
: >"$rc"
while read -r id name pic; do
  [[ -z $id || $id == \#* ]] && continue
  for size in 16 32; do
    [[ -f $theme/${size}x$size/$pic ]] || { echo "make_icons: missing $theme/${size}x$size/$pic" >&2; exit 1; }
  done
  convert "$theme/16x16/$pic" "$theme/32x32/$pic" "$out/$name.ico"
  echo "$id ICON \"$name.ico\"" >>"$rc"
done <"$list"
mv "$rc" "$out/icons.rc"
