# Sourced by scripts/test and scripts/run: a private X display, a private
# Wine prefix inside the build folder, and a Wine server kept alive for the
# whole session so that each test run under Wine starts fast.
#
#   wine_session_start [virtual-desktop-size]   then   wine_session_stop

WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

wine_session_env() {
  export WINEPREFIX=${WINEPREFIX:-$ROOT/build/wineprefix}
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
  export WINEARCH=win64
}

# Starts Xvfb on the first free display from :90 on; sets DISPLAY.
start_private_xvfb() {
  local n
  for n in $(seq 90 140); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    VORLUNE_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      [[ -e /tmp/.X11-unix/X$n ]] && return 0
      sleep 0.1
    done
    echo "wine-session: Xvfb on :$n did not start" >&2
    return 1
  done
  echo "wine-session: no free X display" >&2
  return 1
}

wine_reg() {  # key value type data
  "$WINE64" reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1
}

wine_session_start() {
  local desktop=${1:-1024x768}
  wine_session_env
  VORLUNE_XVFB_PID=
  if [[ -z ${DISPLAY:-} || ${VORLUNE_PRIVATE_DISPLAY:-1} == 1 ]]; then
    start_private_xvfb
  fi
  mkdir -p "$WINEPREFIX"
  if [[ ! -f $WINEPREFIX/.vorlune-ready ]]; then
    echo "wine-session: preparing the Wine prefix $WINEPREFIX"
    "$WINE64" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
    # A crash fails fast instead of waiting in Wine's crash dialog.
    wine_reg 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0
    # A virtual desktop: window frames, a taskbar and the notification area,
    # and no 2-second wait on each top-level hide without a window manager.
    wine_reg 'HKCU\Software\Wine\Explorer' Desktop REG_SZ Default
    wine_reg 'HKCU\Software\Wine\Explorer\Desktops' Default REG_SZ "$desktop"
    # Window frames draw their caption buttons with Marlett; Wine finds it
    # only when it sits in the prefix's font folder.
    if [[ -f /usr/share/wine/fonts/marlett.ttf ]]; then
      cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
      wine_reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' 'Marlett (TrueType)' REG_SZ marlett.ttf
    fi
    "$WINESERVER" -w
    touch "$WINEPREFIX/.vorlune-ready"
  fi
  # Drive N: is a folder of the build declared a network drive, for the
  # tests of the catalogue on a share; Wine's mount manager reads the drive
  # types when it starts, so this comes before the session's server.
  if [[ ! -e $WINEPREFIX/dosdevices/n: ]]; then
    mkdir -p "$WINEPREFIX/network-drive"
    ln -s "$WINEPREFIX/network-drive" "$WINEPREFIX/dosdevices/n:"
    wine_reg 'HKLM\Software\Wine\Drives' 'n:' REG_SZ network
    "$WINESERVER" -w
  fi
  "$WINESERVER" -p
  "$WINE64" wineboot >/dev/null 2>&1 </dev/null || true
  if [[ -n ${VORLUNE_KEEPALIVE:-} && -f $VORLUNE_KEEPALIVE ]]; then
    "$WINE64" "$VORLUNE_KEEPALIVE" </dev/null >/dev/null 2>&1 &
  fi
}

wine_session_stop() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
  if [[ -n ${VORLUNE_XVFB_PID:-} ]]; then
    kill "$VORLUNE_XVFB_PID" 2>/dev/null || true
    wait "$VORLUNE_XVFB_PID" 2>/dev/null || true
  fi
}
