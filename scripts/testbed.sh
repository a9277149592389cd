# Wine test bed: sourced by scripts/test, scripts/demo, scripts/bench and scripts/wine-exec.
#
#   testbed_choose_tree  sets TESTBED_TREE (win32 or win64) and TESTBED_TREE_REASON
#   testbed_start        private Xvfb, prepared prefix under build/, wineserver kept alive
#   testbed_stop         ends the wineserver and the Xvfb started by testbed_start
#   testbed_wine ...     runs a Windows program of the chosen tree
#
# testbed_start also registers the stand-in web browser of the chosen tree in the prefix (build
# it first), in place of Wine's. The Flash control it does not register: it removes any installed
# by an earlier run, so the launcher's first start of every run installs and registers the game's
# own flash.ocx, as on a player's machine, and never meets a control left from an older build.
#
# The product is the 32-bit Play.exe, and its tests run from build/win32 wherever 32-bit programs
# run. Some machines cannot run 32-bit code at all; there the same tests run from build/win64
# under 64-bit Wine, in a prefix of its own. LAUNCHER_WINDOWS_TREE=win32|win64 forces one.
#
# A prefix is created once (wineboot takes ~10 s) and reused while the Wine version stays.

TESTBED_ROOT=${TESTBED_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

testbed_log() { echo "testbed: $*" >&2; }

testbed_choose_tree() {
  [ -n "${TESTBED_TREE:-}" ] && return 0
  case "${LAUNCHER_WINDOWS_TREE:-}" in
    win32|win64)
      TESTBED_TREE=$LAUNCHER_WINDOWS_TREE
      TESTBED_TREE_REASON="chosen by LAUNCHER_WINDOWS_TREE"
      ;;
    "")
      # wineserver32 is itself a 32-bit program: it runs exactly where 32-bit Wine can.
      if /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; then
        TESTBED_TREE=win32
        TESTBED_TREE_REASON="32-bit programs run under Wine on this machine"
      else
        TESTBED_TREE=win64
        TESTBED_TREE_REASON="this machine cannot run 32-bit programs under Wine (no runnable wineserver32)"
      fi
      ;;
    *)
      testbed_log "LAUNCHER_WINDOWS_TREE must be win32 or win64, not '$LAUNCHER_WINDOWS_TREE'"
      return 1
      ;;
  esac
  export TESTBED_TREE TESTBED_TREE_REASON
}

testbed_env() {
  testbed_choose_tree || return 1
  local suffix=""
  if [ "$TESTBED_TREE" = win64 ]; then
    suffix=64
    export WINEARCH=win64
    # Debian's wine wrapper prefers the 32-bit loader whenever it is installed: name the 64-bit
    # loader and server directly.
    export WINELOADER=/usr/lib/wine/wine64
    export WINESERVER=/usr/lib/wine/wineserver64
    TESTBED_WINE=/usr/lib/wine/wine64
    TESTBED_WINESERVER=/usr/lib/wine/wineserver64
  else
    export WINEARCH=win32
    TESTBED_WINE=wine
    TESTBED_WINESERVER=wineserver
  fi
  export TESTBED_WINE TESTBED_WINESERVER
  # TESTBED_PREFIX lets several people (or helpers) keep prefixes apart on one machine; the demo
  # names its own (TESTBED_PREFIX_NAME). A 64-bit prefix never shares a folder with a 32-bit one.
  export WINEPREFIX="${TESTBED_PREFIX:-$TESTBED_ROOT/build/${TESTBED_PREFIX_NAME:-wineprefix}$suffix}"
  export WINEDEBUG=-all
  # No Mono or Gecko install prompt; the web browser control then has no HTML engine.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # The ANSI code page is 936 only with this locale generated (scripts/setup does that).
  export LANG=zh_CN.UTF-8
  export LC_ALL=zh_CN.UTF-8
}

testbed_wine() { "$TESTBED_WINE" "$@"; }

testbed_start_display() {
  local fdfile
  fdfile=$(mktemp)
  # -displayfd lets the server choose a free display number and tell us which.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ac 3>"$fdfile" >/dev/null 2>&1 &
  TESTBED_XVFB_PID=$!
  local waited=0
  while [ ! -s "$fdfile" ] && [ $waited -lt 100 ]; do sleep 0.1; waited=$((waited + 1)); done
  if [ ! -s "$fdfile" ]; then
    testbed_log "Xvfb did not start"; rm -f "$fdfile"; return 1
  fi
  export DISPLAY=":$(head -n1 "$fdfile" | tr -d '[:space:]')"
  rm -f "$fdfile"
  export TESTBED_XVFB_PID
  testbed_log "virtual display $DISPLAY (Xvfb pid $TESTBED_XVFB_PID)"
}

