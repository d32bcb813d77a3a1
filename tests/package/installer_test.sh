#!/usr/bin/env bash
# installer_test.sh STEP: the 64-bit installer under Wine, in a Wine prefix
# of its own (VORLUNE_PACKAGE_PREFIX) on the X display of scripts/test.
#   start      a fresh prefix and a Wine server kept for the steps below
#   install    silent install into the default folder: files, shortcuts,
#              uninstall entry, and the installed program shows its window
#   upgrade    a second install keeps catalogue, backup and settings
#              byte for byte and replaces the program and the help file
#   refusal    while the installed program runs, installer and uninstaller
#              refuse and change nothing
#   uninstall  silent uninstall removes the program, shortcuts and entry and
#              keeps catalogue, backup and settings
#   uninstall-delete  the uninstaller's pages with the data box ticked
#              delete catalogue, backup and settings too
#   stop       ends the prefix's Wine server
# Each step but start and stop sets up what it needs itself.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
step=$1
: "${VORLUNE_PACKAGE_PREFIX:?set by CTest}" "${VORLUNE_PACKAGE_PROBE:?set by CTest}"

source "$ROOT/scripts/lib/wine-session.sh"
export WINEPREFIX=$VORLUNE_PACKAGE_PREFIX
wine_session_env
version=$(<"$ROOT/build/win64/generated/vorlune-version.txt")
SETUP=$ROOT/dist/Vorlune-$version-setup-win64.exe
# What the packages were made of: the program and help of dist/win64 and a
# catalogue made afresh (scripts/lib/make-packages.sh).
PRODUCT=$ROOT/build/win64/package/product
PROBE=$VORLUNE_PACKAGE_PROBE
LOG=$WINEPREFIX/../package-test.log

user=$(id -un)
HOME_UNIX=$WINEPREFIX/drive_c/users/$user
HOME_WIN="C:\\users\\$user"
DEFAULT_UNIX=$HOME_UNIX/AppData/Local/Programs/Vorlune
DEFAULT_WIN="$HOME_WIN\\AppData\\Local\\Programs\\Vorlune"
MENU_UNIX="$HOME_UNIX/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Vorlune"
MENU_WIN="$HOME_WIN\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Vorlune"
KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlune'

fail() { echo "FAIL: $*" >&2; exit 1; }
win() { "$WINE64" "$@" </dev/null 2>>"$LOG"; }

# Installs silently; $1 the Windows folder (/D=) or empty for the default.
setup() {
  local rc=0
  if [[ -n ${1:-} ]]; then win "$SETUP" /S "/D=$1" >>"$LOG" || rc=$?; else win "$SETUP" /S >>"$LOG" || rc=$?; fi
  return $rc
}

# The uninstall entry's values, read once: then reg_value NAME gives one.
read_entry() { ENTRY=$(win reg query "$KEY" 2>/dev/null | tr -d '\r') || ENTRY=; }
reg_value() { sed -n "s/^ *$1 *REG_[A-Z_]* *//p" <<<"$ENTRY"; }

# Removes any earlier install so that a step starts from a known state.
forget_installs() {
  win reg delete "$KEY" /f >/dev/null 2>&1 || true
  rm -rf "$DEFAULT_UNIX" "$MENU_UNIX" "$WINEPREFIX/drive_c/Vorlune测试"
}

# Puts a catalogue with snapshots, its backup and settings into folder $1.
put_user_data() {
  "$ROOT/build/native/tools/make_sample_catalog" "$1/Kestrova.new" >/dev/null
  mv -f "$1/Kestrova.new" "$1/Kestrova"
  head -c 70000 /dev/urandom >"$1/Kestrova.bak"
  printf '[Main]\r\nSkin=2\r\nViewStyle=3\r\n' >"$1/Kestrova.ini"
}

