#!/usr/bin/env bash
# Takes the help pages' pictures of the windows, in the Wine prefix the
# tests use (build/wineprefix, which has the caption buttons' font), on a
# private X display:
#   take_pictures.sh OUT_FOLDER Kestrova.exe win_tests.exe make_sample_catalog
# The program runs on the sample catalogue; win_tests' disabled Screenshots
# tests show each window, write NAME.rect (its place on the screen) into the
# work folder and wait for NAME.done. This script crops NAME.png from the
# screen for each one and writes NAME.done. Pictures land in OUT_FOLDER.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
out=$1 program=$2 tests=$3 sample=$4
source "$ROOT/scripts/lib/wine-session.sh"

work=$out/work
rm -rf "$work"
mkdir -p "$work/program"
cp "$program" "$work/program/Kestrova.exe"
"$sample" "$work/program/Kestrova"
# The list in details, as the pages describe its columns.
printf '[ListView]\r\nStyle=1\r\n' >"$work/program/Kestrova.ini"

export VORLUNE_PRIVATE_DISPLAY=1
trap wine_session_stop EXIT
wine_session_start 1024x768 >/dev/null
winpath() { echo "Z:${1//\//\\}"; }
export VORLUNE_SHOTS=$(winpath "$work")
export VORLUNE_PROGRAM=$(winpath "$work/program/Kestrova.exe")
# VORLUNE_SHOTS_FILTER picks other picture tests (scripts/shots-skins).
filter=${VORLUNE_SHOTS_FILTER:-'ScreenshotsTest.DISABLED_*:ProgramScreenshotsTest.DISABLED_*:CreateWindowTest.DISABLED_Screenshots'}
# A test that hangs fails the build after five minutes instead of holding it.
timeout "${VORLUNE_SHOTS_TIMEOUT:-300}" "$WINE64" "$tests" --gtest_also_run_disabled_tests --gtest_filter="$filter" </dev/null >"$work/tests.log" 2>&1 &
runner=$!

# Each request is answered at once; the tests wait on the answer, so the
# pictures come one at a time.
shoot_requests() {
  local rect name
  for rect in "$work"/*.rect; do
    [[ -e $rect ]] || continue
    name=$(basename "$rect" .rect)
    import -window root -crop "$(<"$rect")" +repage "$out/$name.png"
    rm "$rect"
    : >"$work/$name.done"
  done
}
while kill -0 "$runner" 2>/dev/null; do
  shoot_requests
  sleep 0.05
done
status=0
wait "$runner" || status=$?
if ((status)) || grep -q 'SKIPPED\|FAILED' "$work/tests.log"; then
  cat "$work/tests.log" >&2
  echo "take_pictures: the screenshot tests did not all pass" >&2
  exit 1
fi
grep -q 'PASSED' "$work/tests.log" || { cat "$work/tests.log" >&2; exit 1; }