testbed_prepare_prefix() {
  local stamp="$WINEPREFIX/.testbed-ready"
  local version
  version="$("$TESTBED_WINE" --version 2>/dev/null) $WINEARCH"
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version" ]; then return 0; fi
  testbed_log "creating the Wine prefix $WINEPREFIX ($version)"
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  testbed_wine wineboot -i >/dev/null 2>&1 || true
  "$TESTBED_WINESERVER" -w
  # A virtual desktop: without a window manager every top-level DestroyWindow waits 2 s. A person's
  # own display (the demo) gets a prefix without it, so the launcher sits on their desktop.
  if [ "${TESTBED_VIRTUAL_DESKTOP:-1}" = 1 ]; then
    testbed_wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    testbed_wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  fi
  # The launcher's texts use the face "宋体"; map it (and SimSun) onto an installed CJK font.
  local subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  testbed_wine reg add "$subst" /v '宋体' /d 'WenQuanYi Zen Hei' /f >/dev/null 2>&1
  testbed_wine reg add "$subst" /v 'SimSun' /d 'WenQuanYi Zen Hei' /f >/dev/null 2>&1
  testbed_wine reg add "$subst" /v 'NSimSun' /d 'WenQuanYi Zen Hei' /f >/dev/null 2>&1
  "$TESTBED_WINESERVER" -w
  if [ ! -f "$WINEPREFIX/system.reg" ]; then testbed_log "prefix creation failed"; return 1; fi
  echo "$version" >"$stamp"
}

# Windows path of a file of this machine (Wine shows the Unix root as drive Z:).
testbed_winpath() { echo "Z:$1" | tr / '\\'; }

# Registers an in-process server of the chosen tree through its own entry point.
testbed_register_server() {
  local dll="$TESTBED_ROOT/build/$TESTBED_TREE/testbed/$1"
  if [ ! -f "$dll" ]; then
    testbed_log "$1 not registered: not built yet"
    return 0
  fi
  testbed_wine regsvr32 /s "$(testbed_winpath "$dll")" >/dev/null 2>&1 </dev/null ||
    testbed_log "registering $dll failed"
}

# Wine's web browser has no HTML engine here: the stand-in shows the pages instead. Only in the
# test prefix; Windows keeps its own browser.
testbed_register_standin_browser() { testbed_register_server StandInBrowser.dll; }

# Takes the Flash control out of the prefix: its class and program id, in both registry views,
# Flash Player's safe-versions record, and the files installed under the system folders.
testbed_forget_flash() {
  local clsid='{D27CDB6E-AE6D-11CF-96B8-444553540000}'
  local classes='HKEY_LOCAL_MACHINE\Software\Classes'
  local script
  script=$(mktemp --suffix=.reg)
  printf '%s\r\n' 'REGEDIT4' '' \
    "[-$classes\CLSID\\$clsid]" "[-$classes\Wow6432Node\CLSID\\$clsid]" \
    "[-$classes\ShockwaveFlash.ShockwaveFlash]" \
    '[-HKEY_LOCAL_MACHINE\Software\Macromedia]' \
    '[-HKEY_LOCAL_MACHINE\Software\Wow6432Node\Macromedia]' '' >"$script"
  # regedit has been seen to fail once just after the prefix's server started: try again.
  local attempt output
  for attempt in 1 2 3; do
    output=$(testbed_wine regedit /s "$(testbed_winpath "$script")" 2>&1 </dev/null) && break
    [ "$attempt" = 3 ] && testbed_log "the Flash control's registration could not be removed: $output"
    sleep 1
  done
  rm -f "$script"
  rm -rf "$WINEPREFIX/drive_c/windows/system32/Macromed" "$WINEPREFIX/drive_c/windows/syswow64/Macromed"
}

testbed_start() {
  testbed_env || return 1
  if [ -n "${TESTBED_USE_DISPLAY:-}" ]; then
    testbed_log "using the display $DISPLAY"
  else
    testbed_start_display || return 1
  fi
  testbed_prepare_prefix || return 1
  # Started here, outside ctest's captured pipes: a wineserver born inside them makes every
  # later test wait ~2.5 s for the pipes to close.
  "$TESTBED_WINESERVER" -p >/dev/null 2>&1 </dev/null
  testbed_wine cmd /c exit >/dev/null 2>&1 </dev/null
  testbed_register_standin_browser
  testbed_forget_flash
  export TESTBED_ACTIVE=1
}

testbed_stop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -n "${TESTBED_WINESERVER:-}" ]; then
    "$TESTBED_WINESERVER" -k >/dev/null 2>&1 || true
  fi
  if [ -n "${TESTBED_XVFB_PID:-}" ]; then
    kill "$TESTBED_XVFB_PID" >/dev/null 2>&1 || true
    wait "$TESTBED_XVFB_PID" 2>/dev/null || true
  fi
  unset TESTBED_ACTIVE TESTBED_XVFB_PID
}