# Waits until the condition command succeeds, at most $1 tenths of a second.
wait_until() {
  local tenths=$1; shift
  local i
  for ((i = 0; i < tenths; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

start_program() {  # Windows folder: starts its Kestrova.exe, waits for the main window
  (cd "$2" && "$WINE64" "$1\\Kestrova.exe" </dev/null >>"$LOG" 2>&1 &)
  # A failing check must not leave the program running for the next step.
  trap 'win "$PROBE" close-window TfrmMain 10000 >/dev/null 2>&1 || true' EXIT
  win "$PROBE" wait-window TfrmMain "$1\\Kestrova.exe" 60000 || fail "the installed program showed no main window"
}

stop_program() {
  win "$PROBE" close-window TfrmMain 30000 || fail "the installed program did not close"
  trap - EXIT
}

checksums() {  # folder: every file's checksum, sorted by name
  (cd "$1" && find . -type f -print0 | sort -z | xargs -0 sha256sum)
}

case $step in
  start)
    [[ -n ${DISPLAY:-} ]] || fail "no X display: run the package tests through scripts/test"
    "$WINESERVER" -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX"
    : >"$LOG"
    VORLUNE_PRIVATE_DISPLAY=0 VORLUNE_KEEPALIVE=$ROOT/build/win64/tools/wine_keepalive.exe \
      wine_session_start </dev/null >>"$LOG" 2>&1
    ;;

  install)
    forget_installs
    setup "" || fail "silent install exited with $?"
    for f in Kestrova.exe Kestrova.chm Kestrova; do
      cmp -s "$PRODUCT/$f" "$DEFAULT_UNIX/$f" || fail "$f is not the product's in $DEFAULT_UNIX"
    done
    [[ -f $DEFAULT_UNIX/uninstall.exe ]] || fail "no uninstaller"
    [[ ! -e $DEFAULT_UNIX/Kestrova.ini ]] || fail "the installer wrote Kestrova.ini"
    [[ $(win "$PROBE" shortcut-target "$MENU_WIN\\Vorlune.lnk" | tr -d '\r') == "$DEFAULT_WIN\\Kestrova.exe" ]] ||
      fail "the Start-menu shortcut does not point to the program"
    [[ $(win "$PROBE" shortcut-target "$MENU_WIN\\Vorlune 帮助.lnk" | tr -d '\r') == "$DEFAULT_WIN\\Kestrova.chm" ]] ||
      fail "the help shortcut does not point to the help file"
    read_entry
    [[ $(reg_value DisplayName) == Vorlune ]] || fail "uninstall entry: DisplayName"
    [[ $(reg_value DisplayVersion) == "$version" ]] || fail "uninstall entry: DisplayVersion"
    [[ -n $(reg_value Publisher) ]] || fail "uninstall entry: Publisher"
    [[ $(reg_value DisplayIcon) == "$DEFAULT_WIN\\Kestrova.exe,0" ]] || fail "uninstall entry: DisplayIcon"
    [[ $(reg_value UninstallString) == "\"$DEFAULT_WIN\\uninstall.exe\"" ]] || fail "uninstall entry: UninstallString"
    size=$(reg_value EstimatedSize)
    (( size > $(du -sk "$DEFAULT_UNIX" | cut -f1) / 2 )) || fail "uninstall entry: EstimatedSize $size"
    start_program "$DEFAULT_WIN" "$DEFAULT_UNIX"
    stop_program
    ;;

  upgrade)
    forget_installs
    setup "$DEFAULT_WIN" || fail "first install exited with $?"
    put_user_data "$DEFAULT_UNIX"
    # An older program and help file, as a previous version left them.
    printf 'MZ older program' >"$DEFAULT_UNIX/Kestrova.exe"
    printf 'older help' >"$DEFAULT_UNIX/Kestrova.chm"
    before=$(checksums "$DEFAULT_UNIX" | grep -E ' \./Kestrova(\.bak|\.ini)?$')
    [[ $(wc -l <<<"$before") == 3 ]] || fail "test set-up: user data missing"
    setup "" || fail "upgrade exited with $?"
    after=$(checksums "$DEFAULT_UNIX" | grep -E ' \./Kestrova(\.bak|\.ini)?$')
    [[ $before == "$after" ]] || fail "the upgrade changed the user's data: $before / $after"
    cmp -s "$PRODUCT/Kestrova.exe" "$DEFAULT_UNIX/Kestrova.exe" || fail "the upgrade did not replace the program"
    cmp -s "$PRODUCT/Kestrova.chm" "$DEFAULT_UNIX/Kestrova.chm" || fail "the upgrade did not replace the help file"
    ;;

  refusal)
    forget_installs
    dir_win='C:\Vorlune测试' dir_unix=$WINEPREFIX/drive_c/Vorlune测试
    setup "$dir_win" || fail "install into $dir_win exited with $?"
    [[ -f $dir_unix/Kestrova.exe ]] || fail "/D= did not choose the folder"
    put_user_data "$dir_unix"
    start_program "$dir_win" "$dir_unix"
    before=$(checksums "$dir_unix")
    rc=0; setup "$dir_win" || rc=$?
    (( rc != 0 )) || fail "the installer ran while the program was running"
    rc=0; win "$dir_unix/uninstall.exe" /S "_?=$dir_win" >>"$LOG" || rc=$?
    (( rc != 0 )) || fail "the uninstaller ran while the program was running"
    [[ $before == "$(checksums "$dir_unix")" ]] || fail "a refused run changed files"
    read_entry
    [[ -e $MENU_UNIX/Vorlune.lnk && -n $(reg_value DisplayName) ]] || fail "a refused run removed shortcuts or entry"
    stop_program
    ;;

  uninstall)
    forget_installs
    setup "$DEFAULT_WIN" || fail "install exited with $?"
    put_user_data "$DEFAULT_UNIX"
    before=$(checksums "$DEFAULT_UNIX" | grep -E ' \./Kestrova(\.bak|\.ini)?$')
    read_entry
    uninstaller=$(reg_value UninstallString)
    [[ $uninstaller == "\"$DEFAULT_WIN\\uninstall.exe\"" ]] || fail "uninstall entry: $uninstaller"
    # The uninstaller copies itself away and returns at once; it removes
    # its own file last.
    win "$DEFAULT_UNIX/uninstall.exe" /S >>"$LOG" || fail "the uninstaller did not start"
    wait_until 600 test ! -e "$DEFAULT_UNIX/uninstall.exe" || fail "the uninstaller did not finish"
    for f in Kestrova.exe Kestrova.chm; do [[ ! -e $DEFAULT_UNIX/$f ]] || fail "$f left behind"; done
    [[ ! -e $MENU_UNIX ]] || fail "Start-menu folder left behind"
    ! win reg query "$KEY" >/dev/null 2>&1 || fail "uninstall entry left behind"
    [[ $before == "$(checksums "$DEFAULT_UNIX")" ]] || fail "the uninstaller changed or removed the user's data"
    ;;

  uninstall-delete)
    forget_installs
    setup "$DEFAULT_WIN" || fail "install exited with $?"
    put_user_data "$DEFAULT_UNIX"
    win "$DEFAULT_UNIX/uninstall.exe" >>"$LOG" || fail "the uninstaller did not start"
    trap 'win "$PROBE" click-button 取消 2000 >/dev/null 2>&1 || true' EXIT
    for button in 下一步 同时删除编目数据库 卸载; do
      win "$PROBE" click-button "$button" 30000 || fail "uninstaller page: no button $button"
    done
    wait_until 600 test ! -e "$DEFAULT_UNIX/uninstall.exe" || fail "the uninstaller did not finish"
    win "$PROBE" click-button 关闭 30000 || fail "uninstaller: no close button"
    trap - EXIT
    [[ ! -e $DEFAULT_UNIX ]] || fail "left behind: $(ls "$DEFAULT_UNIX")"
    ;;

  stop)
    "$WINESERVER" -k >/dev/null 2>&1 || true
    "$WINESERVER" -w >/dev/null 2>&1 || true
    ;;

  *) fail "unknown step $step" ;;
esac
echo "installer_test $step: passed"
